#pragma once

#include <string>

#include "kaVertexShader.h"

class kaRecordingDevice;

// A vertex shader of the recording device: nothing is assembled, the source
// text and the vertex format it was created with are kept for tests.
// `Release` is recorded as "VertexShader.Release" and destroys the shader.
class kaRecordingVertexShader final : public kaVertexShader {
public:
    kaRecordingVertexShader(kaRecordingDevice& device, unsigned vertexFormat, std::string source)
        : mDevice(device), mVertexFormat(vertexFormat), mSource(std::move(source)) {}
    kaRecordingVertexShader(const kaRecordingVertexShader&) = delete;
    kaRecordingVertexShader& operator=(const kaRecordingVertexShader&) = delete;

    int Release() override;

    unsigned vertexFormat() const { return mVertexFormat; }
    const std::string& source() const { return mSource; }

private:
    friend class kaRecordingDevice;
    ~kaRecordingVertexShader() = default;

    kaRecordingDevice& mDevice;
    unsigned mVertexFormat;
    std::string mSource;
};
