#pragma once

#include <d3d8.h>

// The plug-in's root Direct3D 8 object: created by doLoad, released by
// doUnload, null while the plug-in is not loaded.  Devices, the adapter
// queries and CheckDepthStencil use it.
IDirect3D8* kaD3DRoot();
void kaD3DSetRoot(IDirect3D8* root);
