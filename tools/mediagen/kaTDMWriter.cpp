#include "kaTDMWriter.h"

#include "kaBinaryWriter.h"

namespace {

void WriteVec(kaBinaryWriter& out, kaVec3 v) {
    out.F32(v.x);
    out.F32(v.y);
    out.F32(v.z);
}

bool NameFits(const std::string& name) { return name.size() <= 255; }

bool MeshIndicesValid(const kaMeshSpec& mesh, size_t materials, size_t bones) {
    if (!NameFits(mesh.name) || mesh.material >= materials) return false;
    const size_t coords = mesh.coords.size() / 2;
    for (const kaFaceSpec& face : mesh.faces) {
        for (int c = 0; c < 3; ++c) {
            if (face[c] >= mesh.vertices.size() || face[3 + c] >= coords) return false;
        }
    }
    for (const kaVertexSpec& vertex : mesh.vertices) {
        if (vertex.skinKind == 1 && vertex.bone >= bones) return false;
        for (const kaInfluenceSpec& influence : vertex.influences) {
            if (influence.bone >= bones) return false;
        }
    }
    return true;
}

}  // namespace

bool kaTDMWriter::Check(const kaModelSpec& model) {
    if (model.meshes.empty() || model.meshes.size() > 0xFFFF || model.materials.size() > 0xFFFF ||
        model.bones.size() > 0x7FFF || !NameFits(model.name))
        return false;
    for (const kaMaterialSpec& material : model.materials) {
        if (!NameFits(material.name) || material.textures.size() > 255) return false;
        for (const std::string& texture : material.textures) {
            if (!NameFits(texture)) return false;
        }
    }
    for (size_t b = 0; b < model.bones.size(); ++b) {
        const int parent = model.bones[b].parent;
        if (!NameFits(model.bones[b].name) || parent < -1 || parent >= int(b)) return false;
    }
    for (const kaMeshSpec& mesh : model.meshes) {
        if (!MeshIndicesValid(mesh, model.materials.size(), model.bones.size())) return false;
    }
    return true;
}

std::string kaTDMWriter::Encode(const kaModelSpec& model) {
    if (!Check(model)) return {};
    kaBinaryWriter out;
    out.Bytes("TDMU_MESH", 9);
    out.U8(2);
    out.U8(2);
    out.ShortString(model.name);
    out.U16(unsigned(model.materials.size()));
    out.U16(unsigned(model.meshes.size()));
    out.U16(unsigned(model.bones.size()));
    for (const kaMaterialSpec& material : model.materials) WriteMaterial(out, material);
    for (const kaMeshSpec& mesh : model.meshes) WriteMesh(out, mesh);
    for (const kaBoneSpec& bone : model.bones) {
        out.ShortString(bone.name);
        out.U16(uint16_t(bone.parent));
        WriteVec(out, bone.position);
        WriteVec(out, bone.angles);
    }
    return out.data();
}

void kaTDMWriter::WriteMaterial(kaBinaryWriter& out, const kaMaterialSpec& material) {
    out.ShortString(material.name);
    out.U8(0);
    WriteVec(out, material.diffuse * 0.25f);  // ambient
    WriteVec(out, material.diffuse);
    WriteVec(out, {0.3f, 0.3f, 0.3f});  // specular
    WriteVec(out, {0.0f, 0.0f, 0.0f});  // emissive
    out.F32(0.0f);                      // transparency
    out.F32(16.0f);                     // shininess
    out.U8(unsigned(material.textures.size()));
    for (const std::string& texture : material.textures) {
        out.U8(0);
        out.ShortString(texture);
    }
}

void kaTDMWriter::WriteMesh(kaBinaryWriter& out, const kaMeshSpec& mesh) {
    out.ShortString(mesh.name);
    static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (float v : kIdentity) out.F32(v);
    out.U8(1);
    out.U16(mesh.material);
    out.U32(uint32_t(mesh.vertices.size()));
    out.U32(uint32_t(mesh.coords.size() / 2));
    out.U32(uint32_t(mesh.faces.size()));
    for (const kaVertexSpec& vertex : mesh.vertices) WriteVertex(out, vertex);
    for (float c : mesh.coords) out.F32(c);
    for (const kaFaceSpec& face : mesh.faces) {
        for (uint32_t index : face) out.U32(index);
    }
}

void kaTDMWriter::WriteVertex(kaBinaryWriter& out, const kaVertexSpec& vertex) {
    WriteVec(out, vertex.position);
    WriteVec(out, vertex.normal);
    out.U8(vertex.skinKind);
    if (vertex.skinKind == 1) out.U16(vertex.bone);
    if (vertex.skinKind != 2) return;
    out.U16(unsigned(vertex.influences.size()));
    for (const kaInfluenceSpec& influence : vertex.influences) {
        out.U16(influence.bone);
        out.F32(influence.weight);
    }
}
