#include "kaLevelTexture.h"

#include "kaResult.h"

int kaLevelTexture::UpdateBuffer(void* texels, unsigned level) {
    return Transfer(UPLOAD, KIND_2D, texels, 0, level);
}

int kaLevelTexture::UpdateCubeFaceBuffer(void* texels, unsigned face, unsigned level) {
    return Transfer(UPLOAD, KIND_CUBE, texels, face, level);
}

int kaLevelTexture::UpdateVolumeBuffer(void* texels, unsigned level) {
    return Transfer(UPLOAD, KIND_VOLUME, texels, 0, level);
}

int kaLevelTexture::getBuffer(void* texels, unsigned level) {
    return Transfer(DOWNLOAD, KIND_2D, texels, 0, level);
}

int kaLevelTexture::getCubeFaceBuffer(void* texels, unsigned face, unsigned level) {
    return Transfer(DOWNLOAD, KIND_CUBE, texels, face, level);
}

int kaLevelTexture::getVolumeBuffer(void* texels, unsigned level) {
    return Transfer(DOWNLOAD, KIND_VOLUME, texels, 0, level);
}

int kaLevelTexture::Release() {
    const bool last = getRefCount() == 1;
    DecRef();
    if (last) Destroy();
    return KA_OK;
}
