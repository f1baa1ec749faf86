// A caller's mistakes through the device interface: objects released while
// bound or after their device, writes outside a lock, draws outside the
// bound buffers, and the fog block against the render-state cache.  Each
// must end in a clear result and a true picture, never in memory that is
// not the caller's (the native-asan build runs these under AddressSanitizer).
#include <string>
#include <utility>
#include <vector>

#include "kaConformanceTest.h"
#include "kaDeviceNumbers.h"
#include "kaResult.h"

namespace {

constexpr unsigned kColoured = 0x042;  // position and diffuse colour
constexpr unsigned kLeft[2] = {32, 128}, kRight[2] = {224, 128};

struct Vertex {
    float x, y;
    unsigned colour;
};

class MisuseTest : public kaConformanceTest {
protected:
    // Pixel space, no lighting, culling or depth; stage 0 passes the vertex colour.
    void SetUp() override {
        kaConformanceTest::SetUp();
        if (HasFatalFailure()) return;
        UseUnlitPixelSpace();
        mDevice->setTextureState(0, KA_TSS_COLOROP, KA_TOP_SELECTARG1);
        mDevice->setTextureState(0, KA_TSS_COLORARG1, KA_TA_DIFFUSE);
        mDevice->setVertexFormat(kColoured);
        Clear();
    }

    void Clear() { ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK); }

    kaVertexBuffer* Buffer(unsigned vertices) {
        kaVertexBuffer* buffer = nullptr;
        EXPECT_EQ(mDevice->CreateVertexBuffer(&buffer, kColoured, vertices, 0), KA_OK);
        return buffer;
    }

    kaIndexBuffer* Indices(const std::vector<unsigned short>& values) {
        kaIndexBuffer* buffer = nullptr;
        EXPECT_EQ(mDevice->CreateIndexBuffer(&buffer, unsigned(values.size()), 0), KA_OK);
        if (buffer == nullptr) return nullptr;
        std::vector<unsigned short> copy = values;
        EXPECT_EQ(buffer->Lock(0, 0, 0), KA_OK);
        buffer->AddIndexArray(copy.data(), unsigned(copy.size()));
        EXPECT_EQ(buffer->Unlock(), KA_OK);
        return buffer;
    }

    static void Write(kaVertexBuffer* buffer, const Vertex& vertex, float depth = 0.5f) {
        buffer->Vertex3f(vertex.x, vertex.y, depth);
        buffer->Diffuse3ub((vertex.colour >> 16) & 0xFF, (vertex.colour >> 8) & 0xFF,
                           vertex.colour & 0xFF);
    }

    // A buffer of two triangles, the first over the left sample point and
    // the second over the right one, in the colours given.
    kaVertexBuffer* TwoTriangles(unsigned left, unsigned right) {
        kaVertexBuffer* buffer = Buffer(6);
        if (buffer == nullptr) return nullptr;
        EXPECT_EQ(buffer->Lock(0, 0, 0), KA_OK);
        for (const Vertex& v : LeftTriangle(left)) Write(buffer, v);
        for (const Vertex& v : RightTriangle(right)) Write(buffer, v);
        EXPECT_EQ(buffer->Unlock(), KA_OK);
        return buffer;
    }

    static std::vector<Vertex> LeftTriangle(unsigned colour) {
        return {{-10, -300, colour}, {120, 128, colour}, {-10, 556, colour}};
    }

    static std::vector<Vertex> RightTriangle(unsigned colour) {
        return {{266, -300, colour}, {136, 128, colour}, {266, 556, colour}};
    }

    kaPixelShader* PixelShader(std::string source) {
        kaPixelShader* shader = nullptr;
        EXPECT_EQ(mDevice->CreatePixelShader(&shader, &source[0], unsigned(source.size())),
                  KA_OK);
        return shader;
    }

    kaVertexShader* VertexShader(std::string source) {
        kaVertexShader* shader = nullptr;
        EXPECT_EQ(mDevice->CreateVertexShader(&shader, kColoured, &source[0],
                                              unsigned(source.size())),
                  KA_OK);
        return shader;
    }

    // The colours at the two sample points of a frame shown now.
    std::vector<uint32_t> Shown() {
        PresentFrame();
        return {At(kLeft[0], kLeft[1]), At(kRight[0], kRight[1])};
    }
};

