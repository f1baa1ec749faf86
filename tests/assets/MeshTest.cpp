#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kaDeviceGlobal.h"
#include "kaMediaTree.h"
#include "kaMeshModel.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"
#include "kaResult.h"
#include "kaTDMReader.h"
#include "kaTestModels.h"
#include "kaTestPictures.h"

namespace {

using namespace kaTestModels;

// The first mesh of a TDM file as the reader gives it.
class MeshTest : public ::testing::Test {
protected:
    MeshTest() { gDevice = &device; }
    ~MeshTest() override { gDevice = nullptr; }

    const kaTDMMesh& Read(const Mesh& mesh) {
        media.put("xModels/m.tdm", Tdm({}, {mesh}, {}));
        EXPECT_EQ(reader.Open("../xMedia/xModels/m.tdm"), 1);
        return reader.getMeshes()[0];
    }
    static void ExpectVector(const float* v, float x, float y, float z) {
        EXPECT_NEAR(v[0], x, 1e-6f);
        EXPECT_NEAR(v[1], y, 1e-6f);
        EXPECT_NEAR(v[2], z, 1e-6f);
    }

    kaMediaTree media;
    kaRecordingDevice device;
    kaRecordingMessageBoxes boxes;
    kaTDMReader reader;
};

// Corners (0,0,0), (1,0,0), (0,1,0) with normal +z; u coordinates as given
// (each gets 10 added), so k1 = -U0 / (U1 - U0) and k2 = -U0 / (U2 - U0).
Mesh Shaped(float u0, float u1, float u2, float v2 = 0) {
    Mesh mesh = Triangle();
    mesh.coords = {u0, 0, u1, 0, u2, v2};
    return mesh;
}

TEST_F(MeshTest, TangentFramesFollowTheSignOfK1K2) {
    const float s = 1 / std::sqrt(1.25f);
    kaMesh same;  // k1 = -1, k2 = -0.5: T = k1 e2 - k2 e1 = (0.5, -1, 0)
    same.Create(Read(Shaped(0, 10, 20)));
    same.ComputeTangentFrames();
    ASSERT_EQ(same.frames.size(), 3u);
    ExpectVector(same.frames[0].tangent, s, 0.5f * s, 0);
    ExpectVector(same.frames[0].binormal, -0.5f * s, s, 0);
    ExpectVector(same.frames[0].normal, 0, 0, 1);

    // k1 = -1, k2 = 0.5: T = k1 e1 - k2 e2 = (-1, -0.5, 0); V2 above V0 and
    // V1 turns the binormal round.
    kaMesh opposite;
    opposite.Create(Read(Shaped(0, 10, -20, 1)));
    opposite.ComputeTangentFrames();
    ExpectVector(opposite.frames[2].tangent, 0.5f * s, -s, 0);
    ExpectVector(opposite.frames[2].binormal, -s, -0.5f * s, 0);
}

TEST_F(MeshTest, EqualUAndUnusedVerticesUseTheirFallbacks) {
    // Face 0 has one u everywhere: T is corner 2's position (0, 1, 0).
    // Face 1 also has one u; vertex 3 is in no face and takes the last
    // face, whose corner 2 is vertex 1 at (1, 0, 0).
    Mesh mesh = Triangle();
    mesh.vertices.resize(4);
    mesh.vertices[3].position[2] = 5;
    mesh.coords = {0.5f, 0.5f};
    mesh.faces = {0, 1, 2, 0, 0, 0, 2, 0, 1, 0, 0, 0};
    kaMesh m;
    m.Create(Read(mesh));
    m.ComputeTangentFrames();
    ASSERT_EQ(m.frames.size(), 4u);
    for (int v = 0; v < 3; ++v) {  // each in face 0 first
        ExpectVector(m.frames[v].tangent, -1, 0, 0);
        ExpectVector(m.frames[v].binormal, 0, -1, 0);
    }
    ExpectVector(m.frames[3].tangent, 0, 1, 0);
    ExpectVector(m.frames[3].binormal, -1, 0, 0);
}

TEST_F(MeshTest, BufferHoldsOneVertexPerCorner) {
    Mesh mesh = Triangle();
    mesh.vertices.resize(4);
    mesh.vertices[3].position[0] = 7;
    mesh.coords = {0.1f, 0.2f, 0.3f, 0.4f};
    mesh.faces = {0, 1, 2, 1, 0, 1, 3, 2, 1, 0, 0, 1};
    kaMesh m;
    m.Create(Read(mesh));
    ASSERT_NE(m.buffer, nullptr);
    kaRecordingVertexBuffer* b = device.recorded(m.buffer);
    EXPECT_EQ(b->vertexFormat(), 0x540402u);
    EXPECT_EQ(b->usage(), 0x208u);
    EXPECT_EQ(b->getVertexSize(), 56u);
    ASSERT_EQ(b->vertexCount(), 6u);
    EXPECT_EQ(b->unlockCount(), 1u);
    const unsigned expectedVertex[6] = {0, 1, 2, 3, 2, 1};
    const unsigned expectedCoord[6] = {1, 0, 1, 0, 0, 1};
    for (unsigned c = 0; c < 6; ++c) {
        EXPECT_EQ(b->floatAt(c, kaVertexLayout::POSITION, 0),
                  mesh.vertices[expectedVertex[c]].position[0]) << c;
        EXPECT_EQ(b->floatAt(c, kaVertexLayout::TEXCOORD0, 1),
                  mesh.coords[2 * expectedCoord[c] + 1]) << c;
    }
    EXPECT_EQ(m.refresh, 1);
    EXPECT_TRUE(device.misuse().empty());
}

TEST_F(MeshTest, WithoutCoordinatesThereAreNoFramesAndSetZeroStaysEmpty) {
    Mesh mesh = Triangle();
    mesh.coords.clear();
    kaMesh m;
    m.Create(Read(mesh));
    m.ComputeTangentFrames();
    EXPECT_TRUE(m.frames.empty());
    EXPECT_TRUE(m.faceCoords.empty());
    const kaRecordingVertexBuffer* b = device.recorded(m.buffer);
    EXPECT_EQ(b->floatAt(1, kaVertexLayout::POSITION, 0), 1.0f);
    EXPECT_EQ(b->floatAt(1, kaVertexLayout::TEXCOORD0, 0), 0.0f);
}

TEST_F(MeshTest, ARefusedBufferIsReportedAndLoadingGoesOn) {
    device.failNext("CreateVertexBuffer", 1);
    kaMesh m;
    m.Create(Read(Triangle()));
    EXPECT_EQ(m.buffer, nullptr);
    EXPECT_EQ(m.refresh, 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Failed");
    EXPECT_EQ(boxes.boxes()[0].text, "Creating vertex buffer for mesh");
    EXPECT_EQ(boxes.boxes()[0].style, 0x30u);
}

// A refused lock skips the first fill as it skips a refill: nothing is
// written through the buffer and the mesh stays marked for its refresh.
TEST_F(MeshTest, ARefusedFirstLockSkipsTheFill) {
    device.failNext("VertexBuffer.Lock", KA_ERR_PLATFORM);
    kaMesh m;
    m.Create(Read(Triangle()));
    ASSERT_NE(m.buffer, nullptr);
    EXPECT_EQ(device.count("VertexBuffer.Lock"), 1u);
    EXPECT_EQ(device.count("VertexBuffer.Unlock"), 0u);
    EXPECT_EQ(device.recorded(m.buffer)->floatAt(1, kaVertexLayout::POSITION, 0), 0.0f);
    EXPECT_EQ(m.refresh, 1);
    EXPECT_TRUE(device.misuse().empty()) << device.misuse().front();
    EXPECT_TRUE(boxes.boxes().empty());

    device.failNext("VertexBuffer.Lock", KA_ERR_PLATFORM);
    EXPECT_EQ(m.FillBuffer(), KA_ERR_PLATFORM);
    EXPECT_EQ(m.FillBuffer(), KA_OK);
    EXPECT_EQ(device.recorded(m.buffer)->floatAt(1, kaVertexLayout::POSITION, 0), 1.0f);
}

class MeshModelTest : public MeshTest {};

TEST_F(MeshModelTest, NamesAreCheckedBeforeAnythingIsRead) {
    kaMeshModel model;
    EXPECT_EQ(model.Load("stage"), KA_ERR_INVALIDARG);
    EXPECT_EQ(model.Load("stage.OBJ"), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(model.Load("absent.TDM"), KA_ERR_READFAIL);
    ASSERT_EQ(boxes.boxes().size(), 4u);
    EXPECT_EQ(boxes.boxes()[0].text, "KA_ERR_INVALIDPARAM");
    EXPECT_EQ(boxes.boxes()[1].text, "file format obj not supported");
    EXPECT_EQ(boxes.boxes()[2].text, "loading ../xMedia/xModels/absent.TDM");
    EXPECT_EQ(boxes.boxes()[2].style, 0x30u);
    EXPECT_EQ(boxes.boxes()[3].text, "loading ../xMedia/xModels/absent.TDM");
    EXPECT_EQ(boxes.boxes()[3].style, 0x10u);
    for (const auto& box : boxes.boxes()) EXPECT_EQ(box.caption, "Error");
}

TEST_F(MeshModelTest, LoadsMaterialsMeshesAndTheBoundingBox) {
    media.put("xImages/a.tga", kaTestPictures::Tga(2, 1, 1, 24, 0x20, "abc"));
    Material material;
    material.textures = {"a.tga", "missing.png", "a.tga"};
    Mesh first = Triangle(0);
    first.vertices[1].position[0] = 70000;
    Mesh second = Triangle();
    second.vertices[2].position[2] = -3;
    media.put("xModels/stage.tdm", Tdm({material}, {first, second}, {}, "Stage"));
    kaMeshModel model;
    ASSERT_EQ(model.Load("stage.tdm"), KA_OK);
    EXPECT_EQ(model.name, "Stage");
    EXPECT_TRUE(model.path.empty());
    ASSERT_EQ(model.materialCount, 2);  // the default for the second mesh
    EXPECT_EQ(model.materials[0].count, 2u);
    EXPECT_EQ(model.materials[1].capacity, 0u);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text, "Error creating missing.png");
    ASSERT_EQ(model.meshCount, 2);
    EXPECT_EQ(model.meshes[1].material, 1u);
    EXPECT_EQ(model.meshes[0].frames.size(), 3u);

    ExpectVector(model.corners[0], 0, 0, -3);
    ExpectVector(model.corners[1], 0, 1, -3);
    ExpectVector(model.corners[2], 70000, 1, -3);
    ExpectVector(model.corners[3], 70000, 0, -3);
    ExpectVector(model.corners[4], 0, 0, 0);
    ExpectVector(model.corners[6], 70000, 1, 0);
    ExpectVector(model.centre, 35000, 0.5f, -1.5f);

    model.meshes[0].refresh = 0;
    model.SetRefresh(1);
    EXPECT_EQ(model.meshes[0].refresh, 1);

    // A failed reload keeps what the model held.
    EXPECT_EQ(model.Load("absent.tdm"), KA_ERR_READFAIL);
    EXPECT_EQ(model.meshCount, 2);
    model.Release();
    EXPECT_EQ(model.meshCount, 0);
    EXPECT_EQ(model.centre[0], 0.0f);
    EXPECT_EQ(model.corners[2][0], 70000.0f);
    EXPECT_EQ(device.liveResourceCount(), 0u);
}

}  // namespace
