#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "kaCamera.h"
#include "kaDeviceGlobal.h"
#include "kaMatrixMath.h"
#include "kaMediaTree.h"
#include "kaMeshModel.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"
#include "kaResult.h"
#include "kaShaderRenderer.h"
#include "kaTestModels.h"
#include "kaTestPictures.h"

namespace {

using namespace kaTestModels;

const char* const kPixelShaderFiles[] = {"DiffSpecCM.psh", "DiffCM.psh", "Atten.psh", "SkyBox.psh",
                                         "Render2d.psh"};
const char* const kVertexShaderFiles[] = {"vertex.vsh", "Atten.vsh", "SkyBox.vsh", "vertex2d.vsh"};

// The shader texts only name their file: the recording device keeps them.
std::string TextOf(const std::string& name) { return "; " + name + "\n"; }

class ShaderRendererTest : public ::testing::Test {
protected:
    ShaderRendererTest() {
        gDevice = &device;
        for (const char* name : kPixelShaderFiles) PutShader(name);
        for (const char* name : kVertexShaderFiles) PutShader(name);
        const std::string picture = kaTestPictures::Tga(2, 1, 1, 24, 0x20, "abc");
        for (const char* name : {"atten2D.jpg", "atten1D.jpg", "c.tga", "n.tga", "x.tga"}) {
            media.put(std::string("xImages/") + name, picture);
        }
        camera.eye = {5, 6, 7};
    }
    ~ShaderRendererTest() override {
        renderer.Release();
        model.Release();
        gDevice = nullptr;
    }

    void PutShader(const std::string& name) const { media.put("xShaders/" + name, TextOf(name)); }
    static void RemoveShader(const std::string& name) {
        std::filesystem::remove("../xMedia/xShaders/" + name);
    }
    void Load(const std::vector<Material>& materials, const std::vector<Mesh>& meshes) {
        media.put("xModels/m.tdm", Tdm(materials, meshes, {}));
        ASSERT_EQ(model.Load("m.tdm"), KA_OK);
    }
    // Colour and normal map; colour only; three textures; none.
    static std::vector<Material> Materials() {
        Material two, one, three, none;
        two.textures = {"c.tga", "n.tga"};
        one.textures = {"c.tga"};
        three.textures = {"c.tga", "n.tga", "x.tga"};
        return {two, one, three, none};
    }
    static Mesh Faces(int material, unsigned faces) {
        Mesh mesh = Triangle(material);
        mesh.vertices[0].position[2] = 3;
        for (unsigned f = 1; f < faces; ++f) {
            mesh.faces.insert(mesh.faces.end(), {2, 1, 0, 2, 1, 0});
        }
        return mesh;
    }
    kaBaseTexture* MaterialTexture(unsigned material, unsigned index) const {
        return model.materials[material].textures[index].texture;
    }
    std::array<float, 4> VertexConstant(int reg) const {
        return device.vertexShaderConstants().at(reg);
    }
    unsigned StageState(unsigned stage, unsigned state) {
        unsigned value = 0;
        device.getTextureState(stage, state, &value);
        return value;
    }

