#include "kaShaderRenderer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "kaCamera.h"
#include "kaDeviceGlobal.h"
#include "kaMatrixMath.h"
#include "kaMeshModel.h"
#include "kaMessageBox.h"
#include "kaNormalizationCubeMap.h"
#include "kaRenderDevice.h"
#include "kaResult.h"
#include "kaTexture.h"

namespace {

const char kShaderDirectory[] = "../xMedia/xShaders/";
constexpr size_t kPathBytes = 256;
const char kPassCaption[] = "Error!!!";

// Direct3D 8 numbers of the states the passes set.
constexpr unsigned kZEnable = 7;
constexpr unsigned kTexCoordIndex = 11;
constexpr unsigned kAddressU = 13;
constexpr unsigned kAddressV = 14;
constexpr unsigned kTextureTransformFlags = 24;
constexpr unsigned kWrap = 1;
constexpr unsigned kClamp = 3;
constexpr unsigned kTriangleList = 4;
constexpr unsigned kStages = 8;

// Vertex layouts the vertex shaders are declared with.
constexpr unsigned kPositionOnly = 0x2;
constexpr unsigned kPositionTexture = 0x102;

struct PixelShaderFile {
    const char* name;
    kaPixelShader* kaShaderRenderer::*shader;
};

struct VertexShaderFile {
    const char* name;
    kaVertexShader* kaShaderRenderer::*shader;
    unsigned vertexFormat;
};

const PixelShaderFile kPixelShaders[] = {
    {"DiffSpecCM.psh", &kaShaderRenderer::pDiffSpecShader},
    {"DiffCM.psh", &kaShaderRenderer::pDiffShader},
    {"Atten.psh", &kaShaderRenderer::pAttenShader},
    {"SkyBox.psh", &kaShaderRenderer::pSkyBoxPixelShader},
    {"Render2d.psh", &kaShaderRenderer::pRender2dShader},
};

const VertexShaderFile kVertexShaders[] = {
    {"vertex.vsh", &kaShaderRenderer::pVShader, kaMesh::kVertexFormat},
    {"Atten.vsh", &kaShaderRenderer::pSimpleVshader, kPositionOnly},
    {"SkyBox.vsh", &kaShaderRenderer::pSkyBoxShader, kPositionTexture},
    {"vertex2d.vsh", &kaShaderRenderer::pVertex2dShader, kPositionTexture},
};

// Reads a file in text mode into a zero-filled buffer of its byte length
// plus one zero; text mode may shorten the text, which then ends in zeros.
bool ReadShaderText(const char* path, std::vector<char>& text) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return false;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    bool ok = size >= 0;
    if (ok) {
        text.assign(size_t(size) + 1, '\0');
        std::rewind(file);
        ok = std::fread(text.data(), 1, size_t(size), file) != 0 || !std::ferror(file);
    }
    std::fclose(file);
    return ok;
}

// Reads "../xMedia/xShaders/" + name and hands the text, with the file's
// byte length, to create(out, text, length).
template <class Shader, class Create>
int LoadShader(const char* name, Shader** shader, Create create) {
    if (name == nullptr) return KA_ERR_WRONGSTATE;
    if (shader == nullptr) return KA_ERR_INVALIDARG;
    if (gDevice == nullptr) return KA_ERR_WRONGSTATE;
    char path[kPathBytes];
    const int length = std::snprintf(path, sizeof path, "%s%s", kShaderDirectory, name);
    std::vector<char> text;
    if (length < 0 || size_t(length) >= sizeof path || !ReadShaderText(path, text)) {
        return KA_ERR_READFAIL;
    }
    Shader* made = nullptr;
    if (create(&made, text.data(), unsigned(text.size() - 1)) != KA_OK) {
        InfoBox("Error creating vertex shader", "-> %s", path);
        return KA_ERR_UNSUPPORTED;
    }
    if (made == nullptr) return KA_ERR_UNSUPPORTED;
    *shader = made;
    return KA_OK;
}

