#include "kaTDMReader.h"

#include <cstring>

namespace {

// Smallest size of each record in the file, to bound counts by what the
// rest of the file can hold before anything is allocated.
constexpr uint64_t kMaterialBytes = 59;
constexpr uint64_t kTextureBytes = 2;
constexpr uint64_t kMeshBytes = 78;
constexpr uint64_t kVertexBytes = 25;
constexpr uint64_t kInfluenceBytes = 6;
constexpr uint64_t kCoordBytes = 8;
constexpr uint64_t kFaceBytes = 24;
constexpr uint64_t kBoneBytes = 27;

}  // namespace

kaTDMReader::kaTDMReader()
    : mMagic(), mVersion(), mModelNameLength(0), mModelName(), mMaterialCount(0), mMeshCount(0),
      mBoneCount(0), mDefaultMaterial(0), mNeedsDefaultMaterial(false), mError(0) {}

int kaTDMReader::Open(const char* path) {
    Release();
    if (!mFile.Open(path)) return Finish(kCannotOpen);
    return ReadAll();
}

int kaTDMReader::OpenMemory(const void* data, size_t size) {
    Release();
    mFile.OpenMemory(data, size);
    return ReadAll();
}

int kaTDMReader::ReadAll() {
    mMaterialCount = mMeshCount = 0;
    mBoneCount = 0;
    const int header = ReadHeader();
    if (header < 0) return Finish(header);

    mMaterials.resize(mMaterialCount);
    mMeshes.resize(mMeshCount);
    mBones.resize(mBoneCount);
    int result = ReadMaterials();
    if (result == 0) result = ReadMeshes();
    if (result == 0) result = ReadBones();
    if (result == 0 && mNeedsDefaultMaterial) result = AddDefaultMaterial();
    if (result == 0) result = CheckIndices();
    return Finish(result);
}

int kaTDMReader::Finish(int result) {
    mFile.Close();
    mError = result < 0 ? result : 0;
    if (result >= 0) return 1;
    Release();
    return 0;
}

void kaTDMReader::Release() {
    mMaterials.clear();
    mMeshes.clear();
    mBones.clear();
    mMaterialCount = mMeshCount = 0;
    mBoneCount = 0;
}

int kaTDMReader::ReadHeader() {
    std::memset(mMagic, 0, sizeof mMagic);
    mFile.Read(mMagic, 9);
    if (std::strcmp(mMagic, "TDMU_MESH") != 0) return kBadMagic;
    mVersion[0] = mFile.U8();
    mVersion[1] = mFile.U8();
    if (mVersion[0] != 2 || mVersion[1] != 2) return kBadVersion;
    mFile.ShortString(&mModelNameLength, mModelName);
    const uint16_t materials = mFile.U16();
    const uint16_t meshes = mFile.U16();
    const int16_t bones = mFile.I16();
    if (mFile.failed()) return kTruncated;
    if (meshes == 0) return kNoMeshes;
    if (bones < 0) return kBadCount;
    if (!mFile.Holds(1, materials * kMaterialBytes + meshes * kMeshBytes + bones * kBoneBytes))
        return kTruncated;
    mMaterialCount = materials;
    mMeshCount = meshes;
    mBoneCount = bones;
    return 0;
}

int kaTDMReader::ReadMaterials() {
    for (kaTDMMaterial& material : mMaterials) {
        mFile.ShortString(&material.nameLength, material.name);
        material.flag = mFile.U8();
        mFile.F32s(&material.colour[0][0], 12);
        mFile.F32s(material.scalar, 2);
        material.textureCount = mFile.U8();
        if (!mFile.Holds(material.textureCount, kTextureBytes)) return kTruncated;
        material.textures.resize(material.textureCount);
        for (kaTDMTextureRef& texture : material.textures) {
            texture.kind = mFile.U8();
            mFile.ShortString(&texture.nameLength, texture.name);
        }
        if (mFile.failed()) return kTruncated;
    }
    return 0;
}

int kaTDMReader::ReadMeshes() {
    mNeedsDefaultMaterial = false;
    for (kaTDMMesh& mesh : mMeshes) {
        const int result = ReadMesh(mesh);
        if (result != 0) return result;
    }
    return 0;
}

