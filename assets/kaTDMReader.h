#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kaBinaryFile.h"

struct kaTDMTextureRef {
    uint8_t kind;
    uint8_t nameLength;
    char name[256];
};

struct kaTDMMaterial {
    uint8_t nameLength;
    char name[256];
    uint8_t flag;
    float colour[4][3];
    float scalar[2];
    uint8_t textureCount;
    std::vector<kaTDMTextureRef> textures;
};

struct kaTDMInfluence {
    uint16_t bone;
    float weight;
};

// Skin kinds: 0 no bone, 1 one bone, 2 weighted bones; others read as 0.
struct kaTDMVertex {
    float position[3];
    float normal[3];
    uint8_t skinKind;
    uint16_t bone;
    int16_t influenceCount;
    std::vector<kaTDMInfluence> influences;
};

struct kaTDMFace {
    uint32_t vertex[3];
    uint32_t coord[3];
};

struct kaTDMMesh {
    uint8_t nameLength;
    char name[256];
    float transform[16];
    uint8_t hasMaterial;
    uint16_t material;
    uint32_t vertexCount;
    uint32_t coordCount;
    uint32_t faceCount;
    std::vector<kaTDMVertex> vertices;
    std::vector<float> coords;  // u, v per coordinate
    std::vector<kaTDMFace> faces;
};

struct kaTDMBone {
    uint8_t nameLength;
    char name[256];
    int16_t parent;  // -1 for a root, else lower than the bone's own index
    float position[3];
    float rotation[3];
};

// Reads a TDM model file whole into plain records.  A file that is cut
// short, asks for more records than it holds, or holds a material, vertex,
// coordinate or parent index outside its array is refused as a whole.  The
// bone indices of the skin are left to whoever builds a skeleton from them:
// a static model never uses them.
class kaTDMReader {
public:
    enum HeaderResult : int {
        kBadMagic = -1,
        kBadVersion = -2,
        kNoMeshes = -3,
        kBadCount = -4,
    };
    // Results of the later steps.
    enum : int {
        kTruncated = -5,
        kBadIndex = -6,
        kCannotOpen = -7,
    };

    kaTDMReader();
    kaTDMReader(const kaTDMReader&) = delete;
    kaTDMReader& operator=(const kaTDMReader&) = delete;

    // 1 when the whole model was read, else 0 (getError tells why).
    int Open(const char* path);
    // As Open, from size bytes of a file's contents in memory.
    int OpenMemory(const void* data, size_t size);
    void Release();

    const char* getModelName() const { return mModelName; }
    uint16_t getMaterialCount() const { return mMaterialCount; }
    uint16_t getMeshCount() const { return mMeshCount; }
    int16_t getBoneCount() const { return mBoneCount; }
    // Why the last Open failed (0 after a success).
    int getError() const { return mError; }
    uint16_t getDefaultMaterial() const { return mDefaultMaterial; }
    const kaTDMMaterial* getMaterials() const { return mMaterials.data(); }
    const kaTDMMesh* getMeshes() const { return mMeshes.data(); }
    const kaTDMBone* getBones() const { return mBones.data(); }

    int ReadHeader();
    int ReadMaterials();
    int ReadMeshes();
    int ReadBones();
    int AddDefaultMaterial();
    int CheckIndices() const;

private:
    // The steps after opening; the result of Open.
    int ReadAll();
    int ReadMesh(kaTDMMesh& mesh);
    int ReadVertex(kaTDMVertex& vertex);
    int Finish(int result);

    char mMagic[10];
    uint8_t mVersion[2];
    uint8_t mModelNameLength;
    char mModelName[256];
    uint16_t mMaterialCount;
    uint16_t mMeshCount;
    int16_t mBoneCount;
    std::vector<kaTDMMaterial> mMaterials;
    std::vector<kaTDMMesh> mMeshes;
    std::vector<kaTDMBone> mBones;
    kaBinaryFile mFile;
    uint16_t mDefaultMaterial;
    bool mNeedsDefaultMaterial;
    int mError;
};
