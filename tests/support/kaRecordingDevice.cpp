#include "kaRecordingDevice.h"

#include <cstdint>
#include <cstdio>

#include "kaMatrixMath.h"

namespace {

constexpr size_t kMaxMisuseMessages = 100;
constexpr uint64_t kMaxBufferBytes = 64u << 20;  // larger buffers are refused

bool IsBlockCompressed(unsigned format) {
    return format == kaRecordingTexture::kDXT1 || format == kaRecordingTexture::kDXT3 ||
           format == kaRecordingTexture::kDXT5;
}

// Block-compressed textures are made of whole 4 x 4 blocks, as the Direct3D 8
// device makes them; a size of 0 counts as 1.
unsigned WholeBlocks(unsigned extent) { return (std::max(extent, 1u) + 3) & ~3u; }

// Vertices (or indices) that `count` primitives of a type use; 0 for an
// unknown type.
unsigned ElementsFor(unsigned primitiveType, unsigned count) {
    switch (primitiveType) {
        case 1: return count;      // point list
        case 2: return 2 * count;  // line list
        case 3: return count + 1;  // line strip
        case 4: return 3 * count;  // triangle list
        case 5:                    // triangle strip
        case 6: return count + 2;  // triangle fan
        default: return 0;
    }
}

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

template <class Recording, class Interface>
Recording* FindLive(const std::vector<Recording*>& live, const Interface* resource) {
    for (Recording* candidate : live) {
        if (static_cast<const Interface*>(candidate) == resource) return candidate;
    }
    return nullptr;
}

}  // namespace

kaRecordingDevice::~kaRecordingDevice() {
    while (!mTextures.empty()) Destroy(mTextures.back());
    while (!mVertexBuffers.empty()) Destroy(mVertexBuffers.back());
    while (!mIndexBuffers.empty()) Destroy(mIndexBuffers.back());
    while (!mVertexShaders.empty()) Destroy(mVertexShaders.back());
    while (!mPixelShaders.empty()) Destroy(mPixelShaders.back());
}

// ---- Recording ----

int kaRecordingDevice::Record(kaDeviceCall&& call) {
    if (mReleased) noteMisuse(call.name + " after the device's Release");
    mCalls.push_back(std::move(call));
    auto pending = mFailures.find(mCalls.back().name);
    if (pending == mFailures.end()) return KA_OK;
    const int code = pending->second.front();
    pending->second.erase(pending->second.begin());
    if (pending->second.empty()) mFailures.erase(pending);
    return code;
}

std::vector<kaDeviceCall> kaRecordingDevice::callsNamed(const std::string& name) const {
    std::vector<kaDeviceCall> named;
    for (const kaDeviceCall& call : mCalls) {
        if (call.name == name) named.push_back(call);
    }
    return named;
}

size_t kaRecordingDevice::count(const std::string& name) const {
    const auto named = [&](const kaDeviceCall& call) { return call.name == name; };
    return static_cast<size_t>(std::count_if(mCalls.begin(), mCalls.end(), named));
}

const kaDeviceCall* kaRecordingDevice::lastCall(const std::string& name) const {
    for (auto call = mCalls.rbegin(); call != mCalls.rend(); ++call) {
        if (call->name == name) return &*call;
    }
    return nullptr;
}

std::vector<std::string> kaRecordingDevice::callNames() const {
    std::vector<std::string> names;
    for (const kaDeviceCall& call : mCalls) names.push_back(call.name);
    return names;
}

void kaRecordingDevice::clearCalls() {
    mCalls.clear();
    mDraws.clear();
}

void kaRecordingDevice::failNext(const std::string& operation, int code, unsigned times) {
    std::vector<int>& codes = mFailures[operation];
    codes.insert(codes.end(), times, code);
    if (codes.empty()) mFailures.erase(operation);
}

void kaRecordingDevice::noteMisuse(const std::string& what) {
    if (mMisuse.size() < kMaxMisuseMessages) mMisuse.push_back(what);
    ++mMisuseCount;
}

// ---- Live resources ----

size_t kaRecordingDevice::liveResourceCount() const {
    return mTextures.size() + mVertexBuffers.size() + mIndexBuffers.size() +
           mVertexShaders.size() + mPixelShaders.size();
}

kaRecordingTexture* kaRecordingDevice::recorded(const kaBaseTexture* texture) const {
    return FindLive(mTextures, texture);
}

