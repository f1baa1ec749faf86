#include <cstring>
#include <vector>

#include "kaD3DBaseTexture.h"
#include "kaD3DDeviceTest.h"
#include "kaD3DTextureCreator.h"
#include "kaResult.h"

namespace {

class TextureTest : public kaD3DDeviceTest {
protected:
    kaBaseTexture* Make2D(unsigned width, unsigned height, unsigned format, unsigned levels = 1) {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, width, height, format, levels, 0), KA_OK);
        return texture;
    }

    static IDirect3DTexture8* Platform2D(kaBaseTexture* texture) {
        return static_cast<IDirect3DTexture8*>(
            static_cast<kaD3DBaseTexture*>(texture)->getPlatformTexture());
    }
};

TEST_F(TextureTest, ColourTexelsArriveAsBlueGreenRedAlpha) {
    kaBaseTexture* texture = Make2D(2, 1, D3DFMT_A8R8G8B8);
    ASSERT_NE(texture, nullptr);
    unsigned char texels[8] = {10, 20, 30, 40, 50, 60, 70, 80};
    ASSERT_EQ(texture->UpdateBuffer(texels, 0), KA_OK);

    D3DLOCKED_RECT locked;
    ASSERT_TRUE(SUCCEEDED(Platform2D(texture)->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)));
    unsigned char stored[8];
    std::memcpy(stored, locked.pBits, sizeof stored);
    Platform2D(texture)->UnlockRect(0);
    const unsigned char expected[8] = {30, 20, 10, 40, 70, 60, 50, 80};
    EXPECT_EQ(std::memcmp(stored, expected, 8), 0);
    texture->Release();
}

TEST_F(TextureTest, TheLastReleaseReleasesThePlatformTexture) {
    kaBaseTexture* texture = Make2D(4, 4, D3DFMT_A8R8G8B8);
    ASSERT_NE(texture, nullptr);
    IDirect3DTexture8* platform = Platform2D(texture);
    platform->AddRef();  // a reference of the test's own, to watch the texture's
    texture->IncRef();
    EXPECT_EQ(texture->Release(), KA_OK);
    EXPECT_EQ(texture->Release(), KA_OK);
    EXPECT_EQ(platform->Release(), 0u) << "the texture released its platform texture";
}

TEST_F(TextureTest, TexturesAreBoundOnThePlatform) {
    kaBaseTexture* texture = Make2D(4, 4, D3DFMT_A8R8G8B8);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(mDevice->setTexture(1, texture), KA_OK);
    IDirect3DBaseTexture8* bound = nullptr;
    Real()->GetTexture(1, &bound);
    EXPECT_EQ(bound, static_cast<kaD3DBaseTexture*>(texture)->getPlatformTexture());
    if (bound) bound->Release();
    ASSERT_EQ(mDevice->setTexture(1, nullptr), KA_OK);
    texture->Release();
}

TEST_F(TextureTest, UnsupportedFormatIsReplacedByOneTheDeviceSamples) {
    IDirect3D8* d3d = nullptr;
    Real()->GetDirect3D(&d3d);
    D3DDISPLAYMODE mode;
    Real()->GetDisplayMode(&mode);
    const HRESULT supported = d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, mode.Format, 0,
                                                     D3DRTYPE_TEXTURE, D3DFMT_W11V11U10);
    d3d->Release();
    if (SUCCEEDED(supported)) GTEST_SKIP() << "the device samples W11V11U10 itself";
    kaBaseTexture* texture = Make2D(8, 8, D3DFMT_W11V11U10);
    ASSERT_NE(texture, nullptr);
    unsigned format = 0;
    ASSERT_EQ(texture->getLevelDesc(&format, nullptr, nullptr, nullptr, 0), KA_OK);
    EXPECT_EQ(format, static_cast<unsigned>(D3DFMT_A8R8G8B8));
    texture->Release();
}

// Size fitting against made-up device limits.
TEST(TextureCreatorTest, SizesAreFittedToTheCaps) {
    D3DCAPS8 caps{};
    caps.MaxTextureWidth = caps.MaxTextureHeight = 256;
    caps.MaxVolumeExtent = 64;
    caps.TextureCaps = D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY | D3DPTEXTURECAPS_MIPMAP;
    kaD3DTextureCreator::Request request{100, 30, 1, 0, D3DFMT_A8R8G8B8};
    kaD3DTextureCreator::FitToCaps(caps, D3DRTYPE_TEXTURE, request);
    EXPECT_EQ(request.width, 128u);
    EXPECT_EQ(request.height, 128u);
    EXPECT_EQ(request.levels, 8u);

    request = {1000, 0, 1, 20, D3DFMT_A8R8G8B8};
    kaD3DTextureCreator::FitToCaps(caps, D3DRTYPE_TEXTURE, request);
    EXPECT_EQ(request.width, 256u);
    EXPECT_EQ(request.height, 256u);
    EXPECT_EQ(request.levels, 9u);

    caps.TextureCaps = 0;
    caps.MaxTextureWidth = 300;
    request = {1000, 5, 1, 3, D3DFMT_A8R8G8B8};
    kaD3DTextureCreator::FitToCaps(caps, D3DRTYPE_TEXTURE, request);
    EXPECT_EQ(request.width, 256u) << "the smaller of the two largest sizes";
    EXPECT_EQ(request.height, 5u);
    EXPECT_EQ(request.levels, 1u) << "no mipmaps on this device";

    caps.TextureCaps = D3DPTEXTURECAPS_VOLUMEMAP_POW2 | D3DPTEXTURECAPS_MIPVOLUMEMAP;
    request = {3, 4, 100, 0, D3DFMT_A8R8G8B8};
    kaD3DTextureCreator::FitToCaps(caps, D3DRTYPE_VOLUMETEXTURE, request);
    EXPECT_EQ(request.width, 4u);
    EXPECT_EQ(request.depth, 64u);
    EXPECT_EQ(request.levels, 7u);
}

}  // namespace
