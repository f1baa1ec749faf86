#include "kaRenderDevice.h"

// Defined here so that the exported class carries its special members.
kaRenderDevice::kaRenderDevice() = default;
kaRenderDevice::kaRenderDevice(const kaRenderDevice&) = default;
kaRenderDevice& kaRenderDevice::operator=(const kaRenderDevice&) = default;
kaRenderDevice::~kaRenderDevice() = default;