kaMatrix44f Transposed(const kaMatrix44f& m) {
    kaMatrix44f t;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) t.m[4 * r + c] = m.m[4 * c + r];
    }
    return t;
}

void SetVectorConstant(int reg, const kaVector3f& v) {
    float values[4] = {v.x, v.y, v.z, 1.0f};
    gDevice->setVertexShaderConstant(reg, values, 1);
}

void SetAddressMode(unsigned stage, unsigned mode) {
    gDevice->setTextureState(stage, kAddressU, mode);
    gDevice->setTextureState(stage, kAddressV, mode);
}

// Every stage reads the texture set of its own number.
void SetCoordinateIndices() {
    for (unsigned stage = 0; stage < kStages; ++stage) {
        gDevice->setTextureState(stage, kTexCoordIndex, stage);
    }
}

size_t MeshCount(const kaMeshModel& model) {
    return std::min<size_t>(model.meshCount, model.meshes.size());
}

// The mesh's material, or null when its index lies outside the model's.
const kaTextureList* MaterialOf(const kaMeshModel& model, const kaMesh& mesh) {
    const size_t count = std::min<size_t>(model.materialCount, model.materials.size());
    return mesh.material < count ? &model.materials[mesh.material] : nullptr;
}

// Texture `index` of a material as a device texture, or null when the
// material has no such texture or it was not loaded.
kaBaseTexture* DeviceTexture(const kaTextureList* material, unsigned index) {
    if (material == nullptr || material->textures == nullptr || index >= material->count) {
        return nullptr;
    }
    return material->textures[index].texture;
}

void DrawMesh(const kaMesh& mesh) {
    gDevice->setVertexBuffer(mesh.buffer);
    gDevice->DrawPrimitive(kTriangleList, 0, mesh.faceCount);
}

// Writes every corner's position moved by offset and, when frames is set,
// its vertex's normal, tangent and binormal into texture sets 1 to 3.
void RewriteMesh(kaMesh& mesh, int frames, const kaVector3f& offset) {
    kaVertexBuffer* buffer = mesh.buffer;
    if (buffer->Lock(0, 0, 0) != KA_OK) return;
    for (uint32_t vertex : mesh.faces) {
        const float* p = &mesh.positions[3 * size_t(vertex)];
        buffer->Vertex3f(p[0] + offset.x, p[1] + offset.y, p[2] + offset.z);
        if (frames) {
            const kaTangentFrame& f = mesh.frames[vertex];
            buffer->TexCoord3f(1, f.normal[0], f.normal[1], f.normal[2]);
            buffer->TexCoord3f(2, f.tangent[0], f.tangent[1], f.tangent[2]);
            buffer->TexCoord3f(3, f.binormal[0], f.binormal[1], f.binormal[2]);
        }
    }
    buffer->Unlock();
    mesh.refresh = 0;
}

}  // namespace

kaShaderRenderer::kaShaderRenderer()
    : lightBase(), lightPosition(), lightOffset(), pDiffSpecShader(nullptr),
      pDiffShader(nullptr), pAttenShader(nullptr), pSkyBoxPixelShader(nullptr),
      pVShader(nullptr), pSimpleVshader(nullptr), pSkyBoxShader(nullptr),
      pRender2dShader(nullptr), pVertex2dShader(nullptr), pAtten2D(nullptr),
      pAtten1D(nullptr), pNormalCubeMap(nullptr), transformation(), world() {}

int kaShaderRenderer::Init(int, int) {
    Release();
    const int result = LoadShaders();
    if (result != KA_OK) return result;
    // A missing cube map or attenuation picture has shown its message; the
    // renderer works on without it.
    CreateNormalizationCubeMap(kCubeMapEdge);
    pAtten2D = new kaTexture;
    pAtten2D->Load("atten2D.jpg");
    pAtten1D = new kaTexture;
    pAtten1D->Load("atten1D.jpg");
    lightBase = {702.0801f, -289.8072f, 500.7891f};
    return KA_OK;
}

