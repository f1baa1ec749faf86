#pragma once

class kaRenderDevice;

// The render device obtained from the plug-in at start-up; textures and
// meshes create their device resources on it.  Null while there is none.
extern kaRenderDevice* gDevice;
