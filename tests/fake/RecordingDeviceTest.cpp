#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "kaMatrixMath.h"
#include "kaRecordingDevice.h"

namespace {

constexpr float kPi = 3.14159265f;

void ExpectMatrixNear(const kaMatrix44f& actual, const kaMatrix44f& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5f) << "element " << i;
}

class RecordingDeviceTest : public ::testing::Test {
protected:
    kaMatrix44f Matrix(unsigned id) {
        kaMatrix44f m{};
        EXPECT_EQ(device.getMatrix(id, &m), 0);
        return m;
    }
    // A 0x142 triangle list of `count` vertices, filled and unlocked, and
    // bound with its format.
    kaVertexBuffer* BindTriangles(unsigned count) {
        kaVertexBuffer* vb = nullptr;
        EXPECT_EQ(device.CreateVertexBuffer(&vb, 0x142, count, 0), 0);
        EXPECT_EQ(vb->Lock(0, 0, 0), 0);
        for (unsigned v = 0; v < count; ++v) vb->Vertex3f(v, 0, 0);
        EXPECT_EQ(vb->Unlock(), 0);
        device.setVertexBuffer(vb);
        device.setVertexFormat(0x142);
        return vb;
    }

    kaRecordingDevice device;
};

TEST_F(RecordingDeviceTest, RenderAndStageStatesReadBackWhatWasSet) {
    unsigned value = 0;
    EXPECT_EQ(device.getRenderState(27, &value), 0);
    EXPECT_EQ(value, kaRecordingDevice::kUnset);
    EXPECT_EQ(device.setRenderState(27, 1), 0);
    EXPECT_EQ(device.setRenderState(0x80000003, 1), 0);
    EXPECT_EQ(device.setRenderState(0x80000008, 1), 2);
    EXPECT_EQ(device.getRenderState(0x80000003, &value), 0);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(device.getRenderState(27, &value), 0);
    EXPECT_EQ(value, 1u);
    value = 5;
    EXPECT_EQ(device.getRenderState(0x80000008, &value), 2);
    EXPECT_EQ(value, 5u);

    EXPECT_EQ(device.setTextureState(1, 1, 4), 0);
    EXPECT_EQ(device.setTextureState(8, 1, 4), 2);
    EXPECT_EQ(device.getTextureState(1, 1, &value), 0);
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(device.getTextureState(0, 1, &value), 0);
    EXPECT_EQ(value, kaRecordingDevice::kUnset) << "stages are kept apart";
}

TEST_F(RecordingDeviceTest, RecordsRoundTripThroughTheirGetters) {
    kaViewport viewport{10, 20, 300, 400};
    kaFog fog{3, 0.5f, 0.25f, 0.0f, 1.0f, 50.0f, 0.1f};
    kaMaterial material{};
    material.power = 8.0f;
    kaLight light;
    light.type = 3;
    light.direction = {0, 0, 1};
    ASSERT_EQ(device.setViewport(&viewport), 0);
    ASSERT_EQ(device.setFog(&fog), 0);
    ASSERT_EQ(device.setMaterial(&material), 0);
    ASSERT_EQ(device.setLight(7, &light), 0);
    EXPECT_EQ(device.setLight(8, &light), 2);
    EXPECT_EQ(device.setViewport(nullptr), 2);

    kaViewport v{};
    kaFog f{};
    kaMaterial m{};
    kaLight l;
    ASSERT_EQ(device.getViewport(&v), 0);
    ASSERT_EQ(device.getFog(&f), 0);
    ASSERT_EQ(device.getMaterial(&m), 0);
    ASSERT_EQ(device.getLight(7, &l), 0);
    EXPECT_EQ(v.width, 300u);
    EXPECT_EQ(f.end, 50.0f);
    EXPECT_EQ(m.power, 8.0f);
    EXPECT_EQ(l.type, 3u);
    EXPECT_EQ(l.direction.z, 1.0f);
    ASSERT_EQ(device.getLight(0, &l), 0);
    EXPECT_EQ(l.type, 0u);

    const kaDeviceCall* set = device.lastCall("setFog");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->value<kaFog>().start, 1.0f) << "the call keeps a copy of the record";
}

