#pragma once

#include "kaRenderTypes.h"

class kaBaseTexture;
class kaCamera;
class kaMeshModel;
class kaPixelShader;
class kaTexture;
class kaVertexShader;

// The renderer of the 3D scenes: per-pixel bump-mapped lighting of models
// and the sky box through the shader programs of "../xMedia/xShaders/", a
// normalization cube map built on the processor, and one point light.
// Per frame: MoveModel for models whose vertices changed, BeginFrame, then
// DrawSkyBox and DrawBumpedModel.  Everything is drawn on gDevice.
class kaShaderRenderer {
public:
    static constexpr unsigned kCubeMapEdge = 64;

    kaShaderRenderer();
    kaShaderRenderer(const kaShaderRenderer&) = delete;
    kaShaderRenderer& operator=(const kaShaderRenderer&) = delete;

    // Frees what an earlier Init made, loads the shaders, builds the cube map
    // and loads the attenuation pictures; the size is not used.  0, or 6 at
    // the first shader that cannot be loaded (the ones made stay until
    // Release; a cube map or picture failure shows its box and is not fatal).
    int Init(int width, int height);
    // Load "../xMedia/xShaders/" + name as a shader: 0; 2 without a handle
    // to fill; 3 without a name or a device; 10 when the file cannot be
    // read; 6 when the device refuses it (after an information box) or
    // hands out nothing.
    int LoadVertexShader(const char* name, kaVertexShader** shader, unsigned vertexFormat);
    int LoadPixelShader(const char* name, kaPixelShader** shader);
    // Replaces the cube map with one of edge x edge texels a face: 0, or 11
    // after an error box, leaving none.
    int CreateNormalizationCubeMap(unsigned edge);

    // Light position, lighting constants, transforms and cube-map stages.
    void BeginFrame();
    // Rewrites the vertex buffers of the meshes whose refresh flag is set:
    // positions moved by offset and, when flag is set, the tangent frames.
    void MoveModel(kaMeshModel* model, const kaCamera* camera, int flag, const kaVector3f& offset);
    // Draws the meshes that carry a colour map and a normal map.
    void DrawBumpedModel(kaMeshModel* model, const kaCamera* camera, int specular);
    // Draws the meshes with their first texture around the eye, without depth.
    void DrawSkyBox(kaMeshModel* model, const kaCamera* camera);
    // Frees every shader and texture; the renderer can be initialised again.
    void Release();

    kaVector3f lightBase;      // fixed light position
    kaVector3f lightPosition;  // lightBase + lightOffset, from BeginFrame
    kaVector3f lightOffset;    // moved by the scenes
    kaPixelShader* pDiffSpecShader;  // DiffSpecCM.psh: diffuse and specular bump pass
    kaPixelShader* pDiffShader;      // DiffCM.psh: diffuse bump pass
    kaPixelShader* pAttenShader;     // Atten.psh
    kaPixelShader* pSkyBoxPixelShader;  // SkyBox.psh
    kaVertexShader* pVShader;        // vertex.vsh: bump passes
    kaVertexShader* pSimpleVshader;  // Atten.vsh
    kaVertexShader* pSkyBoxShader;   // SkyBox.vsh: sky pass
    kaPixelShader* pRender2dShader;  // Render2d.psh
    kaVertexShader* pVertex2dShader;  // vertex2d.vsh
    kaTexture* pAtten2D;  // "atten2D.jpg"
    kaTexture* pAtten1D;  // "atten1D.jpg"
    kaBaseTexture* pNormalCubeMap;  // stages 1 and 2 of the bump passes
    kaMatrix44f transformation;  // transposed world x view x projection: c4-c7
    kaMatrix44f world;           // transposed world: c8-c11

private:
    int LoadShaders();
    // 0, or 1 after the information box.
    int BindVertexShader(kaVertexShader* shader);
    void ReleaseVertexShader(kaVertexShader*& shader, const char* name);
};
