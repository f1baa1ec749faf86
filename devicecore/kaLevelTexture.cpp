#include "kaLevelTexture.h"

#include "kaResult.h"

int kaLevelTexture::UpdateBuffer(void* texels, unsigned level) {
    return TransferWhileLinked(UPLOAD, KIND_2D, texels, 0, level);
}

int kaLevelTexture::UpdateCubeFaceBuffer(void* texels, unsigned face, unsigned level) {
    return TransferWhileLinked(UPLOAD, KIND_CUBE, texels, face, level);
}

int kaLevelTexture::UpdateVolumeBuffer(void* texels, unsigned level) {
    return TransferWhileLinked(UPLOAD, KIND_VOLUME, texels, 0, level);
}

int kaLevelTexture::getBuffer(void* texels, unsigned level) {
    return TransferWhileLinked(DOWNLOAD, KIND_2D, texels, 0, level);
}

int kaLevelTexture::getCubeFaceBuffer(void* texels, unsigned face, unsigned level) {
    return TransferWhileLinked(DOWNLOAD, KIND_CUBE, texels, face, level);
}

int kaLevelTexture::getVolumeBuffer(void* texels, unsigned level) {
    return TransferWhileLinked(DOWNLOAD, KIND_VOLUME, texels, 0, level);
}

int kaLevelTexture::TransferWhileLinked(Direction direction, Kind kind, void* texels,
                                        unsigned face, unsigned level) {
    if (DeviceReleased()) return KA_ERR_WRONGSTATE;
    return Transfer(direction, kind, texels, face, level);
}

int kaLevelTexture::Release() {
    const bool last = getRefCount() == 1;
    DecRef();
    if (last) {
        LeaveDevice(this);
        Destroy();
    }
    return KA_OK;
}
