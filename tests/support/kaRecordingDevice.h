#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "kaDeviceCall.h"
#include "kaRecordingIndexBuffer.h"
#include "kaRecordingPixelShader.h"
#include "kaRecordingTexture.h"
#include "kaRecordingVertexBuffer.h"
#include "kaRecordingVertexShader.h"
#include "kaRenderDevice.h"
#include "kaResult.h"

// A render device for native tests of the drawing code.  It records every
// call, in order, with its arguments (kaDeviceCall), and keeps the state the
// calls set so that the getters answer as the Direct3D 8 device would:
//   - render states (including the light enables 0x80000000 + i) and
//     texture-stage states read back what was set, or kUnset (0xEFEFEFEF, the
//     device's own filler) when nothing was; numbers above 0x80000007 give 2;
//   - the 266 cached transforms (2, 3, 16 to 23, 256 to 511) start as the
//     identity; the matrix operations multiply real matrices (current :=
//     m x current) and each transform has a stack of 16; other identifiers
//     are not stored, and multiplying onto them gives 2;
//   - viewport, fog, lights 0 to 7 and material start zeroed, the stage
//     textures null;
//   - EndRender and the end of a render-to-texture forget the current vertex
//     buffer, index buffer and vertex format or shader.
// ResetState puts the render states (but the light switches) and the
// texture-stage states back to unset as their sections ask; the other
// sections, PushState, PopState, presentation and clearing are recorded only.
//
// Creation operations hand out recording resources backed by memory, which
// record their own operations here too ("Texture.UpdateBuffer",
// "VertexBuffer.Lock" ...).  Block-compressed textures are widened to whole
// 4 x 4 blocks, as the Direct3D 8 device makes them.  The device tracks the live ones so that tests
// can check that nothing leaked; the destructor frees what is left.
//
// Any operation, the resources' included, can be made to fail: failNext
// makes its next calls record themselves, change nothing and return a code.
//
// Misuse that the real device would not survive or would silently get wrong
// (writes outside a lock, drawing without a buffer or outside a scene, a
// draw reaching past its buffers, a device released before its resources) is
// not fatal here: it is listed in misuse() for tests to assert on.
//
// `Release` does not destroy the device: the test owns it and can look at it
// afterwards.
class kaRecordingDevice final : public kaRenderDevice {
public:
    static constexpr unsigned kUnset = 0xEFEFEFEFu;
    static constexpr unsigned kStackDepth = 16;
    static constexpr unsigned kStages = 8;
    static constexpr unsigned kLights = 8;
    static constexpr unsigned kVertexConstantRegisters = 96;
    static constexpr unsigned kPixelConstantRegisters = 8;

    // What was bound when a draw call was made.
    struct Draw {
        size_t callIndex;  // position of the draw in calls()
        kaVertexBuffer* vertexBuffer;
        kaIndexBuffer* indexBuffer;
        unsigned vertexFormat;  // 0 while a vertex shader is set
        kaVertexShader* vertexShader;
        kaPixelShader* pixelShader;
        std::array<kaBaseTexture*, kStages> textures;
        // The vertices the draw reads, from its first one, as they were when
        // it was made (empty without a live vertex buffer).
        kaVertexBytes vertices;
        // The texture-stage states set by then, ordered by (stage, state),
        // and the render states set by then, ordered by state: the device's
        // tables flattened (one block per draw rather than one per entry).
        std::vector<std::pair<std::pair<unsigned, unsigned>, unsigned>> stageStates;
        std::vector<std::pair<unsigned, unsigned>> renderStates;

        // A stage state as it was at the draw, or kUnset.
        unsigned stageState(unsigned stage, unsigned state) const {
            const std::pair<unsigned, unsigned> key{stage, state};
            const auto found = std::lower_bound(
                stageStates.begin(), stageStates.end(), key,
                [](const auto& entry, const auto& wanted) { return entry.first < wanted; });
            return found != stageStates.end() && found->first == key ? found->second : kUnset;
        }
    };

    kaRecordingDevice() = default;
    ~kaRecordingDevice();
    kaRecordingDevice(const kaRecordingDevice&) = delete;
    kaRecordingDevice& operator=(const kaRecordingDevice&) = delete;

