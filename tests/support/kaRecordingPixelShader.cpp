#include "kaRecordingPixelShader.h"

#include "kaRecordingDevice.h"

int kaRecordingPixelShader::Release() {
    return mDevice.ReleaseResource("PixelShader.Release", this);
}