TEST_F(RecordingDeviceTest, TexturesAndBindingsPerStage) {
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(device.CreateTexture(&texture, 4, 4, 21, 1, 0), 0);
    kaBaseTexture* got = texture;
    ASSERT_EQ(device.getTexture(2, &got), 0);
    EXPECT_EQ(got, nullptr);
    ASSERT_EQ(device.setTexture(2, texture), 0);
    ASSERT_EQ(device.getTexture(2, &got), 0);
    EXPECT_EQ(got, texture);
    EXPECT_EQ(texture->getRefCount(), 1u) << "binding does not count";
    EXPECT_EQ(device.setTexture(8, texture), 2);

    kaVertexShader* shader = nullptr;
    std::string text = "vs.1.1\nmov oPos, v0\n";
    ASSERT_EQ(device.CreateVertexShader(&shader, 0x142, text.data(),
                                        static_cast<unsigned>(text.size())), 0);
    EXPECT_EQ(device.recorded(shader)->source(), text);
    device.setVertexFormat(0x142);
    device.setVertexShader(shader);
    EXPECT_EQ(device.currentVertexFormat(), 0u);
    EXPECT_EQ(device.currentVertexShader(), shader);
    device.setVertexFormat(0x002);
    EXPECT_EQ(device.currentVertexShader(), nullptr) << "format and shader share one word";
}

TEST_F(RecordingDeviceTest, ShaderConstantsAreKeptPerRegister) {
    float values[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(device.setVertexShaderConstant(94, values, 2), 0);
    EXPECT_EQ(device.vertexShaderConstants().at(95)[3], 8.0f);
    EXPECT_EQ(device.lastCall("setVertexShaderConstant")->valueFloat(4), 5.0f);
    EXPECT_EQ(device.setVertexShaderConstant(95, values, 2), 1) << "past register 95";
    EXPECT_EQ(device.setPixelShaderConstant(-1, values, 1), 1);
    EXPECT_EQ(device.setPixelShaderConstant(0, nullptr, 1), 2);
    EXPECT_EQ(device.vertexShaderConstants().size(), 2u);
    EXPECT_TRUE(device.pixelShaderConstants().empty());
    EXPECT_TRUE(device.lastCall("setPixelShaderConstant")->values.empty());
}

TEST_F(RecordingDeviceTest, MatricesStartAsIdentityAndTranslateIntoTheFourthRow) {
    ExpectMatrixNear(Matrix(300), kaMatrixMath::Identity());
    ASSERT_EQ(device.LoadIdentity(2), 0);
    ASSERT_EQ(device.Translate(2, 1, 2, 3), 0);
    const kaMatrix44f view = Matrix(2);
    EXPECT_EQ(view.m[12], 1.0f);
    EXPECT_EQ(view.m[13], 2.0f);
    EXPECT_EQ(view.m[14], 3.0f);
    EXPECT_EQ(view.m[15], 1.0f);

    for (unsigned id : {0u, 1u, 4u, 15u, 24u, 255u, 512u}) {
        kaMatrix44f untouched{};
        untouched.m[0] = 42.0f;
        EXPECT_EQ(device.getMatrix(id, &untouched), 0);
        EXPECT_EQ(untouched.m[0], 42.0f) << "identifier " << id;
    }
    EXPECT_EQ(device.Translate(5, 1, 1, 1), 2);
}

TEST_F(RecordingDeviceTest, TheMatrixGivenLastActsFirst) {
    ASSERT_EQ(device.Translate(256, 1, 2, 3), 0);
    ASSERT_EQ(device.RotateZ(256, kPi / 2), 0);
    // The rotation turns (1, 0, 0) into (0, 1, 0) before the translation.
    const kaVector3f p = kaMatrixMath::TransformPoint({1, 0, 0}, Matrix(256));
    EXPECT_NEAR(p.x, 1.0f, 1e-5f);
    EXPECT_NEAR(p.y, 3.0f, 1e-5f);
    EXPECT_NEAR(p.z, 3.0f, 1e-5f);

    kaMatrix44f scale = kaMatrixMath::Scaling(2, 2, 2);
    ASSERT_EQ(device.MultiplyMatrix(256, &scale), 0);
    const kaVector3f q = kaMatrixMath::TransformPoint({1, 0, 0}, Matrix(256));
    EXPECT_NEAR(q.y, 4.0f, 1e-5f) << "scaled, then rotated, then translated";
}

TEST_F(RecordingDeviceTest, ProjectionAndViewingBuilders) {
    ASSERT_EQ(device.PerspectiveFovRH(3, kPi / 2, 1.0f, 1.0f, 3.0f), 0);
    const kaMatrix44f perspective = Matrix(3);
    EXPECT_NEAR(perspective.m[0], 1.0f, 1e-5f);
    EXPECT_NEAR(perspective.m[5], 1.0f, 1e-5f);
    EXPECT_NEAR(perspective.m[10], -2.0f, 1e-5f);
    EXPECT_NEAR(perspective.m[11], -1.0f, 1e-5f);
    EXPECT_NEAR(perspective.m[14], -1.5f, 1e-5f);

    ASSERT_EQ(device.LoadIdentity(3), 0);
    ASSERT_EQ(device.OrthoRH(3, 800, 600, 0, 1), 0);
    const kaVector3f corner = kaMatrixMath::TransformPoint({800, 600, 0}, Matrix(3));
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, -1.0f, 1e-5f);

    kaVector3f eye{0, 0, 5}, at{0, 0, 0}, up{0, 1, 0};
    ASSERT_EQ(device.LookAtRH(2, eye, at, up), 0);
    const kaVector3f origin = kaMatrixMath::TransformPoint({0, 0, 0}, Matrix(2));
    EXPECT_NEAR(origin.z, -5.0f, 1e-5f) << "right-handed: the eye looks down -z";
    ASSERT_EQ(device.LoadIdentity(2), 0);
    ASSERT_EQ(device.LookAtLH(2, eye, at, up), 0);
    EXPECT_NEAR(kaMatrixMath::TransformPoint({0, 0, 0}, Matrix(2)).z, 5.0f, 1e-5f);
}