    int CheckDepthStencil(unsigned depthFormat, unsigned modeIndex, int windowed) override;
    int Initialize(void* window, unsigned modeIndex, unsigned depthFormat,
                   unsigned multiSampleType, int vsync) override;
    int InitializeWindowed(void* window, unsigned width, unsigned height, unsigned depthFormat,
                           unsigned multiSampleType, int vsync) override;
    int Release() override;
    int CreateTexture(kaBaseTexture** out, unsigned width, unsigned height, unsigned format,
                      unsigned levels, unsigned usage) override;
    int CreateCubeTexture(kaBaseTexture** out, unsigned edgeLength, unsigned format,
                          unsigned levels, unsigned usage) override;
    int CreateVolumeTexture(kaBaseTexture** out, unsigned width, unsigned height,
                            unsigned depth, unsigned format, unsigned levels,
                            unsigned usage) override;
    int CreateVertexBuffer(kaVertexBuffer** out, unsigned vertexFormat, unsigned vertexCount,
                           unsigned usage) override;
    int CreateIndexBuffer(kaIndexBuffer** out, unsigned indexCount, unsigned usage) override;
    int CreateVertexShader(kaVertexShader** out, unsigned vertexFormat, void* source,
                           unsigned sourceLength) override;
    int CreatePixelShader(kaPixelShader** out, void* source, unsigned sourceLength) override;
    int DrawPrimitive(unsigned primitiveType, unsigned startVertex,
                      unsigned primitiveCount) override;
    int DrawIndexedPrimitive(unsigned primitiveType, unsigned startIndex, unsigned vertexCount,
                             unsigned primitiveCount) override;

    int ResetState(unsigned mask) override;
    int PushState(unsigned mask) override;
    int PopState() override;
    int Clear(unsigned flags, unsigned color, float z, unsigned stencil) override;
    int Flip() override;

    int setViewport(kaViewport* viewport) override;
    int getViewport(kaViewport* viewport) override;
    int setFog(kaFog* fog) override;
    int getFog(kaFog* fog) override;
    int setLight(unsigned index, kaLight* light) override;
    int getLight(unsigned index, kaLight* light) override;
    int setMaterial(kaMaterial* material) override;
    int getMaterial(kaMaterial* material) override;
    int setTexture(unsigned stage, kaBaseTexture* texture) override;
    int getTexture(unsigned stage, kaBaseTexture** texture) override;
    int setVertexBuffer(kaVertexBuffer* buffer) override;
    int setIndexBuffer(kaIndexBuffer* buffer) override;
    int setVertexFormat(unsigned vertexFormat) override;
    int setVertexShader(kaVertexShader* shader) override;
    int setPixelShader(kaPixelShader* shader) override;
    int setVertexShaderConstant(int firstRegister, float* values,
                                unsigned registerCount) override;
    int setPixelShaderConstant(int firstRegister, float* values,
                               unsigned registerCount) override;
    int setTextureState(unsigned stage, unsigned state, unsigned value) override;
    int getTextureState(unsigned stage, unsigned state, unsigned* value) override;
    int setRenderState(unsigned state, unsigned value) override;
    int getRenderState(unsigned state, unsigned* value) override;

