#pragma once

#include <cstddef>
#include <cstdint>

// Plain value records that cross the render-device boundary.  Their layouts
// are those of the matching Direct3D 8 records and are handed to the platform
// unchanged, so every size and offset is fixed.

struct kaVector3f {
    float x, y, z;
};

// Row-major 4 x 4 matrix acting on row vectors (p x M); element (r, c) is m[4r + c].
struct kaMatrix44f {
    float m[16];
};

struct kaViewport {
    uint32_t x, y, width, height;
};

// mode: 0 none, 1 exp, 2 exp2, 3 linear per vertex; the same plus 128 per pixel.
struct kaFog {
    uint32_t mode;
    float red, green, blue;
    float start, end;
    float density;
};

struct kaColorValue {
    float r, g, b, a;
};

struct kaLight {
    uint32_t type;  // 1 point, 2 spot, 3 directional
    kaColorValue diffuse;
    kaColorValue specular;
    kaColorValue ambient;
    kaVector3f position;
    kaVector3f direction;
    float range;
    float falloff;
    float attenuation0, attenuation1, attenuation2;
    float theta;
    float phi;

    kaLight() : type(0), diffuse(), specular(), ambient(), position(), direction(),
                range(0), falloff(0), attenuation0(0), attenuation1(0), attenuation2(0),
                theta(0), phi(0) {}
};

struct kaMaterial {
    kaColorValue diffuse;
    kaColorValue ambient;
    kaColorValue specular;
    kaColorValue emissive;
    float power;
};

static_assert(sizeof(kaVector3f) == 12, "kaVector3f layout");
static_assert(sizeof(kaMatrix44f) == 64, "kaMatrix44f layout");
static_assert(sizeof(kaViewport) == 16, "kaViewport layout");
static_assert(sizeof(kaFog) == 28, "kaFog layout");
static_assert(offsetof(kaFog, start) == 16 && offsetof(kaFog, density) == 24, "kaFog layout");
static_assert(sizeof(kaLight) == 104, "kaLight layout");
static_assert(offsetof(kaLight, diffuse) == 4 && offsetof(kaLight, specular) == 20 &&
              offsetof(kaLight, ambient) == 36 && offsetof(kaLight, position) == 52 &&
              offsetof(kaLight, direction) == 64 && offsetof(kaLight, range) == 76 &&
              offsetof(kaLight, falloff) == 80 && offsetof(kaLight, attenuation0) == 84 &&
              offsetof(kaLight, theta) == 96 && offsetof(kaLight, phi) == 100,
              "kaLight layout");
static_assert(sizeof(kaMaterial) == 68, "kaMaterial layout");
static_assert(offsetof(kaMaterial, ambient) == 16 && offsetof(kaMaterial, specular) == 32 &&
              offsetof(kaMaterial, emissive) == 48 && offsetof(kaMaterial, power) == 64,
              "kaMaterial layout");

// Direct3D 8 numbers that the player names; every other number crosses unchanged.
enum kaTransformId : unsigned {
    KA_TS_VIEW = 2,
    KA_TS_PROJECTION = 3,
    KA_TS_TEXTURE0 = 16,
    KA_TS_WORLD = 256,
};

// Render-state numbers 0x80000000 + i stand for "light i enabled".
constexpr unsigned KA_RS_LIGHTENABLE0 = 0x80000000u;
constexpr unsigned KA_RS_LIGHTENABLE_LAST = 0x80000007u;

// Sections of a state block, chosen by the masks of PushState and ResetState.
enum kaStateSection : unsigned {
    KA_STATE_TRANSFORMS = 0x01,
    KA_STATE_LIGHTS = 0x02,
    KA_STATE_MATERIAL = 0x04,
    KA_STATE_FOG = 0x08,
    KA_STATE_RENDERSTATES = 0x10,
    KA_STATE_TEXTURESTATES = 0x20,
    KA_STATE_ALL = 0x3F,
};

enum kaClearFlags : unsigned {
    KA_CLEAR_TARGET = 1,
    KA_CLEAR_ZBUFFER = 2,
    KA_CLEAR_STENCIL = 4,
};