TEST_F(RecordingDeviceTest, MatrixStacksHoldSixteen) {
    ASSERT_EQ(device.Translate(256, 1, 0, 0), 0);
    const kaMatrix44f saved = Matrix(256);
    ASSERT_EQ(device.PushMatrix(256), 0);
    ASSERT_EQ(device.Scale(256, 3, 3, 3), 0);
    ASSERT_EQ(device.PopMatrix(256), 0);
    ExpectMatrixNear(Matrix(256), saved);

    for (int i = 0; i < 16; ++i) ASSERT_EQ(device.PushMatrix(3), 0) << "push " << i;
    EXPECT_EQ(device.PushMatrix(3), 4);
    EXPECT_EQ(device.matrixStackDepth(3), 16u);
    for (int i = 0; i < 16; ++i) ASSERT_EQ(device.PopMatrix(3), 0);
    EXPECT_EQ(device.PopMatrix(3), 3);
    EXPECT_EQ(device.matrixStackDepth(257), 0u) << "every transform has its own stack";
}

TEST_F(RecordingDeviceTest, CallsAreRecordedInOrderWithTheirArguments) {
    device.Clear(2, 0xFF000000u, 1.0f, 0);
    device.BeginRender();
    device.setRenderState(27, 1);
    device.RotateX(256, 0.5f);
    device.EndRender();
    device.Flip();
    EXPECT_EQ(device.callNames(),
              (std::vector<std::string>{"Clear", "BeginRender", "setRenderState", "RotateX",
                                        "EndRender", "Flip"}));
    const kaDeviceCall& clear = device.calls()[0];
    EXPECT_EQ(clear.u(1), 0xFF000000u);
    EXPECT_EQ(clear.f(2), 1.0f);
    EXPECT_EQ(device.lastCall("RotateX")->f(1), 0.5f);
    EXPECT_EQ(device.lastCall("Present"), nullptr);
    EXPECT_THROW(clear.u(4), std::out_of_range);

    kaMatrix44f m = kaMatrixMath::Translation(4, 5, 6);
    device.setMatrix(2, &m);
    EXPECT_EQ(device.callsNamed("setMatrix").at(0).value<kaMatrix44f>().m[13], 5.0f);
    device.clearCalls();
    EXPECT_TRUE(device.calls().empty());
    EXPECT_EQ(device.count("setMatrix"), 0u);
}

TEST_F(RecordingDeviceTest, InjectedFailuresChangeNothing) {
    device.failNext("CreateTexture", 1, 2);
    kaBaseTexture* texture = reinterpret_cast<kaBaseTexture*>(&device);  // a marker
    EXPECT_EQ(device.CreateTexture(&texture, 4, 4, 21, 1, 0), 1);
    EXPECT_EQ(device.CreateTexture(&texture, 4, 4, 21, 1, 0), 1);
    EXPECT_EQ(texture, reinterpret_cast<kaBaseTexture*>(&device)) << "output untouched";
    EXPECT_TRUE(device.liveTextures().empty());
    EXPECT_EQ(device.CreateTexture(&texture, 4, 4, 21, 1, 0), 0);
    EXPECT_EQ(device.count("CreateTexture"), 3u);

    device.failNext("setRenderState", 1);
    EXPECT_EQ(device.setRenderState(7, 0), 1);
    unsigned value = 0;
    device.getRenderState(7, &value);
    EXPECT_EQ(value, kaRecordingDevice::kUnset);

    std::vector<uint8_t> texels(64, 1);
    device.failNext("Texture.UpdateBuffer", 1);
    EXPECT_EQ(texture->UpdateBuffer(texels.data(), 0), 1);
    EXPECT_FALSE(device.recorded(texture)->isUploaded(0));
    EXPECT_EQ(texture->UpdateBuffer(texels.data(), 0), 0);
}

