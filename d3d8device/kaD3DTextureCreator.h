#pragma once

#include <d3d8.h>

// Creates platform textures after fitting the request to what the device
// supports: sizes rounded up to powers of two and made square where the
// device demands it and cut to its largest size, the level count cut to the
// full chain (0 asks for the full chain, 1 only without mipmap support), and
// the format replaced by a supported one when the device cannot sample it;
// block-compressed textures are widened to whole 4 x 4 blocks.
class kaD3DTextureCreator {
public:
    struct Request {
        UINT width;
        UINT height;
        UINT depth;  // volume textures only
        UINT levels;
        D3DFORMAT format;
    };

    explicit kaD3DTextureCreator(IDirect3DDevice8* device);

    // Creates a texture of type D3DRTYPE_TEXTURE, D3DRTYPE_CUBETEXTURE (of
    // edge length request.width) or D3DRTYPE_VOLUMETEXTURE.
    HRESULT Create(D3DRESOURCETYPE type, Request request, DWORD usage, D3DPOOL pool,
                   IDirect3DBaseTexture8** out);

    // Fits size and level count of a request for a resource of that type to the caps.
    static void FitToCaps(const D3DCAPS8& caps, D3DRESOURCETYPE type, Request& request);

private:
    // Fits the whole request, format included; fails when no format fits.
    HRESULT Fit(D3DRESOURCETYPE type, DWORD usage, Request& request);
    HRESULT CreateFitted(D3DRESOURCETYPE type, const Request& request, DWORD usage, D3DPOOL pool,
                         IDirect3DBaseTexture8** out);
    HRESULT ChooseFormat(D3DRESOURCETYPE type, DWORD usage, D3DFORMAT& format);

    IDirect3DDevice8* mDevice;
};