// setTexture and the other setters count no reference, but the last Release
// of a bound object empties its slot: draws after it see nothing bound.
TEST_F(MisuseTest, ReleasedObjectsLeaveNoBindingBehind) {
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(mDevice->CreateTexture(&texture, 4, 4, KA_FMT_A8R8G8B8, 1, 0), KA_OK);
    ASSERT_EQ(mDevice->setTexture(3, texture), KA_OK);
    EXPECT_EQ(texture->getRefCount(), 1u) << "binding counts no reference";
    texture->Release();
    kaBaseTexture* bound = texture;
    ASSERT_EQ(mDevice->getTexture(3, &bound), KA_OK);
    EXPECT_EQ(bound, nullptr);

    kaVertexBuffer* triangles = TwoTriangles(kGreen, kGreen);
    kaPixelShader* red = PixelShader("ps.1.1\ndef c0, 1, 0, 0, 1\nmov r0, c0\n");
    ASSERT_NE(triangles, nullptr);
    ASSERT_NE(red, nullptr);
    ASSERT_EQ(mDevice->setVertexBuffer(triangles), KA_OK);
    ASSERT_EQ(mDevice->setPixelShader(red), KA_OK);
    EXPECT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 0, 1), KA_OK);
    red->Release();
    EXPECT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 3, 1), KA_OK);
    std::vector<uint32_t> shown = Shown();
    EXPECT_TRUE(ColorNear(shown[0], kRed, 2)) << "drawn with the shader";
    EXPECT_TRUE(ColorNear(shown[1], kGreen, 2)) << "drawn after its release: fixed function";

    // A released stream, index buffer or vertex shader leaves nothing to draw with.
    Clear();
    kaIndexBuffer* indices = Indices({0, 1, 2});
    ASSERT_NE(indices, nullptr);
    ASSERT_EQ(mDevice->setIndexBuffer(indices), KA_OK);
    indices->Release();
    EXPECT_NE(mDevice->DrawIndexedPrimitive(KA_PT_TRIANGLELIST, 0, 3, 1), KA_OK);
    kaVertexShader* passing = VertexShader("vs.1.1\nmov oPos, v0\nmov oD0, v5\n");
    ASSERT_NE(passing, nullptr);
    ASSERT_EQ(mDevice->setVertexShader(passing), KA_OK);
    passing->Release();
    EXPECT_NE(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 0, 1), KA_OK);
    ASSERT_EQ(mDevice->setVertexFormat(kColoured), KA_OK);
    triangles->Release();
    EXPECT_NE(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 0, 1), KA_OK);
    shown = Shown();
    EXPECT_TRUE(ColorNear(shown[0], kBlack, 0));
    EXPECT_TRUE(ColorNear(shown[1], kBlack, 0));
}

// What a device made may be released after the device, in any order, and
// answers 3 to anything else it is asked.
TEST_F(MisuseTest, ObjectsReleasedAfterTheirDevice) {
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(mDevice->CreateTexture(&texture, 4, 4, KA_FMT_A8R8G8B8, 1, 0), KA_OK);
    kaVertexBuffer* vertices = TwoTriangles(kGreen, kGreen);
    kaIndexBuffer* indices = Indices({0, 1, 2});
    kaPixelShader* pixel = PixelShader("ps.1.1\nmov r0, v0\n");
    kaVertexShader* vertex = VertexShader("vs.1.1\nmov oPos, v0\nmov oD0, v5\n");
    ASSERT_TRUE(vertices && indices && pixel && vertex);
    mDevice->setTexture(0, texture);
    mDevice->setVertexBuffer(vertices);
    mDevice->setIndexBuffer(indices);
    mDevice->setPixelShader(pixel);
    mDevice->setVertexShader(vertex);
    kaTestDevice::Destroy(mDevice);
    mDevice = nullptr;

    std::vector<unsigned char> texels(4 * 4 * 4, 0x7F);
    EXPECT_EQ(texture->UpdateBuffer(texels.data(), 0), KA_ERR_WRONGSTATE);
    EXPECT_EQ(texture->getBuffer(texels.data(), 0), KA_ERR_WRONGSTATE);
    EXPECT_EQ(vertices->Lock(0, 0, 0), KA_ERR_WRONGSTATE);
    Write(vertices, {1, 2, kRed});
    EXPECT_EQ(indices->Lock(0, 0, 0), KA_ERR_WRONGSTATE);
    indices->AddIndex(1);
    EXPECT_EQ(pixel->Release(), KA_OK);
    EXPECT_EQ(texture->Release(), KA_OK);
    EXPECT_EQ(vertices->Release(), KA_OK);
    EXPECT_EQ(vertex->Release(), KA_OK);
    EXPECT_EQ(indices->Release(), KA_OK);
}

