#pragma once

#include <memory>

class kaBaseTexture;
class kaCachedRenderDevice;
class kaIndexBuffer;
class kaPixelShader;
class kaVertexBuffer;
class kaVertexShader;

// What a device shares with everything it made: the device itself while it
// lives, null once it is released.
struct kaDeviceLink {
    kaCachedRenderDevice* device;
};

// The side of a texture, buffer or shader that ties it to the device that
// made it.  The device does not count references to what is bound, so a
// resource's last Release empties every slot of the device that still names
// it; and a resource released after its device frees only what is its own,
// never what the device owned (the platform context, the program cache).
class kaLinkedResource {
public:
    // Ties the resource to its device; the device does it once, at creation.
    void LinkTo(std::shared_ptr<kaDeviceLink> link) { mLink = std::move(link); }

protected:
    kaLinkedResource() = default;
    ~kaLinkedResource() = default;

    // The device that made the resource, or null once it is released.
    kaCachedRenderDevice* LiveDevice() const { return mLink ? mLink->device : nullptr; }
    // True once the device is released: what it owned is gone.  (Before the
    // device links it, the resource is still being made by a live device.)
    bool DeviceReleased() const { return mLink && mLink->device == nullptr; }
    // Empties the live device's slots that name the resource.
    void LeaveDevice(const kaBaseTexture* texture) const;
    void LeaveDevice(const kaVertexBuffer* buffer) const;
    void LeaveDevice(const kaIndexBuffer* buffer) const;
    void LeaveDevice(const kaVertexShader* shader) const;
    void LeaveDevice(const kaPixelShader* shader) const;

private:
    std::shared_ptr<kaDeviceLink> mLink;
};
