#include "kaGLVertexShader.h"

#include <cstring>

#include "kaGLPrograms.h"
#include "kaResult.h"

kaGLVertexShader::kaGLVertexShader(kaGLPrograms* programs, uint32_t serial, uint32_t format,
                                   std::vector<Constant> constants)
    : mPrograms(programs), mSerial(serial), mFormat(format), mConstants(std::move(constants)) {}

kaGLVertexShader::~kaGLVertexShader() = default;

int kaGLVertexShader::Release() {
    LeaveDevice(this);
    if (!DeviceReleased()) mPrograms->Forget(mSerial);
    delete this;
    return KA_OK;
}

bool kaGLVertexShader::ReadConstants(const std::vector<uint32_t>& tokens,
                                     std::vector<Constant>* out) {
    constexpr uint32_t kConstantMemory = 4u << 29;
    size_t at = 0;
    while (at < tokens.size()) {
        const uint32_t token = tokens[at++];
        const unsigned count = (token >> 25) & 0xF;
        if ((token & 0xE0000000u) != kConstantMemory || count == 0 ||
            tokens.size() - at < size_t(count) * 4) {
            return false;
        }
        for (unsigned i = 0; i < count; ++i, at += 4) {
            Constant constant{(token & 0x7Fu) + i, {}};
            std::memcpy(constant.value, &tokens[at], sizeof constant.value);
            out->push_back(constant);
        }
    }
    return true;
}
