#include <cstring>
#include <utility>
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

    // A volume texture that the device made in the format asked for.
    kaBaseTexture* MakeVolume(unsigned width, unsigned height, unsigned depth, unsigned format) {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateVolumeTexture(&texture, width, height, depth, format, 1, 0), KA_OK);
        unsigned made = 0;
        if (texture != nullptr) texture->getLevelDesc(&made, nullptr, nullptr, nullptr, 0);
        EXPECT_EQ(made, format);
        if (made == format) return texture;
        if (texture != nullptr) texture->Release();
        return nullptr;
    }

    static IDirect3DTexture8* Platform2D(kaBaseTexture* texture) {
        return static_cast<IDirect3DTexture8*>(
            static_cast<kaD3DBaseTexture*>(texture)->getPlatformTexture());
    }

    // What the platform stores in level 0 (of face `face` of a cube): its
    // rows of rowBytes without the padding after them; the row pitch goes to
    // *pitch.
    static std::vector<unsigned char> Stored(kaBaseTexture* texture, unsigned rowBytes, unsigned rows,
                                             unsigned slices, unsigned face = 0,
                                             int* pitch = nullptr) {
        auto* d3d = static_cast<kaD3DBaseTexture*>(texture);
        D3DLOCKED_BOX box{};
        IDirect3DSurface8* surface = nullptr;
        IDirect3DVolume8* volume = nullptr;
        if (d3d->getKind() == kaD3DBaseTexture::KIND_VOLUME) {
            static_cast<IDirect3DVolumeTexture8*>(d3d->getPlatformTexture())->GetVolumeLevel(0, &volume);
            if (volume != nullptr && FAILED(volume->LockBox(&box, nullptr, D3DLOCK_READONLY))) box = {};
        } else {
            surface = d3d->AcquireSurface(d3d->getKind(), face, 0);
            D3DLOCKED_RECT rect{};
            if (surface != nullptr && SUCCEEDED(surface->LockRect(&rect, nullptr, D3DLOCK_READONLY))) {
                box = {rect.Pitch, 0, rect.pBits};
            }
        }
        std::vector<unsigned char> stored;
        for (unsigned slice = 0; box.pBits != nullptr && slice < slices; ++slice) {
            for (unsigned row = 0; row < rows; ++row) {
                const auto* bytes = static_cast<const unsigned char*>(box.pBits) + slice * box.SlicePitch +
                                    row * box.RowPitch;
                stored.insert(stored.end(), bytes, bytes + rowBytes);
            }
        }
        if (surface != nullptr) {
            if (box.pBits != nullptr) surface->UnlockRect();
            surface->Release();
        }
        if (volume != nullptr) {
            if (box.pBits != nullptr) volume->UnlockBox();
            volume->Release();
        }
        if (pitch != nullptr) *pitch = box.RowPitch;
        return stored;
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

// Cube faces and volume slices exchange red and blue as 2D levels do.
TEST_F(TextureTest, ColourTexelsOfCubeFacesAndVolumesAreExchangedToo) {
    unsigned char texels[16];
    for (unsigned i = 0; i < 16; ++i) texels[i] = static_cast<unsigned char>(10 * (i + 1));
    std::vector<unsigned char> swapped(texels, texels + 16);
    for (unsigned i = 0; i < 16; i += 4) std::swap(swapped[i], swapped[i + 2]);

    kaBaseTexture* cube = nullptr;
    ASSERT_EQ(mDevice->CreateCubeTexture(&cube, 2, D3DFMT_A8R8G8B8, 1, 0), KA_OK);
    ASSERT_EQ(cube->UpdateCubeFaceBuffer(texels, 3, 0), KA_OK);
    EXPECT_EQ(Stored(cube, 8, 2, 1, 3), swapped);
    cube->Release();

    kaBaseTexture* volume = MakeVolume(2, 1, 2, D3DFMT_A8R8G8B8);
    ASSERT_NE(volume, nullptr);
    ASSERT_EQ(volume->UpdateVolumeBuffer(texels, 0), KA_OK);
    EXPECT_EQ(Stored(volume, 8, 1, 2), swapped);
    volume->Release();
}

// The platform pads short rows (and slices) to its alignment; the caller's
// packed texels land row by row in the padded level.
TEST_F(TextureTest, PackedTexelsLandInPaddedRowsAndSlices) {
    unsigned char texels[18];
    for (unsigned i = 0; i < 18; ++i) texels[i] = static_cast<unsigned char>(i + 1);
    const std::vector<unsigned char> packed(texels, texels + 18);
    // A 3 x 3 R5G6B5 level of 6-byte rows and a 3 x 3 x 2 L8 volume of 3-byte rows.
    kaBaseTexture* flat = Make2D(3, 3, D3DFMT_R5G6B5);
    kaBaseTexture* volume = MakeVolume(3, 3, 2, D3DFMT_L8);
    ASSERT_NE(flat, nullptr);
    ASSERT_NE(volume, nullptr);
    ASSERT_EQ(flat->UpdateBuffer(texels, 0), KA_OK);
    ASSERT_EQ(volume->UpdateVolumeBuffer(texels, 0), KA_OK);
    int pitch = 0;
    EXPECT_EQ(Stored(flat, 6, 3, 1, 0, &pitch), packed);
    EXPECT_GT(pitch, 6) << "the platform pads short rows";
    EXPECT_EQ(Stored(volume, 3, 3, 2, 0, &pitch), packed);
    EXPECT_GT(pitch, 3) << "the platform pads short rows";
    flat->Release();
    volume->Release();
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