int kaTDMReader::ReadMesh(kaTDMMesh& mesh) {
    mFile.ShortString(&mesh.nameLength, mesh.name);
    mFile.F32s(mesh.transform, 16);
    mesh.hasMaterial = mFile.U8();
    mesh.material = 0;
    if (mesh.hasMaterial != 0) {
        mesh.material = mFile.U16();
    } else {
        mNeedsDefaultMaterial = true;
    }
    mesh.vertexCount = mFile.U32();
    mesh.coordCount = mFile.U32();
    mesh.faceCount = mFile.U32();

    if (!mFile.Holds(mesh.vertexCount, kVertexBytes)) return kTruncated;
    mesh.vertices.resize(mesh.vertexCount);
    for (kaTDMVertex& vertex : mesh.vertices) {
        const int result = ReadVertex(vertex);
        if (result != 0) return result;
    }
    if (!mFile.Holds(mesh.coordCount, kCoordBytes)) return kTruncated;
    mesh.coords.resize(uint64_t(mesh.coordCount) * 2);
    mFile.F32s(mesh.coords.data(), mesh.coordCount * 2);
    if (!mFile.Holds(mesh.faceCount, kFaceBytes)) return kTruncated;
    mesh.faces.resize(mesh.faceCount);
    for (kaTDMFace& face : mesh.faces) {
        for (uint32_t& index : face.vertex) index = mFile.U32();
        for (uint32_t& index : face.coord) index = mFile.U32();
    }
    return mFile.failed() ? kTruncated : 0;
}

int kaTDMReader::ReadVertex(kaTDMVertex& vertex) {
    mFile.F32s(vertex.position, 3);
    mFile.F32s(vertex.normal, 3);
    vertex.skinKind = mFile.U8();
    vertex.bone = 0;
    vertex.influenceCount = 0;
    if (vertex.skinKind == 1) {
        vertex.bone = mFile.U16();
    } else if (vertex.skinKind == 2) {
        vertex.influenceCount = mFile.I16();
        if (vertex.influenceCount < 0) return kBadCount;
        if (!mFile.Holds(uint64_t(vertex.influenceCount), kInfluenceBytes)) return kTruncated;
        vertex.influences.resize(vertex.influenceCount);
        for (kaTDMInfluence& influence : vertex.influences) {
            influence.bone = mFile.U16();
            influence.weight = mFile.F32();
        }
    }
    return mFile.failed() ? kTruncated : 0;
}

int kaTDMReader::ReadBones() {
    for (kaTDMBone& bone : mBones) {
        mFile.ShortString(&bone.nameLength, bone.name);
        bone.parent = mFile.I16();
        mFile.F32s(bone.position, 3);
        mFile.F32s(bone.rotation, 3);
    }
    return mFile.failed() ? kTruncated : 0;
}

int kaTDMReader::AddDefaultMaterial() {
    if (mMaterialCount == UINT16_MAX) return kBadCount;
    const bool fileHadMaterials = mMaterialCount != 0;
    kaTDMMaterial material{};
    std::strcpy(material.name, "TDM Default");
    material.nameLength = static_cast<uint8_t>(std::strlen(material.name));
    const float colours[3][3] = {{0.5f, 0.5f, 0.5f}, {1.0f, 1.0f, 1.0f}, {0.1f, 0.1f, 0.1f}};
    std::memcpy(material.colour, colours, sizeof colours);
    material.scalar[0] = 0.0f;
    material.scalar[1] = 1.0f;
    mMaterials.push_back(material);
    mDefaultMaterial = mMaterialCount++;
    for (kaTDMMesh& mesh : mMeshes) {
        if (mesh.hasMaterial == 0 || !fileHadMaterials) mesh.material = mDefaultMaterial;
    }
    return 0;
}

int kaTDMReader::CheckIndices() const {
    for (const kaTDMMesh& mesh : mMeshes) {
        if (mesh.material >= mMaterialCount) return kBadIndex;
        for (const kaTDMFace& face : mesh.faces) {
            for (int c = 0; c < 3; ++c) {
                if (face.vertex[c] >= mesh.vertexCount) return kBadIndex;
                if (mesh.coordCount != 0 && face.coord[c] >= mesh.coordCount) return kBadIndex;
            }
        }
    }
    for (int16_t b = 0; b < mBoneCount; ++b) {
        const int16_t parent = mBones[b].parent;
        if (parent < -1 || parent >= b) return kBadIndex;
    }
    return 0;
}