kaRecordingVertexBuffer* kaRecordingDevice::recorded(const kaVertexBuffer* buffer) const {
    return FindLive(mVertexBuffers, buffer);
}

kaRecordingIndexBuffer* kaRecordingDevice::recorded(const kaIndexBuffer* buffer) const {
    return FindLive(mIndexBuffers, buffer);
}

kaRecordingVertexShader* kaRecordingDevice::recorded(const kaVertexShader* shader) const {
    return FindLive(mVertexShaders, shader);
}

kaRecordingPixelShader* kaRecordingDevice::recorded(const kaPixelShader* shader) const {
    return FindLive(mPixelShaders, shader);
}

// ---- Creation, presentation and resources ----

int kaRecordingDevice::CheckDepthStencil(unsigned depthFormat, unsigned modeIndex,
                                         int windowed) {
    return Record(kaDeviceCall("CheckDepthStencil") << depthFormat << modeIndex << windowed);
}

int kaRecordingDevice::StartUp(void* window, unsigned multiSampleType) {
    if (mInitialized) return KA_ERR_WRONGSTATE;
    if (window == nullptr || multiSampleType == 1 || multiSampleType > 4) {
        return KA_ERR_INVALIDARG;
    }
    mInitialized = true;
    return KA_OK;
}

int kaRecordingDevice::Initialize(void* window, unsigned modeIndex, unsigned depthFormat,
                                  unsigned multiSampleType, int vsync) {
    if (int injected = Record(kaDeviceCall("Initialize") << window << modeIndex << depthFormat
                                                         << multiSampleType << vsync)) {
        return injected;
    }
    return StartUp(window, multiSampleType);
}

int kaRecordingDevice::InitializeWindowed(void* window, unsigned width, unsigned height,
                                          unsigned depthFormat, unsigned multiSampleType,
                                          int vsync) {
    if (int injected = Record(kaDeviceCall("InitializeWindowed")
                              << window << width << height << depthFormat << multiSampleType
                              << vsync)) {
        return injected;
    }
    return StartUp(window, multiSampleType);
}

int kaRecordingDevice::Release() {
    if (int injected = Record(kaDeviceCall("Release"))) return injected;
    if (liveResourceCount() != 0) {
        noteMisuse("device released before its resources (" +
                   std::to_string(liveResourceCount()) + " alive)");
    }
    mReleased = true;
    return KA_OK;
}

int kaRecordingDevice::MakeTexture(kaBaseTexture** out, kaRecordingTexture::Kind kind,
                                   unsigned width, unsigned height, unsigned depth,
                                   unsigned format, unsigned levels, unsigned usage) {
    if (out == nullptr) return KA_ERR_INVALIDARG;
    if (std::max({width, height, depth}) > kaRecordingTexture::MaxSize(kind)) {
        return KA_ERR_PLATFORM;
    }
    const auto substitute = mSubstitutes.find(format);
    if (substitute != mSubstitutes.end()) format = substitute->second;
    if (IsBlockCompressed(format)) {
        width = WholeBlocks(width);
        height = WholeBlocks(height);
    }
    auto* texture =
        new kaRecordingTexture(*this, kind, format, width, height, depth, levels, usage);
    mTextures.push_back(texture);
    *out = texture;
    return KA_OK;
}

int kaRecordingDevice::CreateTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                     unsigned format, unsigned levels, unsigned usage) {
    if (int injected = Record(kaDeviceCall("CreateTexture")
                              << out << width << height << format << levels << usage)) {
        return injected;
    }
    return MakeTexture(out, kaRecordingTexture::KIND_2D, width, height, 1, format, levels, usage);
}

int kaRecordingDevice::CreateCubeTexture(kaBaseTexture** out, unsigned edgeLength,
                                         unsigned format, unsigned levels, unsigned usage) {
    if (int injected = Record(kaDeviceCall("CreateCubeTexture")
                              << out << edgeLength << format << levels << usage)) {
        return injected;
    }
    return MakeTexture(out, kaRecordingTexture::KIND_CUBE, edgeLength, edgeLength, 1, format,
                       levels, usage);
}

int kaRecordingDevice::CreateVolumeTexture(kaBaseTexture** out, unsigned width,
                                           unsigned height, unsigned depth, unsigned format,
                                           unsigned levels, unsigned usage) {
    if (int injected = Record(kaDeviceCall("CreateVolumeTexture") << out << width << height
                                                                  << depth << format << levels
                                                                  << usage)) {
        return injected;
    }
    return MakeTexture(out, kaRecordingTexture::KIND_VOLUME, width, height, depth, format,
                       levels, usage);
}

