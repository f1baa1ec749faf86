#pragma once

#include <d3d8.h>

#include <vector>

// A view of a platform device that forwards every call to the real device
// and counts the calls per method.  A few setters are also logged with their
// leading arguments so that tests can check which states reached the platform.
class kaCountingDevice8 final : public IDirect3DDevice8 {
public:
    enum Method {
        M_QueryInterface,
        M_AddRef,
        M_Release,
        M_TestCooperativeLevel,
        M_GetAvailableTextureMem,
        M_ResourceManagerDiscardBytes,
        M_GetDirect3D,
        M_GetDeviceCaps,
        M_GetDisplayMode,
        M_GetCreationParameters,
        M_SetCursorProperties,
        M_SetCursorPosition,
        M_ShowCursor,
        M_CreateAdditionalSwapChain,
        M_Reset,
        M_Present,
        M_GetBackBuffer,
        M_GetRasterStatus,
        M_SetGammaRamp,
        M_GetGammaRamp,
        M_CreateTexture,
        M_CreateVolumeTexture,
        M_CreateCubeTexture,
        M_CreateVertexBuffer,
        M_CreateIndexBuffer,
        M_CreateRenderTarget,
        M_CreateDepthStencilSurface,
        M_CreateImageSurface,
        M_CopyRects,
        M_UpdateTexture,
        M_GetFrontBuffer,
        M_SetRenderTarget,
        M_GetRenderTarget,
        M_GetDepthStencilSurface,
        M_BeginScene,
        M_EndScene,
        M_Clear,
        M_SetTransform,
        M_GetTransform,
        M_MultiplyTransform,
        M_SetViewport,
        M_GetViewport,
        M_SetMaterial,
        M_GetMaterial,
        M_SetLight,
        M_GetLight,
        M_LightEnable,
        M_GetLightEnable,
        M_SetClipPlane,
        M_GetClipPlane,
        M_SetRenderState,
        M_GetRenderState,
        M_BeginStateBlock,
        M_EndStateBlock,
        M_ApplyStateBlock,
        M_CaptureStateBlock,
        M_DeleteStateBlock,
        M_CreateStateBlock,
        M_SetClipStatus,
        M_GetClipStatus,
        M_GetTexture,
        M_SetTexture,
        M_GetTextureStageState,
        M_SetTextureStageState,
        M_ValidateDevice,
        M_GetInfo,
        M_SetPaletteEntries,
        M_GetPaletteEntries,
        M_SetCurrentTexturePalette,
        M_GetCurrentTexturePalette,
        M_DrawPrimitive,
        M_DrawIndexedPrimitive,
        M_DrawPrimitiveUP,
        M_DrawIndexedPrimitiveUP,
        M_ProcessVertices,
        M_CreateVertexShader,
        M_SetVertexShader,
        M_GetVertexShader,
        M_DeleteVertexShader,
        M_SetVertexShaderConstant,
        M_GetVertexShaderConstant,
        M_GetVertexShaderDeclaration,
        M_GetVertexShaderFunction,
        M_SetStreamSource,
        M_GetStreamSource,
        M_SetIndices,
        M_GetIndices,
        M_CreatePixelShader,
        M_SetPixelShader,
        M_GetPixelShader,
        M_DeletePixelShader,
        M_SetPixelShaderConstant,
        M_GetPixelShaderConstant,
        M_GetPixelShaderFunction,
        M_DrawRectPatch,
        M_DrawTriPatch,
        M_DeletePatch,
        METHOD_COUNT
    };

    struct Call {
        Method method;
        DWORD first;   // state, stage or index
        DWORD second;  // value, or the stage state's type
        DWORD third;   // the stage state's value
    };

    explicit kaCountingDevice8(IDirect3DDevice8* real) : mReal(real), mCounts() {}