int kaShaderRenderer::LoadShaders() {
    for (const PixelShaderFile& file : kPixelShaders) {
        if (LoadPixelShader(file.name, &(this->*file.shader)) != KA_OK) return KA_ERR_UNSUPPORTED;
    }
    for (const VertexShaderFile& file : kVertexShaders) {
        if (LoadVertexShader(file.name, &(this->*file.shader), file.vertexFormat) != KA_OK) {
            return KA_ERR_UNSUPPORTED;
        }
    }
    return KA_OK;
}

int kaShaderRenderer::LoadVertexShader(const char* name, kaVertexShader** shader,
                                       unsigned vertexFormat) {
    const auto create = [vertexFormat](kaVertexShader** out, void* text, unsigned size) {
        return gDevice->CreateVertexShader(out, vertexFormat, text, size);
    };
    return LoadShader(name, shader, create);
}

int kaShaderRenderer::LoadPixelShader(const char* name, kaPixelShader** shader) {
    return LoadShader(name, shader, [](kaPixelShader** out, void* text, unsigned size) {
        return gDevice->CreatePixelShader(out, text, size);
    });
}

int kaShaderRenderer::CreateNormalizationCubeMap(unsigned edge) {
    if (pNormalCubeMap != nullptr) pNormalCubeMap->Release();
    return kaNormalizationCubeMap::Create(&pNormalCubeMap, edge);
}

void kaShaderRenderer::BeginFrame() {
    lightPosition = {lightBase.x + lightOffset.x, lightBase.y + lightOffset.y,
                     lightBase.z + lightOffset.z};
    if (pDiffSpecShader == nullptr || pDiffShader == nullptr || gDevice == nullptr) return;
    float lighting[8] = {0.2f, 0.3f, 0.4f, 1.0f, 0.7f, 1.0f, 0.8f, 1.0f};
    gDevice->setPixelShaderConstant(0, lighting, 2);

    kaMatrix44f worldMatrix = kaMatrixMath::Identity();
    kaMatrix44f projection = kaMatrixMath::Identity();
    kaMatrix44f view = kaMatrixMath::Identity();
    gDevice->getMatrix(KA_TS_WORLD, &worldMatrix);
    gDevice->getMatrix(KA_TS_PROJECTION, &projection);
    gDevice->getMatrix(KA_TS_VIEW, &view);
    transformation = Transposed(
        kaMatrixMath::Multiply(kaMatrixMath::Multiply(worldMatrix, view), projection));
    gDevice->setVertexShaderConstant(4, transformation.m, 4);
    if (BindVertexShader(pVShader) != KA_OK) return;
    world = Transposed(worldMatrix);
    gDevice->setVertexShaderConstant(8, world.m, 4);
    for (unsigned stage = 1; stage <= 2; ++stage) {
        gDevice->setTexture(stage, pNormalCubeMap);
        SetAddressMode(stage, kClamp);
    }
}

void kaShaderRenderer::MoveModel(kaMeshModel* model, const kaCamera* camera, int flag,
                                 const kaVector3f& offset) {
    if (model == nullptr || camera == nullptr || gDevice == nullptr) return;
    for (size_t i = 0; i < MeshCount(*model); ++i) {
        kaMesh& mesh = model->meshes[i];
        // Only meshes with coordinates carry tangent frames.
        if (mesh.coordCount == 0 || mesh.frames.size() < mesh.vertexCount ||
            DeviceTexture(MaterialOf(*model, mesh), 1) == nullptr) {
            break;
        }
        if (mesh.refresh && mesh.buffer != nullptr) RewriteMesh(mesh, flag, offset);
    }
}

