#include "kaLinkedResource.h"

#include "kaCachedRenderDevice.h"

namespace {

template <typename Resource>
void Leave(kaCachedRenderDevice* device, const Resource* resource) {
    if (device != nullptr) device->Unbind(resource);
}

}  // namespace

void kaLinkedResource::LeaveDevice(const kaBaseTexture* texture) const {
    Leave(LiveDevice(), texture);
}

void kaLinkedResource::LeaveDevice(const kaVertexBuffer* buffer) const {
    Leave(LiveDevice(), buffer);
}

void kaLinkedResource::LeaveDevice(const kaIndexBuffer* buffer) const {
    Leave(LiveDevice(), buffer);
}

void kaLinkedResource::LeaveDevice(const kaVertexShader* shader) const {
    Leave(LiveDevice(), shader);
}

void kaLinkedResource::LeaveDevice(const kaPixelShader* shader) const {
    Leave(LiveDevice(), shader);
}
