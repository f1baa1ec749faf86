#include "kaD3DDeviceTest.h"
#include "kaResult.h"

// Render-to-texture holds the platform's surfaces only while it is active.
namespace {

class RenderTargetSurfaceTest : public kaD3DDeviceTest {
protected:
    kaBaseTexture* MakeTexture(unsigned usage) {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, 64, 64, D3DFMT_A8R8G8B8, 1, usage), KA_OK);
        return texture;
    }

    // The number of references the platform's back buffer has.
    ULONG BackBufferReferences() {
        IDirect3DSurface8* backBuffer = nullptr;
        Real()->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
        const ULONG references = backBuffer->AddRef() - 2;  // without the two of this call
        backBuffer->Release();
        backBuffer->Release();
        return references;
    }
};

TEST_F(RenderTargetSurfaceTest, EndAndFailedBeginsReleaseTheSavedSurfaces) {
    kaBaseTexture* target = MakeTexture(D3DUSAGE_RENDERTARGET);
    kaBaseTexture* plain = MakeTexture(0);
    ASSERT_TRUE(target && plain);
    const ULONG references = BackBufferReferences();
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 1), KA_OK);
    EXPECT_GT(BackBufferReferences(), references) << "saved while the redirection lasts";
    ASSERT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    EXPECT_EQ(BackBufferReferences(), references);
    EXPECT_EQ(mDevice->BeginRenderToTexture(plain, 0, 0), KA_ERR_PLATFORM);
    EXPECT_EQ(mDevice->BeginRenderToTexture(plain, 3, 0), KA_ERR_PLATFORM);
    EXPECT_EQ(BackBufferReferences(), references);
    plain->Release();
    target->Release();
}

}  // namespace
