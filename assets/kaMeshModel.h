#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kaMesh.h"
#include "kaTextureList.h"

class kaTDMReader;

// The drawable form of a TDM model: its meshes with vertex buffers and
// tangent frames, one texture list per material, and its bounding box.
class kaMeshModel {
public:
    kaMeshModel();
    ~kaMeshModel();
    kaMeshModel(const kaMeshModel&) = delete;
    kaMeshModel& operator=(const kaMeshModel&) = delete;

    // Loads "../xMedia/xModels/" + name: 0, 2 for a name without an
    // extension, 6 for an extension other than "tdm", 10 when the file
    // cannot be read; each failure is shown in an error box.
    int Load(const char* name);
    // 1 on success; 0 after a warning box, keeping the previous content.
    int LoadTDM(const char* name);
    // Replaces the content with the model a reader has read: meshes with
    // their buffers and tangent frames, materials with their textures.
    void Build(const kaTDMReader& reader);
    void Release();
    void SetRefresh(int value);

    std::vector<kaMesh> meshes;
    std::string name;
    std::string path;
    uint16_t meshCount;
    uint16_t materialCount;
    float centre[3];
    std::vector<kaTextureList> materials;
    float corners[8][3];

private:
    void LoadMaterials(const kaTDMReader& reader);
    void ComputeBoundingBox();
};
