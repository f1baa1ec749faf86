#include "kaMeshModel.h"

#include <cctype>
#include <cstring>

#include "kaBoundingBox.h"
#include "kaMessageBox.h"
#include "kaResult.h"
#include "kaTDMReader.h"

namespace {

const char kModelDirectory[] = "../xMedia/xModels/";

}  // namespace

kaMeshModel::kaMeshModel() : meshCount(0), materialCount(0), centre(), corners() {}

kaMeshModel::~kaMeshModel() { Release(); }

int kaMeshModel::Load(const char* fileName) {
    const char* dot = fileName ? std::strrchr(fileName, '.') : nullptr;
    if (dot == nullptr) {
        ErrorBox("Error", "%s", "KA_ERR_INVALIDPARAM");
        return KA_ERR_INVALIDARG;
    }
    std::string extension(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != "tdm") {
        ErrorBox("Error", "file format %s not supported", extension.c_str());
        return KA_ERR_UNSUPPORTED;
    }
    if (!LoadTDM(fileName)) {
        ErrorBox("Error", "loading %s", path.c_str());
        return KA_ERR_READFAIL;
    }
    return KA_OK;
}

int kaMeshModel::LoadTDM(const char* fileName) {
    path = std::string(kModelDirectory) + fileName;
    kaTDMReader reader;
    if (!reader.Open(path.c_str())) {
        WarningBox("Error", "loading %s", path.c_str());
        return 0;
    }
    Build(reader);
    return 1;
}

void kaMeshModel::Build(const kaTDMReader& reader) {
    Release();
    name = reader.getModelName();
    LoadMaterials(reader);
    meshCount = reader.getMeshCount();
    meshes = std::vector<kaMesh>(meshCount);
    for (uint16_t i = 0; i < meshCount; ++i) {
        meshes[i].Create(reader.getMeshes()[i]);
        meshes[i].ComputeTangentFrames();
    }
    ComputeBoundingBox();
}

void kaMeshModel::LoadMaterials(const kaTDMReader& reader) {
    materialCount = reader.getMaterialCount();
    materials = std::vector<kaTextureList>(materialCount);
    for (uint16_t i = 0; i < materialCount; ++i) {
        const kaTDMMaterial& material = reader.getMaterials()[i];
        materials[i].SetCapacity(material.textureCount);
        for (const kaTDMTextureRef& texture : material.textures) materials[i].Add(texture.name);
    }
}

void kaMeshModel::ComputeBoundingBox() {
    kaBoundingBox box;
    for (const kaMesh& mesh : meshes) {
        for (uint32_t v = 0; v < mesh.vertexCount; ++v) box.Add(&mesh.positions[3 * size_t(v)]);
    }
    box.getCentre(centre);
    box.getCorners(corners);
}

void kaMeshModel::Release() {
    name.clear();
    path.clear();
    meshes.clear();
    materials.clear();
    meshCount = materialCount = 0;
    centre[0] = centre[1] = centre[2] = 0.0f;
}

void kaMeshModel::SetRefresh(int value) {
    for (kaMesh& mesh : meshes) mesh.refresh = value;
}
