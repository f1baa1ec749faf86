#include "kaVertexBuffer.h"

// Defined here so that the exported class carries its special members.
kaVertexBuffer::kaVertexBuffer() = default;
kaVertexBuffer::kaVertexBuffer(const kaVertexBuffer&) = default;
kaVertexBuffer& kaVertexBuffer::operator=(const kaVertexBuffer&) = default;
kaVertexBuffer::~kaVertexBuffer() = default;
