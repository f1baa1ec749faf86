#include "kaIndexBuffer.h"

// Defined here so that the exported class carries its special members.
kaIndexBuffer::kaIndexBuffer() = default;
kaIndexBuffer::kaIndexBuffer(const kaIndexBuffer&) = default;
kaIndexBuffer& kaIndexBuffer::operator=(const kaIndexBuffer&) = default;
kaIndexBuffer::~kaIndexBuffer() = default;