// Writes past the locked range, and writes while nothing is locked, are
// dropped: the vertices and indices outside the range keep their values.
TEST_F(MisuseTest, WritesOutsideTheLockedRangeAreDropped) {
    kaVertexBuffer* vertices = TwoTriangles(kGreen, kGreen);
    ASSERT_NE(vertices, nullptr);
    ASSERT_EQ(vertices->Lock(0, 3, 0), KA_OK);
    for (const Vertex& v : LeftTriangle(kRed)) Write(vertices, v);
    Write(vertices, RightTriangle(kRed)[0]);  // the fourth vertex is not locked
    ASSERT_EQ(vertices->Unlock(), KA_OK);
    Write(vertices, RightTriangle(kRed)[1]);
    ASSERT_EQ(vertices->Lock(5, 1, 0), KA_OK);
    Write(vertices, RightTriangle(kGreen)[2]);
    Write(vertices, RightTriangle(kRed)[2]);  // past the end of the buffer
    ASSERT_EQ(vertices->Unlock(), KA_OK);
    ASSERT_EQ(mDevice->setVertexBuffer(vertices), KA_OK);
    ASSERT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 0, 2), KA_OK);
    std::vector<uint32_t> shown = Shown();
    EXPECT_TRUE(ColorNear(shown[0], kRed, 2));
    EXPECT_TRUE(ColorNear(shown[1], kGreen, 2)) << "the writes past the range are dropped";

    // Indices 3, 4, 5 twice draw the right triangle only; the array's
    // second half would have brought back the left one.
    Clear();
    kaIndexBuffer* indices = Indices({0, 1, 2, 3, 4, 5});
    ASSERT_NE(indices, nullptr);
    ASSERT_EQ(indices->Lock(0, 3, 0), KA_OK);
    unsigned short swapped[6] = {3, 4, 5, 0, 1, 2};
    indices->AddIndexArray(swapped, 6);
    ASSERT_EQ(indices->Unlock(), KA_OK);
    indices->AddIndex(0);
    ASSERT_EQ(indices->Lock(5, 0, 0), KA_OK);
    indices->AddIndex(5);
    indices->AddIndex(0);  // past the end of the buffer
    ASSERT_EQ(indices->Unlock(), KA_OK);
    ASSERT_EQ(mDevice->setIndexBuffer(indices), KA_OK);
    ASSERT_EQ(mDevice->DrawIndexedPrimitive(KA_PT_TRIANGLELIST, 0, 6, 2), KA_OK);
    shown = Shown();
    EXPECT_TRUE(ColorNear(shown[0], kBlack, 0));
    EXPECT_TRUE(ColorNear(shown[1], kGreen, 2));
    indices->Release();
    vertices->Release();
}

