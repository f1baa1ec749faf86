#pragma once

#include <cstdint>
#include <vector>

#include "kaLinkedResource.h"
#include "kaVertexShader.h"

class kaGLPrograms;

// A vertex shader of the OpenGL device: its translated program lives in the
// device's program cache under the shader's serial; the object keeps the
// vertex format that feeds it and the def constants that setting it loads,
// as Direct3D 8 loads a declaration's constants.
class kaGLVertexShader final : public kaVertexShader, public kaLinkedResource {
public:
    struct Constant {
        unsigned reg;
        float value[4];
    };

    kaGLVertexShader(kaGLPrograms* programs, uint32_t serial, uint32_t format,
                     std::vector<Constant> constants);

    int Release() override;

    uint32_t getSerial() const { return mSerial; }
    uint32_t getFormat() const { return mFormat; }
    const std::vector<Constant>& getConstants() const { return mConstants; }

    // The def constants of an assembly: for each, a constant-memory token
    // (register in bits 0-6, register count in bits 25-28) and its values.
    // False for a malformed list.
    static bool ReadConstants(const std::vector<uint32_t>& tokens, std::vector<Constant>* out);

private:
    ~kaGLVertexShader();

    kaGLPrograms* mPrograms;
    uint32_t mSerial;
    uint32_t mFormat;
    std::vector<Constant> mConstants;
};
