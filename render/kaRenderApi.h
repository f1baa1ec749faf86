#pragma once

// Both the player and the plug-in carry the render interface classes and
// export them, so that each side can check the other's layout by name.
#if defined(_WIN32)
#define KA_RENDER_API __declspec(dllexport)
#else
#define KA_RENDER_API __attribute__((visibility("default")))
#endif
