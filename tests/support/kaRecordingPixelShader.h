#pragma once

#include <string>

#include "kaPixelShader.h"

class kaRecordingDevice;

// A pixel shader of the recording device: nothing is assembled, the source
// text is kept for tests.  `Release` is recorded as "PixelShader.Release"
// and destroys the shader.
class kaRecordingPixelShader final : public kaPixelShader {
public:
    kaRecordingPixelShader(kaRecordingDevice& device, std::string source)
        : mDevice(device), mSource(std::move(source)) {}
    kaRecordingPixelShader(const kaRecordingPixelShader&) = delete;
    kaRecordingPixelShader& operator=(const kaRecordingPixelShader&) = delete;

    int Release() override;

    const std::string& source() const { return mSource; }

private:
    friend class kaRecordingDevice;
    ~kaRecordingPixelShader() = default;

    kaRecordingDevice& mDevice;
    std::string mSource;
};