int kaRecordingDevice::CreateVertexBuffer(kaVertexBuffer** out, unsigned vertexFormat,
                                          unsigned vertexCount, unsigned usage) {
    if (int injected = Record(kaDeviceCall("CreateVertexBuffer")
                              << out << vertexFormat << vertexCount << usage)) {
        return injected;
    }
    if (out == nullptr) return KA_ERR_INVALIDARG;
    const uint64_t bytes =
        uint64_t{vertexCount} * kaVertexLayout::FromFormat(vertexFormat).vertexSize;
    if (bytes == 0 || bytes > kMaxBufferBytes) return KA_ERR_PLATFORM;
    auto* buffer = new kaRecordingVertexBuffer(*this, vertexFormat, vertexCount, usage);
    mVertexBuffers.push_back(buffer);
    *out = buffer;
    return KA_OK;
}

int kaRecordingDevice::CreateIndexBuffer(kaIndexBuffer** out, unsigned indexCount,
                                         unsigned usage) {
    if (int injected = Record(kaDeviceCall("CreateIndexBuffer") << out << indexCount << usage)) {
        return injected;
    }
    if (out == nullptr) return KA_ERR_INVALIDARG;
    if (indexCount == 0 || uint64_t{indexCount} * 2 > kMaxBufferBytes) return KA_ERR_PLATFORM;
    auto* buffer = new kaRecordingIndexBuffer(*this, indexCount, usage);
    mIndexBuffers.push_back(buffer);
    *out = buffer;
    return KA_OK;
}

int kaRecordingDevice::CreateVertexShader(kaVertexShader** out, unsigned vertexFormat,
                                          void* source, unsigned sourceLength) {
    if (int injected = Record(kaDeviceCall("CreateVertexShader")
                              << out << vertexFormat << source << sourceLength)) {
        return injected;
    }
    if (out == nullptr || source == nullptr) return KA_ERR_INVALIDARG;
    auto* shader = new kaRecordingVertexShader(
        *this, vertexFormat, std::string(static_cast<const char*>(source), sourceLength));
    mVertexShaders.push_back(shader);
    *out = shader;
    return KA_OK;
}

int kaRecordingDevice::CreatePixelShader(kaPixelShader** out, void* source,
                                         unsigned sourceLength) {
    if (int injected = Record(kaDeviceCall("CreatePixelShader") << out << source << sourceLength)) {
        return injected;
    }
    if (out == nullptr || source == nullptr) return KA_ERR_INVALIDARG;
    auto* shader = new kaRecordingPixelShader(
        *this, std::string(static_cast<const char*>(source), sourceLength));
    mPixelShaders.push_back(shader);
    *out = shader;
    return KA_OK;
}

// ---- Drawing ----

void kaRecordingDevice::CheckDrawState(const std::string& operation) {
    if (!mInScene && mTarget == nullptr) noteMisuse(operation + " outside a scene");
    for (unsigned stage = 0; stage < kStages; ++stage) {
        if (mTextureStages[stage] != nullptr && recorded(mTextureStages[stage]) == nullptr) {
            noteMisuse(operation + " with a released texture on stage " + std::to_string(stage));
        }
    }
    const kaRecordingVertexBuffer* buffer = recorded(mVertexBuffer);
    if (buffer == nullptr) {
        noteMisuse(operation + " without a live vertex buffer");
        return;
    }
    if (buffer->isLocked()) noteMisuse(operation + " from a locked vertex buffer");
    const kaRecordingVertexShader* shader = recorded(mVertexShader);
    const unsigned format = shader != nullptr ? shader->vertexFormat() : mVertexFormat;
    if (mVertexShader != nullptr && shader == nullptr) {
        noteMisuse(operation + " with a released vertex shader");
    } else if (format == 0) {
        noteMisuse(operation + " without a vertex format or shader");
    } else if (format != buffer->vertexFormat()) {
        noteMisuse(operation + " with vertex format " + Hex(format) + " on a buffer of " +
                   Hex(buffer->vertexFormat()));
    }
}