    kaMediaTree media;
    kaRecordingDevice device;
    kaRecordingMessageBoxes boxes;
    kaShaderRenderer renderer;
    kaCamera camera;
    kaMeshModel model;
};

TEST_F(ShaderRendererTest, InitLoadsTheShaderSetThenTheCubeMapAndTheAttenuationPictures) {
    ASSERT_EQ(renderer.Init(800, 600), KA_OK);
    std::vector<std::string> creations;
    for (const std::string& name : device.callNames()) {
        if (name.rfind("Create", 0) == 0) creations.push_back(name);
    }
    std::vector<std::string> expected(5, "CreatePixelShader");
    expected.insert(expected.end(), 4, "CreateVertexShader");
    expected.insert(expected.end(), {"CreateCubeTexture", "CreateTexture", "CreateTexture"});
    EXPECT_EQ(creations, expected);

    kaPixelShader* const pixel[] = {renderer.pDiffSpecShader, renderer.pDiffShader,
                                    renderer.pAttenShader, renderer.pSkyBoxPixelShader,
                                    renderer.pRender2dShader};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(device.recorded(pixel[i]), nullptr) << i;
        EXPECT_EQ(device.recorded(pixel[i])->source(), TextOf(kPixelShaderFiles[i]));
    }
    kaVertexShader* const vertex[] = {renderer.pVShader, renderer.pSimpleVshader,
                                      renderer.pSkyBoxShader, renderer.pVertex2dShader};
    const unsigned formats[] = {0x540402, 0x2, 0x102, 0x102};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(device.recorded(vertex[i]), nullptr) << i;
        EXPECT_EQ(device.recorded(vertex[i])->source(), TextOf(kVertexShaderFiles[i]));
        EXPECT_EQ(device.recorded(vertex[i])->vertexFormat(), formats[i]);
    }
    EXPECT_EQ(device.lastCall("CreateVertexShader")->u(3), TextOf("vertex2d.vsh").size());

    ASSERT_NE(device.recorded(renderer.pNormalCubeMap), nullptr);
    EXPECT_EQ(device.recorded(renderer.pNormalCubeMap)->width(0), 64u);
    ASSERT_NE(renderer.pAtten2D, nullptr);
    EXPECT_STREQ(renderer.pAtten2D->path, "../xMedia/xImages/atten2D.jpg");
    EXPECT_NE(renderer.pAtten1D->texture, nullptr);
    EXPECT_FLOAT_EQ(renderer.lightBase.x, 702.0801f);
    EXPECT_FLOAT_EQ(renderer.lightBase.y, -289.8072f);
    EXPECT_FLOAT_EQ(renderer.lightBase.z, 500.7891f);
    EXPECT_TRUE(boxes.boxes().empty());

    renderer.Release();
    renderer.Release();
    EXPECT_EQ(device.liveResourceCount(), 0u);
    EXPECT_EQ(renderer.pVShader, nullptr);
    EXPECT_EQ(renderer.pAtten2D, nullptr);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ShaderRendererTest, AMissingShaderEndsInitAndReleaseFreesWhatWasMade) {
    RemoveShader("SkyBox.vsh");
    EXPECT_EQ(renderer.Init(800, 600), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(device.count("CreateVertexShader"), 2u) << "vertex2d.vsh is not loaded";
    EXPECT_EQ(device.count("CreateCubeTexture"), 0u);
    renderer.Release();
    EXPECT_EQ(device.liveResourceCount(), 0u);

    // Without a pixel shader no vertex shader exists: releasing must not
    // touch the missing ones.
    RemoveShader("DiffCM.psh");
    EXPECT_EQ(renderer.Init(800, 600), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(renderer.pVShader, nullptr);
    renderer.Release();
    EXPECT_EQ(device.liveResourceCount(), 0u);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ShaderRendererTest, ShaderLoadResults) {
    kaVertexShader* vertex = nullptr;
    kaPixelShader* pixel = nullptr;
    EXPECT_EQ(renderer.LoadVertexShader(nullptr, &vertex, 0x2), KA_ERR_WRONGSTATE);
    EXPECT_EQ(renderer.LoadVertexShader("vertex.vsh", nullptr, 0x2), KA_ERR_INVALIDARG);
    EXPECT_EQ(renderer.LoadPixelShader("none.psh", &pixel), KA_ERR_READFAIL);
    EXPECT_EQ(renderer.LoadPixelShader(std::string(300, 'a').c_str(), &pixel), KA_ERR_READFAIL);
    EXPECT_TRUE(boxes.boxes().empty());

    device.failNext("CreateVertexShader", KA_ERR_PLATFORM);
    EXPECT_EQ(renderer.LoadVertexShader("vertex.vsh", &vertex, 0x2), KA_ERR_UNSUPPORTED);
    device.failNext("CreatePixelShader", KA_ERR_PLATFORM);
    EXPECT_EQ(renderer.LoadPixelShader("DiffCM.psh", &pixel), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(vertex, nullptr);
    EXPECT_EQ(pixel, nullptr);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error creating vertex shader");
    EXPECT_EQ(boxes.boxes()[0].text, "-> ../xMedia/xShaders/vertex.vsh");
    EXPECT_EQ(boxes.boxes()[0].style, 0x40u);
    EXPECT_EQ(boxes.boxes()[1].caption, "Error creating vertex shader");
    EXPECT_EQ(boxes.boxes()[1].text, "-> ../xMedia/xShaders/DiffCM.psh");

    ASSERT_EQ(renderer.LoadVertexShader("Atten.vsh", &vertex, 0x2), KA_OK);
    EXPECT_EQ(device.recorded(vertex)->source(), TextOf("Atten.vsh"));
    vertex->Release();
}

TEST_F(ShaderRendererTest, BeginFrameSetsLightingTransformsAndCubeMapStages) {
    ASSERT_EQ(renderer.Init(800, 600), KA_OK);
    kaMatrix44f world = kaMatrixMath::Translation(1, 2, 3);
    kaMatrix44f view = kaMatrixMath::RotationZ(0.5f);
    kaMatrix44f projection = kaMatrixMath::PerspectiveFovRH(1.0f, 1.5f, 1, 100);
    device.setMatrix(256, &world);
    device.setMatrix(2, &view);
    device.setMatrix(3, &projection);
    renderer.lightOffset = {0, -1000, 1000};
    renderer.BeginFrame();

    EXPECT_FLOAT_EQ(renderer.lightPosition.y, -1289.8072f);
    EXPECT_FLOAT_EQ(renderer.lightPosition.z, 1500.7891f);
    EXPECT_EQ(device.pixelShaderConstants().at(0), (std::array<float, 4>{0.2f, 0.3f, 0.4f, 1.0f}));
    EXPECT_EQ(device.pixelShaderConstants().at(1), (std::array<float, 4>{0.7f, 1.0f, 0.8f, 1.0f}));
    // Row r of the constants is column r of the matrix: dp4 with a row vector.
    const kaMatrix44f all =
        kaMatrixMath::Multiply(kaMatrixMath::Multiply(world, view), projection);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(VertexConstant(4 + r)[c], all.m[4 * c + r]) << r << c;
            EXPECT_FLOAT_EQ(VertexConstant(8 + r)[c], world.m[4 * c + r]) << r << c;
        }
    }
    EXPECT_EQ(device.currentVertexShader(), renderer.pVShader);
    for (unsigned stage : {1u, 2u}) {
        kaBaseTexture* bound = nullptr;
        device.getTexture(stage, &bound);
        EXPECT_EQ(bound, renderer.pNormalCubeMap);
        EXPECT_EQ(StageState(stage, 13), 3u);
        EXPECT_EQ(StageState(stage, 14), 3u);
    }
}

TEST_F(ShaderRendererTest, BeginFrameWithoutTheLightingShadersOnlyMovesTheLight) {
    renderer.lightOffset = {1, 2, 3};
    renderer.BeginFrame();
    EXPECT_FLOAT_EQ(renderer.lightPosition.z, 3.0f);
    EXPECT_TRUE(device.calls().empty());
}

TEST_F(ShaderRendererTest, ARefusedVertexShaderIsShownEveryFrameAndEndsThePass) {
    ASSERT_EQ(renderer.Init(800, 600), KA_OK);
    Load(Materials(), {Faces(0, 1)});
    device.clearCalls();
    device.failNext("setVertexShader", KA_ERR_PLATFORM, 2);
    renderer.BeginFrame();
    renderer.DrawBumpedModel(&model, &camera, 1);
    EXPECT_EQ(device.count("setTexture"), 0u);
    EXPECT_EQ(device.count("DrawPrimitive"), 0u);
    EXPECT_EQ(device.vertexShaderConstants().count(8), 0u);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(box.caption, "Error!!!");
        EXPECT_EQ(box.text, "Setting vertex shader..");
        EXPECT_EQ(box.style, 0x40u);
    }
}

