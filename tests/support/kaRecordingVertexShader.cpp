#include "kaRecordingVertexShader.h"

#include "kaRecordingDevice.h"

int kaRecordingVertexShader::Release() {
    return mDevice.ReleaseResource("VertexShader.Release", this);
}