TEST_F(RecordingDeviceTest, DrawsRememberTheirBindingsAndEndRenderForgetsThem) {
    device.BeginRender();
    kaVertexBuffer* vb = BindTriangles(6);
    device.DrawPrimitive(4, 0, 2);
    ASSERT_EQ(device.draws().size(), 1u);
    EXPECT_EQ(device.draws()[0].vertexBuffer, vb);
    EXPECT_EQ(device.draws()[0].vertexFormat, 0x142u);
    EXPECT_EQ(device.calls()[device.draws()[0].callIndex].name, "DrawPrimitive");
    device.EndRender();
    EXPECT_EQ(device.currentVertexBuffer(), nullptr);
    EXPECT_EQ(device.currentVertexFormat(), 0u);
    EXPECT_TRUE(device.misuse().empty());
    EXPECT_EQ(vb->Release(), 0);
    EXPECT_EQ(device.liveResourceCount(), 0u);
}

TEST_F(RecordingDeviceTest, FaultyDrawsAreListed) {
    device.DrawPrimitive(4, 0, 1);
    EXPECT_EQ(device.misuse().at(0), "DrawPrimitive outside a scene");
    EXPECT_EQ(device.misuse().at(1), "DrawPrimitive without a live vertex buffer");

    device.BeginRender();
    BindTriangles(6);
    const size_t before = device.misuseCount();
    device.DrawPrimitive(5, 1, 3);  // a strip of 3 needs 5 vertices: 1 to 5 fit
    EXPECT_EQ(device.misuseCount(), before);
    device.DrawPrimitive(4, 2, 2);  // 6 vertices from vertex 2: two too many
    EXPECT_EQ(device.misuse().back(), "DrawPrimitive past the end of the vertex buffer");

    kaIndexBuffer* ib = nullptr;
    ASSERT_EQ(device.CreateIndexBuffer(&ib, 3, 0), 0);
    ASSERT_EQ(ib->Lock(0, 0, 0), 0);
    unsigned short indices[] = {0, 1, 4};
    ib->AddIndexArray(indices, 3);
    ASSERT_EQ(ib->Unlock(), 0);
    device.setIndexBuffer(ib);
    const size_t beforeIndexed = device.misuseCount();
    device.DrawIndexedPrimitive(4, 0, 5, 1);
    EXPECT_EQ(device.misuseCount(), beforeIndexed);
    device.DrawIndexedPrimitive(4, 0, 4, 1);
    EXPECT_EQ(device.misuse().back(),
              "DrawIndexedPrimitive: index 4 at 2 outside the 4 vertices drawn");
}

TEST_F(RecordingDeviceTest, RenderToTextureNestsOnceAndChecksTheKind) {
    kaBaseTexture* target = nullptr;
    kaBaseTexture* cube = nullptr;
    ASSERT_EQ(device.CreateTexture(&target, 64, 64, 21, 1, 0x001), 0);
    ASSERT_EQ(device.CreateCubeTexture(&cube, 32, 21, 1, 0x001), 0);
    EXPECT_EQ(device.EndRenderToTexture(), 3);
    EXPECT_EQ(device.BeginRenderToTexture(cube, 0, 1), 3);
    EXPECT_EQ(device.BeginRenderToTexture(target, 1, 1), 1) << "no level 1";
    ASSERT_EQ(device.BeginRenderToTexture(target, 0, 1), 0);
    EXPECT_EQ(device.renderTarget(), target);
    EXPECT_EQ(device.BeginRenderToCubeTexture(cube, 0, 0, 0), 3);
    EXPECT_EQ(device.EndRenderToCubeTexture(), 0) << "both ends share one behaviour";
    EXPECT_EQ(device.renderTarget(), nullptr);
    ASSERT_EQ(device.BeginRenderToCubeTexture(cube, 5, 0, 0), 0);
    EXPECT_EQ(device.EndRenderToTexture(), 0);
}

TEST_F(RecordingDeviceTest, InitialisationRulesAndReleaseOrder) {
    int window = 0;
    EXPECT_EQ(device.InitializeWindowed(&window, 800, 600, 77, 1, 0), 2);
    EXPECT_EQ(device.Initialize(&window, 0, 77, 5, 0), 2);
    EXPECT_EQ(device.InitializeWindowed(nullptr, 800, 600, 77, 0, 0), 2);
    EXPECT_FALSE(device.isInitialized());
    EXPECT_EQ(device.InitializeWindowed(&window, 800, 600, 77, 0, 1), 0);
    EXPECT_EQ(device.Initialize(&window, 0, 77, 0, 0), 3);

    kaPixelShader* shader = nullptr;
    char text[] = "ps.1.1";
    ASSERT_EQ(device.CreatePixelShader(&shader, text, 6), 0);
    EXPECT_EQ(device.livePixelShaders().size(), 1u);
    EXPECT_EQ(shader->Release(), 0);
    EXPECT_EQ(device.Release(), 0);
    EXPECT_TRUE(device.isReleased());
    EXPECT_TRUE(device.misuse().empty());
    device.Flip();
    EXPECT_EQ(device.misuse().at(0), "Flip after the device's Release");
}

}  // namespace