    int setMatrix(unsigned id, kaMatrix44f* matrix) override;
    int getMatrix(unsigned id, kaMatrix44f* matrix) override;
    int LoadIdentity(unsigned id) override;
    int PushMatrix(unsigned id) override;
    int PopMatrix(unsigned id) override;
    int MultiplyMatrix(unsigned id, kaMatrix44f* matrix) override;
    int Translate(unsigned id, float x, float y, float z) override;
    int Scale(unsigned id, float x, float y, float z) override;
    int RotateX(unsigned id, float radians) override;
    int RotateY(unsigned id, float radians) override;
    int RotateZ(unsigned id, float radians) override;
    int PerspectiveFovRH(unsigned id, float fovY, float aspect, float zNear,
                         float zFar) override;
    int PerspectiveFovLH(unsigned id, float fovY, float aspect, float zNear,
                         float zFar) override;
    int OrthoRH(unsigned id, float width, float height, float zNear, float zFar) override;
    int OrthoLH(unsigned id, float width, float height, float zNear, float zFar) override;
    int LookAtRH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) override;
    int LookAtLH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) override;

    int BeginRender() override;
    int EndRender() override;
    int BeginRenderToTexture(kaBaseTexture* texture, unsigned level, int useDepth) override;
    int EndRenderToTexture() override;
    int BeginRenderToCubeTexture(kaBaseTexture* texture, unsigned face, unsigned level,
                                 int useDepth) override;
    int EndRenderToCubeTexture() override;

    // ---- Recorded calls ----
    const std::vector<kaDeviceCall>& calls() const { return mCalls; }
    std::vector<kaDeviceCall> callsNamed(const std::string& name) const;
    size_t count(const std::string& name) const;
    // The last call of that name, or null.
    const kaDeviceCall* lastCall(const std::string& name) const;
    // The names of all calls in order, for checking a sequence at a glance.
    std::vector<std::string> callNames() const;
    const std::vector<Draw>& draws() const { return mDraws; }
    // Forgets the recorded calls and draws; state and resources stay.
    void clearCalls();

    // ---- Failure injection ----
    // The next `times` calls of `operation` (a device operation such as
    // "CreateTexture", or a resource's such as "VertexBuffer.Lock") are
    // recorded, change nothing and return `code`.
    void failNext(const std::string& operation, int code, unsigned times = 1);
    // Textures asked for in format `requested` are made in `made` instead,
    // as a device without the requested format makes them.
    void substituteFormat(unsigned requested, unsigned made) { mSubstitutes[requested] = made; }

    // ---- Misuse ----
    // The first 100 messages; misuseCount() counts them all.
    const std::vector<std::string>& misuse() const { return mMisuse; }
    size_t misuseCount() const { return mMisuseCount; }
    void noteMisuse(const std::string& what);

    // ---- Live resources ----
    const std::vector<kaRecordingTexture*>& liveTextures() const { return mTextures; }
    const std::vector<kaRecordingVertexBuffer*>& liveVertexBuffers() const {
        return mVertexBuffers;
    }
    const std::vector<kaRecordingIndexBuffer*>& liveIndexBuffers() const {
        return mIndexBuffers;
    }
    const std::vector<kaRecordingVertexShader*>& liveVertexShaders() const {
        return mVertexShaders;
    }
    const std::vector<kaRecordingPixelShader*>& livePixelShaders() const {
        return mPixelShaders;
    }
    size_t liveResourceCount() const;
    // The recording object behind an interface pointer this device handed
    // out and that is still alive, or null.
    kaRecordingTexture* recorded(const kaBaseTexture* texture) const;
    kaRecordingVertexBuffer* recorded(const kaVertexBuffer* buffer) const;
    kaRecordingIndexBuffer* recorded(const kaIndexBuffer* buffer) const;
    kaRecordingVertexShader* recorded(const kaVertexShader* shader) const;
    kaRecordingPixelShader* recorded(const kaPixelShader* shader) const;

    // ---- Device state beyond the getters ----
    bool isInitialized() const { return mInitialized; }
    bool isReleased() const { return mReleased; }
    bool inScene() const { return mInScene; }
    kaBaseTexture* renderTarget() const { return mTarget; }  // null: the back buffer
    kaVertexBuffer* currentVertexBuffer() const { return mVertexBuffer; }
    kaIndexBuffer* currentIndexBuffer() const { return mIndexBuffer; }
    unsigned currentVertexFormat() const { return mVertexFormat; }
    kaVertexShader* currentVertexShader() const { return mVertexShader; }
    kaPixelShader* currentPixelShader() const { return mPixelShader; }
    // Last value of each shader constant register that was set.
    const std::map<int, std::array<float, 4>>& vertexShaderConstants() const {
        return mVertexConstants;
    }
    const std::map<int, std::array<float, 4>>& pixelShaderConstants() const {
        return mPixelConstants;
    }
    size_t matrixStackDepth(unsigned id) const;

    // ---- For the recording resources ----
    // Records a call; returns the injected failure code for it, or 0.
    int Record(kaDeviceCall&& call);
    int Record(const kaDeviceCall& call) { return Record(kaDeviceCall(call)); }
    // Records a resource's Release and destroys it unless a failure is
    // injected.
    template <class T>
    int ReleaseResource(const char* name, T* resource) {
        if (int injected = Record(kaDeviceCall(name) << resource)) return injected;
        Destroy(resource);
        return KA_OK;
    }
    template <class T>
    void Destroy(T* resource) {
        std::vector<T*>& live = LiveList(resource);
        live.erase(std::remove(live.begin(), live.end(), resource), live.end());
        delete resource;
    }