TEST_F(ShaderRendererTest, BumpedPassDrawsMeshesWithAColourAndANormalMap) {
    ASSERT_EQ(renderer.Init(800, 600), KA_OK);
    Mesh bare = Faces(0, 1);
    bare.coords.clear();
    // The first mesh gets no vertex buffer.
    device.failNext("CreateVertexBuffer", KA_ERR_PLATFORM);
    Load(Materials(), {Faces(0, 1), Faces(0, 2), Faces(1, 1), Faces(2, 1), bare, Faces(0, 3)});
    const size_t loadBoxes = boxes.boxes().size();
    device.BeginRender();
    renderer.BeginFrame();
    renderer.lightPosition = {1, 2, 3};
    renderer.DrawBumpedModel(&model, &camera, 1);
    renderer.DrawBumpedModel(&model, &camera, 0);

    const auto& draws = device.draws();
    ASSERT_EQ(draws.size(), 4u);
    const kaMesh* drawn[] = {&model.meshes[1], &model.meshes[5]};
    const auto primitives = device.callsNamed("DrawPrimitive");
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(draws[i].vertexBuffer, drawn[i % 2]->buffer);
        EXPECT_EQ(draws[i].vertexShader, renderer.pVShader);
        EXPECT_EQ(draws[i].pixelShader, i < 2 ? renderer.pDiffSpecShader : renderer.pDiffShader);
        EXPECT_EQ(draws[i].textures[0], MaterialTexture(0, 1)) << "normal map";
        EXPECT_EQ(draws[i].textures[1], renderer.pNormalCubeMap);
        EXPECT_EQ(draws[i].textures[2], renderer.pNormalCubeMap);
        EXPECT_EQ(draws[i].textures[3], MaterialTexture(0, 0)) << "colour map";
        EXPECT_EQ(primitives[i].u(0), 4u);
        EXPECT_EQ(primitives[i].u(1), 0u);
        EXPECT_EQ(primitives[i].u(2), drawn[i % 2]->faceCount);
    }
    EXPECT_EQ(VertexConstant(16), (std::array<float, 4>{1, 2, 3, 1}));
    EXPECT_EQ(VertexConstant(17), (std::array<float, 4>{5, 6, 7, 1}));
    unsigned depth = 0;
    device.getRenderState(7, &depth);
    EXPECT_EQ(depth, 1u);
    EXPECT_EQ(StageState(0, 13), 1u);
    EXPECT_EQ(StageState(0, 14), 1u);
    EXPECT_EQ(StageState(0, 24), 0u);
    for (unsigned stage = 0; stage < 8; ++stage) EXPECT_EQ(StageState(stage, 11), stage);
    EXPECT_TRUE(device.misuse().empty()) << device.misuse().front();
    EXPECT_EQ(boxes.boxes().size(), loadBoxes);

    device.clearCalls();
    renderer.DrawBumpedModel(nullptr, &camera, 1);
    renderer.DrawBumpedModel(&model, nullptr, 1);
    EXPECT_TRUE(device.calls().empty());
}