    IDirect3DDevice8* getReal() const { return mReal; }
    unsigned getCount(Method method) const { return mCounts[method]; }
    unsigned getTotal() const;
    const std::vector<Call>& getCalls() const { return mCalls; }
    // Forgets every count and logged call.
    void Reset();
    // Logged calls of one method.
    std::vector<Call> CallsOf(Method method) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
        ++mCounts[M_QueryInterface];
        return mReal->QueryInterface(riid, ppvObject);
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        ++mCounts[M_AddRef];
        return mReal->AddRef();
    }
    ULONG STDMETHODCALLTYPE Release() override {
        ++mCounts[M_Release];
        return mReal->Release();
    }
    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override {
        ++mCounts[M_TestCooperativeLevel];
        return mReal->TestCooperativeLevel();
    }
    UINT STDMETHODCALLTYPE GetAvailableTextureMem() override {
        ++mCounts[M_GetAvailableTextureMem];
        return mReal->GetAvailableTextureMem();
    }
    HRESULT STDMETHODCALLTYPE ResourceManagerDiscardBytes(DWORD Bytes) override {
        ++mCounts[M_ResourceManagerDiscardBytes];
        return mReal->ResourceManagerDiscardBytes(Bytes);
    }
    HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8 ** ppD3D8) override {
        ++mCounts[M_GetDirect3D];
        return mReal->GetDirect3D(ppD3D8);
    }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8 * pCaps) override {
        ++mCounts[M_GetDeviceCaps];
        return mReal->GetDeviceCaps(pCaps);
    }
    HRESULT STDMETHODCALLTYPE GetDisplayMode(D3DDISPLAYMODE * pMode) override {
        ++mCounts[M_GetDisplayMode];
        return mReal->GetDisplayMode(pMode);
    }
    HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS * pParameters) override {
        ++mCounts[M_GetCreationParameters];
        return mReal->GetCreationParameters(pParameters);
    }
    HRESULT STDMETHODCALLTYPE SetCursorProperties(UINT XHotSpot, UINT YHotSpot, IDirect3DSurface8 * pCursorBitmap) override {
        ++mCounts[M_SetCursorProperties];
        return mReal->SetCursorProperties(XHotSpot, YHotSpot, pCursorBitmap);
    }
    void STDMETHODCALLTYPE SetCursorPosition(UINT XScreenSpace, UINT YScreenSpace,DWORD Flags) override {
        ++mCounts[M_SetCursorPosition];
        mReal->SetCursorPosition(XScreenSpace, YScreenSpace, Flags);
    }
    WINBOOL STDMETHODCALLTYPE ShowCursor(WINBOOL bShow) override {
        ++mCounts[M_ShowCursor];
        return mReal->ShowCursor(bShow);
    }
    HRESULT STDMETHODCALLTYPE CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS * pPresentationParameters, IDirect3DSwapChain8 ** pSwapChain) override {
        ++mCounts[M_CreateAdditionalSwapChain];
        return mReal->CreateAdditionalSwapChain(pPresentationParameters, pSwapChain);
    }
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS * pPresentationParameters) override {
        ++mCounts[M_Reset];
        return mReal->Reset(pPresentationParameters);
    }
    HRESULT STDMETHODCALLTYPE Present(const RECT *src_rect, const RECT *dst_rect, HWND dst_window_override, const RGNDATA *dirty_region) override {
        ++mCounts[M_Present];
        return mReal->Present(src_rect, dst_rect, dst_window_override, dirty_region);
    }
    HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT BackBuffer,D3DBACKBUFFER_TYPE Type,IDirect3DSurface8 ** ppBackBuffer) override {
        ++mCounts[M_GetBackBuffer];
        return mReal->GetBackBuffer(BackBuffer, Type, ppBackBuffer);
    }
    HRESULT STDMETHODCALLTYPE GetRasterStatus(D3DRASTER_STATUS * pRasterStatus) override {
        ++mCounts[M_GetRasterStatus];
        return mReal->GetRasterStatus(pRasterStatus);
    }
    void STDMETHODCALLTYPE SetGammaRamp(DWORD flags, const D3DGAMMARAMP *ramp) override {
        ++mCounts[M_SetGammaRamp];
        mReal->SetGammaRamp(flags, ramp);
    }
    void STDMETHODCALLTYPE GetGammaRamp(D3DGAMMARAMP * pRamp) override {
        ++mCounts[M_GetGammaRamp];
        mReal->GetGammaRamp(pRamp);
    }
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT Width,UINT Height,UINT Levels,DWORD Usage,D3DFORMAT Format,D3DPOOL Pool,IDirect3DTexture8 ** ppTexture) override {
        ++mCounts[M_CreateTexture];
        return mReal->CreateTexture(Width, Height, Levels, Usage, Format, Pool, ppTexture);
    }
    HRESULT STDMETHODCALLTYPE CreateVolumeTexture(UINT Width,UINT Height,UINT Depth,UINT Levels,DWORD Usage,D3DFORMAT Format,D3DPOOL Pool,IDirect3DVolumeTexture8 ** ppVolumeTexture) override {
        ++mCounts[M_CreateVolumeTexture];
        return mReal->CreateVolumeTexture(Width, Height, Depth, Levels, Usage, Format, Pool, ppVolumeTexture);
    }
    HRESULT STDMETHODCALLTYPE CreateCubeTexture(UINT EdgeLength,UINT Levels,DWORD Usage,D3DFORMAT Format,D3DPOOL Pool,IDirect3DCubeTexture8 ** ppCubeTexture) override {
        ++mCounts[M_CreateCubeTexture];
        return mReal->CreateCubeTexture(EdgeLength, Levels, Usage, Format, Pool, ppCubeTexture);
    }
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT Length,DWORD Usage,DWORD FVF,D3DPOOL Pool,IDirect3DVertexBuffer8 ** ppVertexBuffer) override {
        ++mCounts[M_CreateVertexBuffer];
        return mReal->CreateVertexBuffer(Length, Usage, FVF, Pool, ppVertexBuffer);
    }
    HRESULT STDMETHODCALLTYPE CreateIndexBuffer(UINT Length,DWORD Usage,D3DFORMAT Format,D3DPOOL Pool,IDirect3DIndexBuffer8 ** ppIndexBuffer) override {
        ++mCounts[M_CreateIndexBuffer];
        return mReal->CreateIndexBuffer(Length, Usage, Format, Pool, ppIndexBuffer);
    }
    HRESULT STDMETHODCALLTYPE CreateRenderTarget(UINT Width,UINT Height,D3DFORMAT Format,D3DMULTISAMPLE_TYPE MultiSample,WINBOOL Lockable,IDirect3DSurface8 ** ppSurface) override {
        ++mCounts[M_CreateRenderTarget];
        return mReal->CreateRenderTarget(Width, Height, Format, MultiSample, Lockable, ppSurface);
    }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilSurface(UINT Width,UINT Height,D3DFORMAT Format,D3DMULTISAMPLE_TYPE MultiSample,IDirect3DSurface8 ** ppSurface) override {
        ++mCounts[M_CreateDepthStencilSurface];
        return mReal->CreateDepthStencilSurface(Width, Height, Format, MultiSample, ppSurface);
    }
    HRESULT STDMETHODCALLTYPE CreateImageSurface(UINT Width,UINT Height,D3DFORMAT Format,IDirect3DSurface8 ** ppSurface) override {
        ++mCounts[M_CreateImageSurface];
        return mReal->CreateImageSurface(Width, Height, Format, ppSurface);
    }
    HRESULT STDMETHODCALLTYPE CopyRects(IDirect3DSurface8 *src_surface, const RECT *src_rects, UINT rect_count, IDirect3DSurface8 *dst_surface, const POINT *dst_points) override {
        ++mCounts[M_CopyRects];
        return mReal->CopyRects(src_surface, src_rects, rect_count, dst_surface, dst_points);
    }
    HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture8 * pSourceTexture,IDirect3DBaseTexture8 * pDestinationTexture) override {
        ++mCounts[M_UpdateTexture];
        return mReal->UpdateTexture(pSourceTexture, pDestinationTexture);
    }
    HRESULT STDMETHODCALLTYPE GetFrontBuffer(IDirect3DSurface8 * pDestSurface) override {
        ++mCounts[M_GetFrontBuffer];
        return mReal->GetFrontBuffer(pDestSurface);
    }
    HRESULT STDMETHODCALLTYPE SetRenderTarget(IDirect3DSurface8 * pRenderTarget,IDirect3DSurface8 * pNewZStencil) override {
        ++mCounts[M_SetRenderTarget];
        return mReal->SetRenderTarget(pRenderTarget, pNewZStencil);
    }
    HRESULT STDMETHODCALLTYPE GetRenderTarget(IDirect3DSurface8 ** ppRenderTarget) override {
        ++mCounts[M_GetRenderTarget];
        return mReal->GetRenderTarget(ppRenderTarget);
    }
    HRESULT STDMETHODCALLTYPE GetDepthStencilSurface(IDirect3DSurface8 ** ppZStencilSurface) override {
        ++mCounts[M_GetDepthStencilSurface];
        return mReal->GetDepthStencilSurface(ppZStencilSurface);
    }
    HRESULT STDMETHODCALLTYPE BeginScene() override {
        ++mCounts[M_BeginScene];
        return mReal->BeginScene();
    }
    HRESULT STDMETHODCALLTYPE EndScene() override {
        ++mCounts[M_EndScene];
        return mReal->EndScene();
    }
    HRESULT STDMETHODCALLTYPE Clear(DWORD rect_count, const D3DRECT *rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override {
        ++mCounts[M_Clear];
        return mReal->Clear(rect_count, rects, flags, color, z, stencil);
    }
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override {
        ++mCounts[M_SetTransform];
        Log(M_SetTransform, state, 0, 0);
        return mReal->SetTransform(state, matrix);
    }
    HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE State,D3DMATRIX * pMatrix) override {
        ++mCounts[M_GetTransform];
        return mReal->GetTransform(State, pMatrix);
    }
    HRESULT STDMETHODCALLTYPE MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override {
        ++mCounts[M_MultiplyTransform];
        return mReal->MultiplyTransform(state, matrix);
    }
    HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8 *viewport) override {
        ++mCounts[M_SetViewport];
        return mReal->SetViewport(viewport);
    }
    HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8 * pViewport) override {
        ++mCounts[M_GetViewport];
        return mReal->GetViewport(pViewport);
    }
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8 *material) override {
        ++mCounts[M_SetMaterial];
        Log(M_SetMaterial, 0, 0, 0);
        return mReal->SetMaterial(material);
    }
    HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8 *pMaterial) override {
        ++mCounts[M_GetMaterial];
        return mReal->GetMaterial(pMaterial);
    }
    HRESULT STDMETHODCALLTYPE SetLight(DWORD index, const D3DLIGHT8 *light) override {
        ++mCounts[M_SetLight];
        Log(M_SetLight, index, 0, 0);
        return mReal->SetLight(index, light);
    }
    HRESULT STDMETHODCALLTYPE GetLight(DWORD Index,D3DLIGHT8 * pLight) override {
        ++mCounts[M_GetLight];
        return mReal->GetLight(Index, pLight);
    }
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD Index,WINBOOL Enable) override {
        ++mCounts[M_LightEnable];
        Log(M_LightEnable, Index, Enable, 0);
        return mReal->LightEnable(Index, Enable);
    }
    HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD Index,WINBOOL * pEnable) override {
        ++mCounts[M_GetLightEnable];
        return mReal->GetLightEnable(Index, pEnable);
    }
    HRESULT STDMETHODCALLTYPE SetClipPlane(DWORD index, const float *plane) override {
        ++mCounts[M_SetClipPlane];
        return mReal->SetClipPlane(index, plane);
    }
    HRESULT STDMETHODCALLTYPE GetClipPlane(DWORD Index,float * pPlane) override {
        ++mCounts[M_GetClipPlane];
        return mReal->GetClipPlane(Index, pPlane);
    }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE State,DWORD Value) override {
        ++mCounts[M_SetRenderState];
        Log(M_SetRenderState, State, Value, 0);
        return mReal->SetRenderState(State, Value);
    }
    HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE State,DWORD * pValue) override {
        ++mCounts[M_GetRenderState];
        return mReal->GetRenderState(State, pValue);
    }
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override {
        ++mCounts[M_BeginStateBlock];
        return mReal->BeginStateBlock();
    }
    HRESULT STDMETHODCALLTYPE EndStateBlock(DWORD * pToken) override {
        ++mCounts[M_EndStateBlock];
        return mReal->EndStateBlock(pToken);
    }
    HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD Token) override {
        ++mCounts[M_ApplyStateBlock];
        return mReal->ApplyStateBlock(Token);
    }
    HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD Token) override {
        ++mCounts[M_CaptureStateBlock];
        return mReal->CaptureStateBlock(Token);
    }
    HRESULT STDMETHODCALLTYPE DeleteStateBlock(DWORD Token) override {
        ++mCounts[M_DeleteStateBlock];
        return mReal->DeleteStateBlock(Token);
    }
    HRESULT STDMETHODCALLTYPE CreateStateBlock(D3DSTATEBLOCKTYPE Type,DWORD * pToken) override {
        ++mCounts[M_CreateStateBlock];
        return mReal->CreateStateBlock(Type, pToken);
    }
    HRESULT STDMETHODCALLTYPE SetClipStatus(const D3DCLIPSTATUS8 *clip_status) override {
        ++mCounts[M_SetClipStatus];
        return mReal->SetClipStatus(clip_status);
    }
    HRESULT STDMETHODCALLTYPE GetClipStatus(D3DCLIPSTATUS8 * pClipStatus) override {
        ++mCounts[M_GetClipStatus];
        return mReal->GetClipStatus(pClipStatus);
    }
    HRESULT STDMETHODCALLTYPE GetTexture(DWORD Stage,IDirect3DBaseTexture8 ** ppTexture) override {
        ++mCounts[M_GetTexture];
        return mReal->GetTexture(Stage, ppTexture);
    }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD Stage,IDirect3DBaseTexture8 * pTexture) override {
        ++mCounts[M_SetTexture];
        return mReal->SetTexture(Stage, pTexture);
    }
    HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD Stage,D3DTEXTURESTAGESTATETYPE Type,DWORD * pValue) override {
        ++mCounts[M_GetTextureStageState];
        return mReal->GetTextureStageState(Stage, Type, pValue);
    }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD Stage,D3DTEXTURESTAGESTATETYPE Type,DWORD Value) override {
        ++mCounts[M_SetTextureStageState];
        Log(M_SetTextureStageState, Stage, Type, Value);
        return mReal->SetTextureStageState(Stage, Type, Value);
    }
    HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD * pNumPasses) override {
        ++mCounts[M_ValidateDevice];
        return mReal->ValidateDevice(pNumPasses);
    }
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD DevInfoID,void * pDevInfoStruct,DWORD DevInfoStructSize) override {
        ++mCounts[M_GetInfo];
        return mReal->GetInfo(DevInfoID, pDevInfoStruct, DevInfoStructSize);
    }
    HRESULT STDMETHODCALLTYPE SetPaletteEntries(UINT palette_idx, const PALETTEENTRY *entries) override {
        ++mCounts[M_SetPaletteEntries];
        return mReal->SetPaletteEntries(palette_idx, entries);
    }
    HRESULT STDMETHODCALLTYPE GetPaletteEntries(UINT PaletteNumber,PALETTEENTRY * pEntries) override {
        ++mCounts[M_GetPaletteEntries];
        return mReal->GetPaletteEntries(PaletteNumber, pEntries);
    }
    HRESULT STDMETHODCALLTYPE SetCurrentTexturePalette(UINT PaletteNumber) override {
        ++mCounts[M_SetCurrentTexturePalette];
        return mReal->SetCurrentTexturePalette(PaletteNumber);
    }
    HRESULT STDMETHODCALLTYPE GetCurrentTexturePalette(UINT * PaletteNumber) override {
        ++mCounts[M_GetCurrentTexturePalette];
        return mReal->GetCurrentTexturePalette(PaletteNumber);
    }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType,UINT StartVertex,UINT PrimitiveCount) override {
        ++mCounts[M_DrawPrimitive];
        return mReal->DrawPrimitive(PrimitiveType, StartVertex, PrimitiveCount);
    }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType,UINT minIndex,UINT NumVertices,UINT startIndex,UINT primCount) override {
        ++mCounts[M_DrawIndexedPrimitive];
        return mReal->DrawIndexedPrimitive(PrimitiveType, minIndex, NumVertices, startIndex, primCount);
    }
    HRESULT STDMETHODCALLTYPE DrawPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT primitive_count, const void *data, UINT stride) override {
        ++mCounts[M_DrawPrimitiveUP];
        return mReal->DrawPrimitiveUP(primitive_type, primitive_count, data, stride);
    }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT min_vertex_idx, UINT vertex_count, UINT primitive_count, const void *index_data, D3DFORMAT index_format, const void *data, UINT stride) override {
        ++mCounts[M_DrawIndexedPrimitiveUP];
        return mReal->DrawIndexedPrimitiveUP(primitive_type, min_vertex_idx, vertex_count, primitive_count, index_data, index_format, data, stride);
    }
    HRESULT STDMETHODCALLTYPE ProcessVertices(UINT SrcStartIndex,UINT DestIndex,UINT VertexCount,IDirect3DVertexBuffer8 * pDestBuffer,DWORD Flags) override {
        ++mCounts[M_ProcessVertices];
        return mReal->ProcessVertices(SrcStartIndex, DestIndex, VertexCount, pDestBuffer, Flags);
    }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const DWORD *declaration, const DWORD *byte_code, DWORD *shader, DWORD usage) override {
        ++mCounts[M_CreateVertexShader];
        return mReal->CreateVertexShader(declaration, byte_code, shader, usage);
    }
    HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD Handle) override {
        ++mCounts[M_SetVertexShader];
        return mReal->SetVertexShader(Handle);
    }
    HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD * pHandle) override {
        ++mCounts[M_GetVertexShader];
        return mReal->GetVertexShader(pHandle);
    }
    HRESULT STDMETHODCALLTYPE DeleteVertexShader(DWORD Handle) override {
        ++mCounts[M_DeleteVertexShader];
        return mReal->DeleteVertexShader(Handle);
    }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstant(DWORD reg_idx, const void *data, DWORD count) override {
        ++mCounts[M_SetVertexShaderConstant];
        return mReal->SetVertexShaderConstant(reg_idx, data, count);
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstant(DWORD Register,void * pConstantData,DWORD ConstantCount) override {
        ++mCounts[M_GetVertexShaderConstant];
        return mReal->GetVertexShaderConstant(Register, pConstantData, ConstantCount);
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderDeclaration(DWORD Handle,void * pData,DWORD * pSizeOfData) override {
        ++mCounts[M_GetVertexShaderDeclaration];
        return mReal->GetVertexShaderDeclaration(Handle, pData, pSizeOfData);
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderFunction(DWORD Handle,void * pData,DWORD * pSizeOfData) override {
        ++mCounts[M_GetVertexShaderFunction];
        return mReal->GetVertexShaderFunction(Handle, pData, pSizeOfData);
    }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT StreamNumber,IDirect3DVertexBuffer8 * pStreamData,UINT Stride) override {
        ++mCounts[M_SetStreamSource];
        return mReal->SetStreamSource(StreamNumber, pStreamData, Stride);
    }
    HRESULT STDMETHODCALLTYPE GetStreamSource(UINT StreamNumber,IDirect3DVertexBuffer8 ** ppStreamData,UINT * pStride) override {
        ++mCounts[M_GetStreamSource];
        return mReal->GetStreamSource(StreamNumber, ppStreamData, pStride);
    }
    HRESULT STDMETHODCALLTYPE SetIndices(IDirect3DIndexBuffer8 * pIndexData,UINT BaseVertexIndex) override {
        ++mCounts[M_SetIndices];
        return mReal->SetIndices(pIndexData, BaseVertexIndex);
    }
    HRESULT STDMETHODCALLTYPE GetIndices(IDirect3DIndexBuffer8 ** ppIndexData,UINT * pBaseVertexIndex) override {
        ++mCounts[M_GetIndices];
        return mReal->GetIndices(ppIndexData, pBaseVertexIndex);
    }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const DWORD *byte_code, DWORD *shader) override {
        ++mCounts[M_CreatePixelShader];
        return mReal->CreatePixelShader(byte_code, shader);
    }
    HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD Handle) override {
        ++mCounts[M_SetPixelShader];
        return mReal->SetPixelShader(Handle);
    }
    HRESULT STDMETHODCALLTYPE GetPixelShader(DWORD * pHandle) override {
        ++mCounts[M_GetPixelShader];
        return mReal->GetPixelShader(pHandle);
    }
    HRESULT STDMETHODCALLTYPE DeletePixelShader(DWORD Handle) override {
        ++mCounts[M_DeletePixelShader];
        return mReal->DeletePixelShader(Handle);
    }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstant(DWORD reg_idx, const void *data, DWORD count) override {
        ++mCounts[M_SetPixelShaderConstant];
        return mReal->SetPixelShaderConstant(reg_idx, data, count);
    }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstant(DWORD Register,void * pConstantData,DWORD ConstantCount) override {
        ++mCounts[M_GetPixelShaderConstant];
        return mReal->GetPixelShaderConstant(Register, pConstantData, ConstantCount);
    }
    HRESULT STDMETHODCALLTYPE GetPixelShaderFunction(DWORD Handle,void * pData,DWORD * pSizeOfData) override {
        ++mCounts[M_GetPixelShaderFunction];
        return mReal->GetPixelShaderFunction(Handle, pData, pSizeOfData);
    }
    HRESULT STDMETHODCALLTYPE DrawRectPatch(UINT handle, const float *segment_count, const D3DRECTPATCH_INFO *patch_info) override {
        ++mCounts[M_DrawRectPatch];
        return mReal->DrawRectPatch(handle, segment_count, patch_info);
    }
    HRESULT STDMETHODCALLTYPE DrawTriPatch(UINT handle, const float *segment_count, const D3DTRIPATCH_INFO *patch_info) override {
        ++mCounts[M_DrawTriPatch];
        return mReal->DrawTriPatch(handle, segment_count, patch_info);
    }
    HRESULT STDMETHODCALLTYPE DeletePatch(UINT Handle) override {
        ++mCounts[M_DeletePatch];
        return mReal->DeletePatch(Handle);
    }

private:
    void Log(Method method, DWORD first, DWORD second, DWORD third) {
        mCalls.push_back(Call{method, first, second, third});
    }

    IDirect3DDevice8* mReal;
    unsigned mCounts[METHOD_COUNT];
    std::vector<Call> mCalls;
};