unsigned kaRecordingDevice::CheckDraw(const std::string& operation, unsigned primitiveType,
                                      unsigned primitiveCount) {
    CheckDrawState(operation);
    const unsigned elements = ElementsFor(primitiveType, primitiveCount);
    if (elements == 0) {
        noteMisuse(operation + " of primitive type " + std::to_string(primitiveType));
    }
    return elements;
}

void kaRecordingDevice::RecordDraw(unsigned first, unsigned count) {
    const kaRecordingVertexBuffer* buffer = recorded(mVertexBuffer);
    mDraws.push_back(Draw{mCalls.size() - 1, mVertexBuffer, mIndexBuffer, mVertexFormat,
                          mVertexShader, mPixelShader, mTextureStages,
                          buffer != nullptr ? buffer->vertices().Range(first, count)
                                            : kaVertexBytes{},
                          {mStageStates.begin(), mStageStates.end()},
                          {mRenderStates.begin(), mRenderStates.end()}});
}

int kaRecordingDevice::DrawPrimitive(unsigned primitiveType, unsigned startVertex,
                                     unsigned primitiveCount) {
    if (int injected = Record(kaDeviceCall("DrawPrimitive")
                              << primitiveType << startVertex << primitiveCount)) {
        return injected;
    }
    const unsigned vertices = CheckDraw("DrawPrimitive", primitiveType, primitiveCount);
    RecordDraw(startVertex, vertices);
    const kaRecordingVertexBuffer* buffer = recorded(mVertexBuffer);
    if (buffer != nullptr && uint64_t{startVertex} + vertices > buffer->vertexCount()) {
        noteMisuse("DrawPrimitive past the end of the vertex buffer");
    }
    return KA_OK;
}

void kaRecordingDevice::CheckIndices(unsigned startIndex, unsigned indexCount,
                                     unsigned vertexCount) {
    const kaRecordingIndexBuffer* buffer = recorded(mIndexBuffer);
    if (buffer == nullptr) {
        noteMisuse("DrawIndexedPrimitive without a live index buffer");
        return;
    }
    if (buffer->isLocked()) noteMisuse("DrawIndexedPrimitive from a locked index buffer");
    if (uint64_t{startIndex} + indexCount > buffer->indexCount()) {
        noteMisuse("DrawIndexedPrimitive past the end of the index buffer");
        return;
    }
    for (unsigned i = startIndex; i < startIndex + indexCount; ++i) {
        if (buffer->indices()[i] >= vertexCount) {
            noteMisuse("DrawIndexedPrimitive: index " + std::to_string(buffer->indices()[i]) +
                       " at " + std::to_string(i) + " outside the " +
                       std::to_string(vertexCount) + " vertices drawn");
            return;
        }
    }
}

int kaRecordingDevice::DrawIndexedPrimitive(unsigned primitiveType, unsigned startIndex,
                                            unsigned vertexCount, unsigned primitiveCount) {
    if (int injected = Record(kaDeviceCall("DrawIndexedPrimitive")
                              << primitiveType << startIndex << vertexCount << primitiveCount)) {
        return injected;
    }
    const unsigned indices = CheckDraw("DrawIndexedPrimitive", primitiveType, primitiveCount);
    RecordDraw(0, vertexCount);
    const kaRecordingVertexBuffer* buffer = recorded(mVertexBuffer);
    if (buffer != nullptr && vertexCount > buffer->vertexCount()) {
        noteMisuse("DrawIndexedPrimitive of more vertices than the vertex buffer holds");
    }
    CheckIndices(startIndex, indices, vertexCount);
    return KA_OK;
}

// ---- State sections and frame ----

// The render states (but the light switches) and the texture-stage states
// go back to a new device's: unset, as they read before anything was set.
int kaRecordingDevice::ResetState(unsigned mask) {
    if (int injected = Record(kaDeviceCall("ResetState") << mask)) return injected;
    if (mask & KA_STATE_TEXTURESTATES) mStageStates.clear();
    if (mask & KA_STATE_RENDERSTATES) {
        mRenderStates.erase(mRenderStates.begin(), mRenderStates.lower_bound(KA_RS_LIGHTENABLE0));
    }
    return KA_OK;
}

int kaRecordingDevice::PushState(unsigned mask) {
    return Record(kaDeviceCall("PushState") << mask);
}

int kaRecordingDevice::PopState() { return Record(kaDeviceCall("PopState")); }

int kaRecordingDevice::Clear(unsigned flags, unsigned color, float z, unsigned stencil) {
    return Record(kaDeviceCall("Clear") << flags << color << z << stencil);
}

