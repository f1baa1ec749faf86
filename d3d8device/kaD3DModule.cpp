#include "kaD3DModule.h"

namespace {
IDirect3D8* sRoot = nullptr;
}

IDirect3D8* kaD3DRoot() { return sRoot; }
void kaD3DSetRoot(IDirect3D8* root) { sRoot = root; }