void kaShaderRenderer::DrawBumpedModel(kaMeshModel* model, const kaCamera* camera, int specular) {
    if (model == nullptr || camera == nullptr || gDevice == nullptr) return;
    gDevice->setRenderState(kZEnable, 1);
    if (BindVertexShader(pVShader) != KA_OK) return;
    gDevice->setPixelShader(specular ? pDiffSpecShader : pDiffShader);
    SetAddressMode(0, kWrap);
    gDevice->setTextureState(0, kTextureTransformFlags, 0);
    SetVectorConstant(16, lightPosition);
    SetVectorConstant(17, camera->eye);
    SetCoordinateIndices();
    for (size_t i = 0; i < MeshCount(*model); ++i) {
        const kaMesh& mesh = model->meshes[i];
        const kaTextureList* material = MaterialOf(*model, mesh);
        kaBaseTexture* colourMap = DeviceTexture(material, 0);
        kaBaseTexture* normalMap = DeviceTexture(material, 1);
        if (mesh.coordCount == 0 || material == nullptr || material->count != 2 ||
            colourMap == nullptr || normalMap == nullptr || mesh.buffer == nullptr) {
            continue;
        }
        gDevice->setTexture(0, normalMap);
        gDevice->setTexture(3, colourMap);
        DrawMesh(mesh);
    }
}

void kaShaderRenderer::DrawSkyBox(kaMeshModel* model, const kaCamera* camera) {
    if (model == nullptr || camera == nullptr || gDevice == nullptr) return;
    if (gDevice->setPixelShader(pSkyBoxPixelShader) != KA_OK) {
        InfoBox(kPassCaption, "Setting pixel shader..");
        return;
    }
    SetVectorConstant(12, {camera->eye.x - model->centre[0], camera->eye.y - model->centre[1],
                           camera->eye.z - model->centre[2]});
    if (BindVertexShader(pSkyBoxShader) != KA_OK) return;
    gDevice->setRenderState(kZEnable, 0);
    SetAddressMode(0, kClamp);
    SetCoordinateIndices();
    for (size_t i = 0; i < MeshCount(*model); ++i) {
        const kaMesh& mesh = model->meshes[i];
        kaBaseTexture* texture = DeviceTexture(MaterialOf(*model, mesh), 0);
        if (texture == nullptr || mesh.buffer == nullptr) continue;
        gDevice->setTexture(0, texture);
        DrawMesh(mesh);
    }
    gDevice->setRenderState(kZEnable, 1);
    SetAddressMode(0, kWrap);
}

int kaShaderRenderer::BindVertexShader(kaVertexShader* shader) {
    if (gDevice->setVertexShader(shader) == KA_OK) return KA_OK;
    InfoBox(kPassCaption, "Setting vertex shader..");
    return KA_ERR_PLATFORM;
}

void kaShaderRenderer::Release() {
    ReleaseVertexShader(pVShader, "pVShader");
    ReleaseVertexShader(pSimpleVshader, "pSimpleVshader");
    ReleaseVertexShader(pSkyBoxShader, "pSkyBoxShader");
    if (pVertex2dShader != nullptr) pVertex2dShader->Release();
    pVertex2dShader = nullptr;
    for (kaPixelShader** shader : {&pRender2dShader, &pDiffSpecShader, &pDiffShader,
                                   &pAttenShader, &pSkyBoxPixelShader}) {
        if (*shader != nullptr) (*shader)->Release();
        *shader = nullptr;
    }
    if (pNormalCubeMap != nullptr) pNormalCubeMap->Release();
    pNormalCubeMap = nullptr;
    delete pAtten2D;  // each releases its device texture
    pAtten2D = nullptr;
    delete pAtten1D;
    pAtten1D = nullptr;
}

// A shader that was never made is skipped; one whose release fails is
// reported and forgotten all the same, so it is never released twice.
void kaShaderRenderer::ReleaseVertexShader(kaVertexShader*& shader, const char* name) {
    if (shader != nullptr && shader->Release() != KA_OK) {
        ErrorBox("Error!", "Releasing vertex shader %s", name);
    }
    shader = nullptr;
}