int kaRecordingDevice::Flip() { return Record(kaDeviceCall("Flip")); }

// ---- Cached state ----

template <class T>
int kaRecordingDevice::SetRecord(const char* name, T* value, T& slot) {
    if (int injected = Record(kaDeviceCall(name).withRecord(value))) return injected;
    if (value == nullptr) return KA_ERR_INVALIDARG;
    slot = *value;
    return KA_OK;
}

template <class T>
int kaRecordingDevice::GetRecord(const char* name, T* out, const T& slot) {
    if (int injected = Record(kaDeviceCall(name) << static_cast<const void*>(out))) {
        return injected;
    }
    if (out == nullptr) return KA_ERR_INVALIDARG;
    *out = slot;
    return KA_OK;
}

int kaRecordingDevice::setViewport(kaViewport* viewport) {
    return SetRecord("setViewport", viewport, mViewport);
}

int kaRecordingDevice::getViewport(kaViewport* viewport) {
    return GetRecord("getViewport", viewport, mViewport);
}

int kaRecordingDevice::setFog(kaFog* fog) { return SetRecord("setFog", fog, mFog); }

int kaRecordingDevice::getFog(kaFog* fog) { return GetRecord("getFog", fog, mFog); }

int kaRecordingDevice::setMaterial(kaMaterial* material) {
    return SetRecord("setMaterial", material, mMaterial);
}

int kaRecordingDevice::getMaterial(kaMaterial* material) {
    return GetRecord("getMaterial", material, mMaterial);
}

int kaRecordingDevice::setLight(unsigned index, kaLight* light) {
    if (int injected = Record((kaDeviceCall("setLight") << index).withRecord(light))) {
        return injected;
    }
    if (light == nullptr || index >= kLights) return KA_ERR_INVALIDARG;
    mLights[index] = *light;
    return KA_OK;
}

int kaRecordingDevice::getLight(unsigned index, kaLight* light) {
    if (int injected = Record(kaDeviceCall("getLight") << index << light)) return injected;
    if (light == nullptr || index >= kLights) return KA_ERR_INVALIDARG;
    *light = mLights[index];
    return KA_OK;
}

int kaRecordingDevice::setTexture(unsigned stage, kaBaseTexture* texture) {
    if (int injected = Record(kaDeviceCall("setTexture") << stage << texture)) return injected;
    if (stage >= kStages) return KA_ERR_INVALIDARG;
    if (texture != nullptr && recorded(texture) == nullptr) {
        noteMisuse("setTexture with a texture that is not alive");
    }
    mTextureStages[stage] = texture;
    return KA_OK;
}

int kaRecordingDevice::getTexture(unsigned stage, kaBaseTexture** texture) {
    if (int injected = Record(kaDeviceCall("getTexture") << stage << texture)) return injected;
    if (texture == nullptr || stage >= kStages) return KA_ERR_INVALIDARG;
    *texture = mTextureStages[stage];
    return KA_OK;
}

int kaRecordingDevice::setVertexBuffer(kaVertexBuffer* buffer) {
    if (int injected = Record(kaDeviceCall("setVertexBuffer") << buffer)) return injected;
    if (buffer == nullptr) return KA_ERR_INVALIDARG;
    mVertexBuffer = buffer;
    return KA_OK;
}

int kaRecordingDevice::setIndexBuffer(kaIndexBuffer* buffer) {
    if (int injected = Record(kaDeviceCall("setIndexBuffer") << buffer)) return injected;
    if (buffer == nullptr) return KA_ERR_INVALIDARG;
    mIndexBuffer = buffer;
    return KA_OK;
}

// The vertex format and the vertex shader share one word in the device's
// cache: setting one replaces the other.
int kaRecordingDevice::setVertexFormat(unsigned vertexFormat) {
    if (int injected = Record(kaDeviceCall("setVertexFormat") << vertexFormat)) return injected;
    mVertexFormat = vertexFormat;
    mVertexShader = nullptr;
    return KA_OK;
}

int kaRecordingDevice::setVertexShader(kaVertexShader* shader) {
    if (int injected = Record(kaDeviceCall("setVertexShader") << shader)) return injected;
    mVertexShader = shader;
    mVertexFormat = 0;
    return KA_OK;
}

int kaRecordingDevice::setPixelShader(kaPixelShader* shader) {
    if (int injected = Record(kaDeviceCall("setPixelShader") << shader)) return injected;
    mPixelShader = shader;
    return KA_OK;
}