private:
    static bool IsCachedTransform(unsigned id);

    std::vector<kaRecordingTexture*>& LiveList(kaRecordingTexture*) { return mTextures; }
    std::vector<kaRecordingVertexBuffer*>& LiveList(kaRecordingVertexBuffer*) {
        return mVertexBuffers;
    }
    std::vector<kaRecordingIndexBuffer*>& LiveList(kaRecordingIndexBuffer*) {
        return mIndexBuffers;
    }
    std::vector<kaRecordingVertexShader*>& LiveList(kaRecordingVertexShader*) {
        return mVertexShaders;
    }
    std::vector<kaRecordingPixelShader*>& LiveList(kaRecordingPixelShader*) {
        return mPixelShaders;
    }

    int StartUp(void* window, unsigned multiSampleType);
    int MakeTexture(kaBaseTexture** out, kaRecordingTexture::Kind kind, unsigned width,
                    unsigned height, unsigned depth, unsigned format, unsigned levels,
                    unsigned usage);
    template <class T>
    int SetRecord(const char* name, T* value, T& slot);
    template <class T>
    int GetRecord(const char* name, T* out, const T& slot);
    int SetConstants(const char* name, std::map<int, std::array<float, 4>>& registers,
                     unsigned registerLimit, int firstRegister, const float* values,
                     unsigned registerCount);
    void StoreMatrix(unsigned id, const kaMatrix44f& matrix);
    kaMatrix44f CurrentMatrix(unsigned id) const;
    int MultiplyOnto(unsigned id, const kaMatrix44f& matrix);
    // Records a builder's call and multiplies its matrix onto the transform.
    int Build(const kaDeviceCall& call, unsigned id, const kaMatrix44f& matrix);
    static kaDeviceCall LookAtCall(const char* name, unsigned id, const kaVector3f& eye,
                                   const kaVector3f& at, const kaVector3f& up);
    int BeginTarget(kaBaseTexture* texture, kaRecordingTexture::Kind kind, unsigned face,
                    unsigned level);
    int EndTarget();
    void ForgetBindings();
    void CheckDrawState(const std::string& operation);
    // Checks the bindings; returns the vertices (or indices) the primitives use.
    unsigned CheckDraw(const std::string& operation, unsigned primitiveType,
                       unsigned primitiveCount);
    void CheckIndices(unsigned startIndex, unsigned indexCount, unsigned vertexCount);
    // Records what is bound and vertices [first, first + count) of the buffer.
    void RecordDraw(unsigned first, unsigned count);

    std::vector<kaDeviceCall> mCalls;
    std::vector<Draw> mDraws;
    std::map<std::string, std::vector<int>> mFailures;  // codes still to return, in order
    std::map<unsigned, unsigned> mSubstitutes;  // requested format -> made format
    std::vector<std::string> mMisuse;
    size_t mMisuseCount = 0;

    std::vector<kaRecordingTexture*> mTextures;
    std::vector<kaRecordingVertexBuffer*> mVertexBuffers;
    std::vector<kaRecordingIndexBuffer*> mIndexBuffers;
    std::vector<kaRecordingVertexShader*> mVertexShaders;
    std::vector<kaRecordingPixelShader*> mPixelShaders;

    bool mInitialized = false;
    bool mReleased = false;
    bool mInScene = false;
    kaBaseTexture* mTarget = nullptr;

    std::map<unsigned, unsigned> mRenderStates;
    std::map<std::pair<unsigned, unsigned>, unsigned> mStageStates;
    std::map<unsigned, kaMatrix44f> mMatrices;
    std::map<unsigned, std::vector<kaMatrix44f>> mMatrixStacks;
    kaViewport mViewport{};
    kaFog mFog{};
    std::array<kaLight, kLights> mLights{};
    kaMaterial mMaterial{};
    std::array<kaBaseTexture*, kStages> mTextureStages{};
    kaVertexBuffer* mVertexBuffer = nullptr;
    kaIndexBuffer* mIndexBuffer = nullptr;
    unsigned mVertexFormat = 0;
    kaVertexShader* mVertexShader = nullptr;
    kaPixelShader* mPixelShader = nullptr;
    std::map<int, std::array<float, 4>> mVertexConstants;
    std::map<int, std::array<float, 4>> mPixelConstants;
};