// A draw that would read a vertex or an index outside the bound buffers is
// refused with 2 and draws nothing; the frame goes on.
TEST_F(MisuseTest, DrawsOutsideTheBoundBuffersAreRefused) {
    struct Case {
        const char* what;
        bool indexed;
        unsigned type, start, vertexCount, primitives;
    };
    const Case cases[] = {
        {"a hundred triangles from three vertices", false, KA_PT_TRIANGLELIST, 0, 0, 100},
        {"a triangle from the second vertex on", false, KA_PT_TRIANGLELIST, 4, 0, 1},
        {"a start that wraps around", false, KA_PT_TRIANGLESTRIP, 0xFFFFFFFFu, 0, 1},
        {"a count that wraps around", false, KA_PT_LINELIST, 0, 0, 0x80000000u},
        {"indices past the index buffer", true, KA_PT_TRIANGLELIST, 7, 6, 1},
        {"a vertex count past the vertex buffer", true, KA_PT_TRIANGLELIST, 0, 7, 1},
        {"an index past the vertex buffer", true, KA_PT_TRIANGLELIST, 6, 6, 1},
        {"an index count that wraps around", true, KA_PT_TRIANGLELIST, 0, 6, 0x55555556u},
    };
    kaVertexBuffer* vertices = TwoTriangles(kGreen, kRed);
    kaIndexBuffer* indices = Indices({0, 1, 2, 3, 4, 5, 0, 1, 6});
    ASSERT_TRUE(vertices && indices);
    ASSERT_EQ(mDevice->setVertexBuffer(vertices), KA_OK);
    ASSERT_EQ(mDevice->setIndexBuffer(indices), KA_OK);
    for (const Case& c : cases) {
        const int result =
            c.indexed ? mDevice->DrawIndexedPrimitive(c.type, c.start, c.vertexCount, c.primitives)
                      : mDevice->DrawPrimitive(c.type, c.start, c.primitives);
        EXPECT_EQ(result, KA_ERR_INVALIDARG) << c.what;
    }
    std::vector<uint32_t> shown = Shown();
    EXPECT_TRUE(ColorNear(shown[0], kBlack, 0)) << "nothing drawn";
    EXPECT_TRUE(ColorNear(shown[1], kBlack, 0)) << "nothing drawn";
    EXPECT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 3, 1), KA_OK);
    EXPECT_EQ(mDevice->DrawIndexedPrimitive(KA_PT_TRIANGLELIST, 0, 6, 1), KA_OK);
    shown = Shown();
    EXPECT_TRUE(ColorNear(shown[0], kGreen, 2)) << "the frame goes on";
    EXPECT_TRUE(ColorNear(shown[1], kRed, 2));
    indices->Release();
    vertices->Release();
}

// setFog sets the fog render states; the cache answers them and compares
// later render states with them.
TEST_F(MisuseTest, FogKeepsTheRenderStateCacheTrue) {
    ASSERT_EQ(mDevice->setRenderState(KA_RS_FOGSTART, FloatBits(0.0f)), KA_OK);
    kaFog linear{KA_FOG_LINEAR, 0.0f, 0.0f, 1.0f, 0.5f, 1.0f, 1.0f};
    ASSERT_EQ(mDevice->setFog(&linear), KA_OK);
    const std::pair<unsigned, uint32_t> expected[] = {
        {KA_RS_FOGVERTEXMODE, KA_FOG_LINEAR}, {KA_RS_FOGTABLEMODE, KA_FOG_NONE},
        {KA_RS_FOGSTART, FloatBits(0.5f)},    {KA_RS_FOGEND, FloatBits(1.0f)},
        {KA_RS_FOGCOLOR, 0x000000FFu},
    };
    for (const auto& state : expected) {
        unsigned value = 0;
        EXPECT_EQ(mDevice->getRenderState(state.first, &value), KA_OK);
        EXPECT_EQ(value, state.second) << "render state " << state.first;
    }

    // The start set before the fog block is no longer the cached one, so it
    // reaches the device: depth 0.75 from start 0 to end 1 keeps a quarter
    // of the colour (from start 0.5 it would keep a half).
    ASSERT_EQ(mDevice->setRenderState(KA_RS_FOGSTART, FloatBits(0.0f)), KA_OK);
    ASSERT_EQ(mDevice->setRenderState(KA_RS_FOGENABLE, 1), KA_OK);
    kaVertexBuffer* quad = Buffer(4);
    ASSERT_NE(quad, nullptr);
    ASSERT_EQ(quad->Lock(0, 0, 0), KA_OK);
    for (const Vertex& v : std::vector<Vertex>{{0, 0, kGreen}, {256, 0, kGreen},
                                               {0, 256, kGreen}, {256, 256, kGreen}}) {
        Write(quad, v, 0.75f);
    }
    ASSERT_EQ(quad->Unlock(), KA_OK);
    ASSERT_EQ(mDevice->setVertexBuffer(quad), KA_OK);
    ASSERT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLESTRIP, 0, 2), KA_OK);
    EXPECT_TRUE(ColorNear(Shown()[0], 0x0040BF, 6));
    quad->Release();
}

}  // namespace