// Registers outside the platform's (96 vertex, 8 pixel) are refused as the
// platform refuses them, and their values are neither read nor kept.
int kaRecordingDevice::SetConstants(const char* name,
                                    std::map<int, std::array<float, 4>>& registers,
                                    unsigned registerLimit, int firstRegister,
                                    const float* values, unsigned registerCount) {
    const bool inRange = firstRegister >= 0 && registerCount <= registerLimit &&
                         static_cast<unsigned>(firstRegister) <= registerLimit - registerCount;
    kaDeviceCall call(name);
    call << firstRegister << static_cast<const void*>(values) << registerCount;
    if (values != nullptr && inRange) {
        call.appendValues(values, registerCount * 4 * sizeof(float));
    }
    if (int injected = Record(std::move(call))) return injected;
    if (values == nullptr && registerCount != 0) return KA_ERR_INVALIDARG;
    if (!inRange) return KA_ERR_PLATFORM;
    for (unsigned r = 0; r < registerCount; ++r) {
        std::array<float, 4>& slot = registers[firstRegister + static_cast<int>(r)];
        std::copy(values + 4 * r, values + 4 * r + 4, slot.begin());
    }
    return KA_OK;
}

int kaRecordingDevice::setVertexShaderConstant(int firstRegister, float* values,
                                               unsigned registerCount) {
    return SetConstants("setVertexShaderConstant", mVertexConstants, kVertexConstantRegisters,
                        firstRegister, values, registerCount);
}

int kaRecordingDevice::setPixelShaderConstant(int firstRegister, float* values,
                                              unsigned registerCount) {
    return SetConstants("setPixelShaderConstant", mPixelConstants, kPixelConstantRegisters,
                        firstRegister, values, registerCount);
}

int kaRecordingDevice::setTextureState(unsigned stage, unsigned state, unsigned value) {
    if (int injected = Record(kaDeviceCall("setTextureState") << stage << state << value)) {
        return injected;
    }
    if (stage >= kStages) return KA_ERR_INVALIDARG;
    mStageStates[{stage, state}] = value;
    return KA_OK;
}

int kaRecordingDevice::getTextureState(unsigned stage, unsigned state, unsigned* value) {
    if (int injected = Record(kaDeviceCall("getTextureState") << stage << state << value)) {
        return injected;
    }
    if (value == nullptr || stage >= kStages) return KA_ERR_INVALIDARG;
    const auto found = mStageStates.find({stage, state});
    *value = found != mStageStates.end() ? found->second : kUnset;
    return KA_OK;
}

int kaRecordingDevice::setRenderState(unsigned state, unsigned value) {
    if (int injected = Record(kaDeviceCall("setRenderState") << state << value)) {
        return injected;
    }
    if (state > KA_RS_LIGHTENABLE_LAST) return KA_ERR_INVALIDARG;
    mRenderStates[state] = value;
    return KA_OK;
}

int kaRecordingDevice::getRenderState(unsigned state, unsigned* value) {
    if (int injected = Record(kaDeviceCall("getRenderState") << state << value)) {
        return injected;
    }
    if (value == nullptr || state > KA_RS_LIGHTENABLE_LAST) return KA_ERR_INVALIDARG;
    const auto found = mRenderStates.find(state);
    *value = found != mRenderStates.end() ? found->second : kUnset;
    return KA_OK;
}

// ---- Matrices ----

bool kaRecordingDevice::IsCachedTransform(unsigned id) {
    return id == KA_TS_VIEW || id == KA_TS_PROJECTION ||
           (id >= KA_TS_TEXTURE0 && id < KA_TS_TEXTURE0 + kStages) ||
           (id >= KA_TS_WORLD && id < KA_TS_WORLD + 256);
}

void kaRecordingDevice::StoreMatrix(unsigned id, const kaMatrix44f& matrix) {
    if (IsCachedTransform(id)) mMatrices[id] = matrix;
}

kaMatrix44f kaRecordingDevice::CurrentMatrix(unsigned id) const {
    const auto found = mMatrices.find(id);
    return found != mMatrices.end() ? found->second : kaMatrixMath::Identity();
}

size_t kaRecordingDevice::matrixStackDepth(unsigned id) const {
    const auto found = mMatrixStacks.find(id);
    return found != mMatrixStacks.end() ? found->second.size() : 0;
}

