#pragma once

#include <d3d8.h>

#include <cstdint>
#include <vector>

// The window and the Direct3D root object the device tests share (they live
// for the whole test program, as they live for the player; destroying a
// window under Wine takes seconds), and the read-back of a back buffer.
HWND kaTestWindow(unsigned width, unsigned height);
IDirect3D8* kaTestRoot();
// The back buffer's pixels, rows top first, each 0xRRGGBB; empty on failure.
std::vector<uint32_t> kaReadBackBuffer(IDirect3DDevice8* device);