TEST_F(ShaderRendererTest, SkyPassDrawsEveryMeshWithAFirstTextureWithoutDepth) {
    ASSERT_EQ(renderer.Init(800, 600), KA_OK);
    Load(Materials(), {Faces(0, 1), Faces(3, 1), Faces(1, 2)});
    device.BeginRender();
    device.clearCalls();
    renderer.DrawSkyBox(&model, &camera);

    ASSERT_EQ(device.draws().size(), 2u);
    EXPECT_EQ(device.draws()[0].vertexBuffer, model.meshes[0].buffer);
    EXPECT_EQ(device.draws()[0].textures[0], MaterialTexture(0, 0));
    EXPECT_EQ(device.draws()[1].vertexBuffer, model.meshes[2].buffer);
    EXPECT_EQ(device.draws()[1].textures[0], MaterialTexture(1, 0));
    EXPECT_EQ(device.callsNamed("DrawPrimitive")[1].u(2), 2u);
    for (const auto& draw : device.draws()) {
        EXPECT_EQ(draw.vertexShader, renderer.pSkyBoxShader);
        EXPECT_EQ(draw.pixelShader, renderer.pSkyBoxPixelShader);
    }
    EXPECT_EQ(VertexConstant(12), (std::array<float, 4>{5 - model.centre[0], 6 - model.centre[1],
                                                        7 - model.centre[2], 1}));
    // Depth off and clamped addressing around the draws, then back.
    std::vector<unsigned> depth, address;
    size_t depthOff = 0, depthOn = 0;
    for (size_t i = 0; i < device.calls().size(); ++i) {
        const kaDeviceCall& call = device.calls()[i];
        if (call.name == "setRenderState" && call.u(0) == 7) {
            (call.u(1) == 0 ? depthOff : depthOn) = i;
            depth.push_back(call.u(1));
        }
        if (call.name == "setTextureState" && call.u(0) == 0 && call.u(1) == 13) {
            address.push_back(call.u(2));
        }
    }
    EXPECT_EQ(depth, (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(address, (std::vector<unsigned>{3, 1}));
    EXPECT_LT(depthOff, device.draws().front().callIndex);
    EXPECT_GT(depthOn, device.draws().back().callIndex);
    // The sky shader reads position and set 0, the first 20 bytes of each
    // 56-byte vertex; the device takes the stride from the buffer, so this
    // is sound, but the recording device notes every format mismatch.
    for (const std::string& misuse : device.misuse()) {
        EXPECT_EQ(misuse, "DrawPrimitive with vertex format 0x102 on a buffer of 0x540402");
    }

    device.failNext("setPixelShader", KA_ERR_PLATFORM);
    renderer.DrawSkyBox(&model, &camera);
    EXPECT_EQ(device.draws().size(), 2u);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error!!!");
    EXPECT_EQ(boxes.boxes()[0].text, "Setting pixel shader..");
}

TEST_F(ShaderRendererTest, MoveModelRewritesRefreshedMeshesUpToTheFirstWithoutANormalMap) {
    Load(Materials(), {Faces(0, 2), Faces(1, 1), Faces(0, 1)});
    kaMesh& moved = model.meshes[0];
    kaRecordingVertexBuffer* buffer = device.recorded(moved.buffer);
    const kaVector3f offset = {10, 20, 30};
    renderer.MoveModel(&model, &camera, 1, offset);

    EXPECT_EQ(moved.refresh, 0);
    for (unsigned corner = 0; corner < 6; ++corner) {
        const uint32_t v = moved.faces[corner];
        const kaTangentFrame& frame = moved.frames[v];
        for (unsigned axis = 0; axis < 3; ++axis) {
            const float* shift = &offset.x;
            EXPECT_EQ(buffer->floatAt(corner, kaVertexLayout::POSITION, axis),
                      moved.positions[3 * v + axis] + shift[axis]);
            const float* channels[3] = {frame.normal, frame.tangent, frame.binormal};
            for (unsigned set = 1; set <= 3; ++set) {
                const auto component = kaVertexLayout::Component(kaVertexLayout::TEXCOORD0 + set);
                EXPECT_EQ(buffer->floatAt(corner, component, axis), channels[set - 1][axis]);
            }
        }
        EXPECT_EQ(buffer->floatAt(corner, kaVertexLayout::TEXCOORD0, 0),
                  model.meshes[0].coords[2 * model.meshes[0].faceCoords[corner]]);
    }
    EXPECT_EQ(model.meshes[1].refresh, 1) << "no normal map: the walk stops";
    EXPECT_EQ(model.meshes[2].refresh, 1);
    EXPECT_EQ(device.recorded(model.meshes[2].buffer)->lockCount(), 1u) << "only the load's";

    renderer.MoveModel(&model, &camera, 1, offset);
    EXPECT_EQ(buffer->lockCount(), 2u) << "cleared refresh: untouched";

    // Without the flag only positions are written.
    moved.refresh = 1;
    renderer.MoveModel(&model, &camera, 0, {0, 0, 0});
    EXPECT_EQ(buffer->cursor(kaVertexLayout::POSITION), 6u);
    EXPECT_EQ(buffer->cursor(kaVertexLayout::TEXCOORD1), 0u);
    EXPECT_EQ(buffer->floatAt(0, kaVertexLayout::POSITION, 2), 3.0f);

    moved.refresh = 1;
    device.failNext("VertexBuffer.Lock", KA_ERR_PLATFORM);
    renderer.MoveModel(&model, &camera, 1, offset);
    EXPECT_EQ(moved.refresh, 1);
    EXPECT_EQ(device.count("VertexBuffer.Unlock"), 5u) << "three loads, two rewrites";
    EXPECT_TRUE(device.misuse().empty());
}

TEST_F(ShaderRendererTest, AFailedVertexShaderReleaseIsReported) {
    ASSERT_EQ(renderer.Init(800, 600), KA_OK);
    device.failNext("VertexShader.Release", KA_ERR_PLATFORM);
    renderer.Release();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error!");
    EXPECT_EQ(boxes.boxes()[0].text, "Releasing vertex shader pVShader");
    EXPECT_EQ(boxes.boxes()[0].style, 0x10u);
    EXPECT_EQ(renderer.pVShader, nullptr);
    EXPECT_EQ(device.liveResourceCount(), 1u) << "only the shader that refused";
}

}  // namespace