int kaRecordingDevice::setMatrix(unsigned id, kaMatrix44f* matrix) {
    if (int injected = Record((kaDeviceCall("setMatrix") << id).withRecord(matrix))) {
        return injected;
    }
    if (matrix == nullptr) return KA_ERR_INVALIDARG;
    StoreMatrix(id, *matrix);
    return KA_OK;
}

int kaRecordingDevice::getMatrix(unsigned id, kaMatrix44f* matrix) {
    if (int injected = Record(kaDeviceCall("getMatrix") << id << matrix)) return injected;
    if (matrix == nullptr) return KA_ERR_INVALIDARG;
    if (IsCachedTransform(id)) *matrix = CurrentMatrix(id);
    return KA_OK;
}

int kaRecordingDevice::LoadIdentity(unsigned id) {
    if (int injected = Record(kaDeviceCall("LoadIdentity") << id)) return injected;
    StoreMatrix(id, kaMatrixMath::Identity());
    return KA_OK;
}

int kaRecordingDevice::PushMatrix(unsigned id) {
    if (int injected = Record(kaDeviceCall("PushMatrix") << id)) return injected;
    if (!IsCachedTransform(id)) return KA_OK;
    std::vector<kaMatrix44f>& stack = mMatrixStacks[id];
    if (stack.size() == kStackDepth) return KA_ERR_OUTOFMEMORY;
    stack.push_back(CurrentMatrix(id));
    return KA_OK;
}

int kaRecordingDevice::PopMatrix(unsigned id) {
    if (int injected = Record(kaDeviceCall("PopMatrix") << id)) return injected;
    if (!IsCachedTransform(id)) return KA_OK;
    std::vector<kaMatrix44f>& stack = mMatrixStacks[id];
    if (stack.empty()) return KA_ERR_WRONGSTATE;
    StoreMatrix(id, stack.back());
    stack.pop_back();
    return KA_OK;
}

// current := matrix x current: the matrix given last acts first on the
// geometry.
int kaRecordingDevice::MultiplyOnto(unsigned id, const kaMatrix44f& matrix) {
    if (!IsCachedTransform(id)) return KA_ERR_INVALIDARG;
    StoreMatrix(id, kaMatrixMath::Multiply(matrix, CurrentMatrix(id)));
    return KA_OK;
}

int kaRecordingDevice::MultiplyMatrix(unsigned id, kaMatrix44f* matrix) {
    if (int injected = Record((kaDeviceCall("MultiplyMatrix") << id).withRecord(matrix))) {
        return injected;
    }
    if (matrix == nullptr) return KA_ERR_INVALIDARG;
    return MultiplyOnto(id, *matrix);
}

int kaRecordingDevice::Build(const kaDeviceCall& call, unsigned id, const kaMatrix44f& matrix) {
    if (int injected = Record(call)) return injected;
    return MultiplyOnto(id, matrix);
}

int kaRecordingDevice::Translate(unsigned id, float x, float y, float z) {
    return Build(kaDeviceCall("Translate") << id << x << y << z, id,
                 kaMatrixMath::Translation(x, y, z));
}

int kaRecordingDevice::Scale(unsigned id, float x, float y, float z) {
    return Build(kaDeviceCall("Scale") << id << x << y << z, id, kaMatrixMath::Scaling(x, y, z));
}

int kaRecordingDevice::RotateX(unsigned id, float radians) {
    return Build(kaDeviceCall("RotateX") << id << radians, id, kaMatrixMath::RotationX(radians));
}

int kaRecordingDevice::RotateY(unsigned id, float radians) {
    return Build(kaDeviceCall("RotateY") << id << radians, id, kaMatrixMath::RotationY(radians));
}

int kaRecordingDevice::RotateZ(unsigned id, float radians) {
    return Build(kaDeviceCall("RotateZ") << id << radians, id, kaMatrixMath::RotationZ(radians));
}

int kaRecordingDevice::PerspectiveFovRH(unsigned id, float fovY, float aspect, float zNear,
                                        float zFar) {
    return Build(kaDeviceCall("PerspectiveFovRH") << id << fovY << aspect << zNear << zFar, id,
                 kaMatrixMath::PerspectiveFovRH(fovY, aspect, zNear, zFar));
}

int kaRecordingDevice::PerspectiveFovLH(unsigned id, float fovY, float aspect, float zNear,
                                        float zFar) {
    return Build(kaDeviceCall("PerspectiveFovLH") << id << fovY << aspect << zNear << zFar, id,
                 kaMatrixMath::PerspectiveFovLH(fovY, aspect, zNear, zFar));
}

int kaRecordingDevice::OrthoRH(unsigned id, float width, float height, float zNear,
                               float zFar) {
    return Build(kaDeviceCall("OrthoRH") << id << width << height << zNear << zFar, id,
                 kaMatrixMath::OrthoRH(width, height, zNear, zFar));
}

int kaRecordingDevice::OrthoLH(unsigned id, float width, float height, float zNear,
                               float zFar) {
    return Build(kaDeviceCall("OrthoLH") << id << width << height << zNear << zFar, id,
                 kaMatrixMath::OrthoLH(width, height, zNear, zFar));
}

// The three vectors are recorded as nine float arguments after the id.
kaDeviceCall kaRecordingDevice::LookAtCall(const char* name, unsigned id, const kaVector3f& eye,
                                           const kaVector3f& at, const kaVector3f& up) {
    kaDeviceCall call(name);
    call << id;
    for (const kaVector3f* v : {&eye, &at, &up}) call << v->x << v->y << v->z;
    return call;
}

int kaRecordingDevice::LookAtRH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) {
    return Build(LookAtCall("LookAtRH", id, eye, at, up), id,
                 kaMatrixMath::LookAtRH(eye, at, up));
}

int kaRecordingDevice::LookAtLH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) {
    return Build(LookAtCall("LookAtLH", id, eye, at, up), id,
                 kaMatrixMath::LookAtLH(eye, at, up));
}

// ---- Scene and render targets ----

void kaRecordingDevice::ForgetBindings() {
    mVertexBuffer = nullptr;
    mIndexBuffer = nullptr;
    mVertexFormat = 0;
    mVertexShader = nullptr;
}

int kaRecordingDevice::BeginRender() {
    if (int injected = Record(kaDeviceCall("BeginRender"))) return injected;
    if (mInScene) noteMisuse("BeginRender inside a scene");
    mInScene = true;
    return KA_OK;
}

int kaRecordingDevice::EndRender() {
    if (int injected = Record(kaDeviceCall("EndRender"))) return injected;
    if (!mInScene) noteMisuse("EndRender without BeginRender");
    mInScene = false;
    ForgetBindings();
    return KA_OK;
}

int kaRecordingDevice::BeginTarget(kaBaseTexture* texture, kaRecordingTexture::Kind kind,
                                   unsigned face, unsigned level) {
    if (mTarget != nullptr) return KA_ERR_WRONGSTATE;
    if (texture == nullptr) return KA_ERR_INVALIDARG;
    const kaRecordingTexture* target = recorded(texture);
    if (target == nullptr) {
        noteMisuse("render target texture that is not alive");
        return KA_ERR_INVALIDARG;
    }
    if (target->kind() != kind) return KA_ERR_WRONGSTATE;
    if (level >= target->levelCount() || face >= 6) return KA_ERR_PLATFORM;
    mTarget = texture;
    return KA_OK;
}

int kaRecordingDevice::EndTarget() {
    if (mTarget == nullptr) return KA_ERR_WRONGSTATE;
    mTarget = nullptr;
    ForgetBindings();
    return KA_OK;
}

int kaRecordingDevice::BeginRenderToTexture(kaBaseTexture* texture, unsigned level,
                                            int useDepth) {
    if (int injected = Record(kaDeviceCall("BeginRenderToTexture")
                              << texture << level << useDepth)) {
        return injected;
    }
    return BeginTarget(texture, kaRecordingTexture::KIND_2D, 0, level);
}

int kaRecordingDevice::EndRenderToTexture() {
    if (int injected = Record(kaDeviceCall("EndRenderToTexture"))) return injected;
    return EndTarget();
}

int kaRecordingDevice::BeginRenderToCubeTexture(kaBaseTexture* texture, unsigned face,
                                                unsigned level, int useDepth) {
    if (int injected = Record(kaDeviceCall("BeginRenderToCubeTexture")
                              << texture << face << level << useDepth)) {
        return injected;
    }
    return BeginTarget(texture, kaRecordingTexture::KIND_CUBE, face, level);
}

int kaRecordingDevice::EndRenderToCubeTexture() {
    if (int injected = Record(kaDeviceCall("EndRenderToCubeTexture"))) return injected;
    return EndTarget();
}
