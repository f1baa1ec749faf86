#include "kaTextureLibrary.h"

#include <algorithm>
#include <cmath>

#include "kaTextPainter.h"

namespace {

using Colour = kaPicture::Colour;

constexpr float kPi = 3.14159265f;

float Fract(float v) { return v - std::floor(v); }

// 1 inside a seam of the given width around a grid of cells, fading out.
float Seam(float u, float v, int cells, float width) {
    const float fu = Fract(u * float(cells)), fv = Fract(v * float(cells));
    const float d = std::min(std::min(fu, 1.0f - fu), std::min(fv, 1.0f - fv));
    return std::clamp(1.0f - d / width, 0.0f, 1.0f);
}

// Raised panels with bevelled seams: 1 on a panel, 0 in a seam.
float Panels(float u, float v, int cells, float bevel) { return 1.0f - Seam(u, v, cells, bevel); }

kaPicture Normals(int size, float depth, float (*height)(float, float)) {
    kaHeightField field(size, size);
    field.Paint(height);
    return field.NormalMap(depth);
}

// A picture of the given size painted by f(u, v) at every pixel's centre.
template <class F>
kaPicture Painted(int width, int height, F f) {
    kaPicture picture(width, height);
    picture.Paint(f);
    return picture;
}

Colour Shade(Colour c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

// Character --------------------------------------------------------------

kaPicture SuitColour(kaTextPainter&) {
    return Painted(256, 256, [](float u, float v) {
        const Colour suit{0.16f, 0.3f, 0.72f, 1}, stripe{0.95f, 0.72f, 0.12f, 1};
        const float band = std::fabs(Fract(v * 4.0f) - 0.5f) < 0.06f ? 1.0f : 0.0f;
        const float grain = 0.85f + 0.15f * kaPicture::Fractal(u, v, 8, 3, 11);
        return Shade(kaPicture::Mix(suit, stripe, band), grain * (1.0f - 0.4f * Seam(u, v, 8, 0.04f)));
    });
}

float SuitHeight(float u, float v) { return Panels(u, v, 8, 0.08f) + 0.1f * kaPicture::Fractal(u, v, 16, 2, 12); }
kaPicture SuitNormals(kaTextPainter&) { return Normals(256, 6.0f, SuitHeight); }

kaPicture HeadColour(kaTextPainter&) {
    return Painted(128, 128, [](float u, float v) {
        const Colour skin{0.88f, 0.68f, 0.52f, 1}, hair{0.2f, 0.12f, 0.08f, 1};
        // v runs from the crown (0) to the chin (1); the face looks down -y,
        // a quarter turn round the head from u = 0.
        const float hairline = v < 0.3f + 0.1f * std::cos((u - 0.75f) * 2 * kPi) ? 1.0f : 0.0f;
        const float eyes = (std::fabs(v - 0.48f) < 0.03f && std::fabs(std::fabs(u - 0.75f) - 0.05f) < 0.02f) ? 1.0f : 0.0f;
        const float mouth = (std::fabs(v - 0.66f) < 0.015f && std::fabs(u - 0.75f) < 0.05f) ? 1.0f : 0.0f;
        Colour c = kaPicture::Mix(skin, hair, hairline);
        c = kaPicture::Mix(c, {0.1f, 0.1f, 0.15f, 1}, std::max(eyes, mouth));
        return Shade(c, 0.9f + 0.1f * kaPicture::Fractal(u, v, 8, 2, 21));
    });
}

float HeadHeight(float u, float v) { return kaPicture::Fractal(u, v, 16, 3, 22) * 0.3f; }
kaPicture HeadNormals(kaTextPainter&) { return Normals(128, 3.0f, HeadHeight); }

kaPicture GearColour(kaTextPainter&) {
    return Painted(128, 128, [](float u, float v) {
        const float hazard = Fract((u + v) * 6.0f) < 0.5f ? 1.0f : 0.0f;
        const Colour orange{0.95f, 0.55f, 0.08f, 1}, dark{0.12f, 0.12f, 0.14f, 1};
        return Shade(kaPicture::Mix(dark, orange, hazard * (v > 0.5f ? 1.0f : 0.35f)), 0.9f + 0.1f * kaPicture::Noise(u, v, 16, 31));
    });
}

float GearHeight(float u, float v) { return Panels(u, v, 4, 0.1f) * 0.8f + 0.2f * kaPicture::Noise(u, v, 32, 32); }
kaPicture GearNormals(kaTextPainter&) { return Normals(128, 5.0f, GearHeight); }

// Stages -----------------------------------------------------------------

kaPicture PlatesColour(kaTextPainter&) {
    return Painted(256, 256, [](float u, float v) {
        const Colour steel{0.55f, 0.57f, 0.6f, 1};
        const float dirt = kaPicture::Fractal(u, v, 4, 4, 41);
        const float tread = 0.5f + 0.5f * std::sin((u + v) * 64 * kPi) * std::sin((u - v) * 64 * kPi);
        return Shade(steel, (0.6f + 0.4f * dirt) * (0.9f + 0.1f * tread) * (1.0f - 0.5f * Seam(u, v, 2, 0.02f)));
    });
}

float PlatesHeight(float u, float v) {
    const float tread = std::max(0.0f, std::sin((u + v) * 64 * kPi) * std::sin((u - v) * 64 * kPi));
    return Panels(u, v, 2, 0.02f) * (0.8f + 0.2f * tread);
}
kaPicture PlatesNormals(kaTextPainter&) { return Normals(256, 4.0f, PlatesHeight); }

kaPicture HullColour(kaTextPainter&) {
    return Painted(256, 256, [](float u, float v) {
        const Colour paint{0.42f, 0.47f, 0.55f, 1};
        const float rivets = (Fract(u * 16) - 0.5f) * (Fract(u * 16) - 0.5f) + (Fract(v * 16) - 0.5f) * (Fract(v * 16) - 0.5f) < 0.01f ? 1.0f : 0.0f;
        const float wear = kaPicture::Fractal(u, v, 4, 4, 51);
        return Shade(paint, (0.65f + 0.35f * wear) * (1.0f - 0.45f * Seam(u, v, 4, 0.015f)) * (1.0f + 0.3f * rivets));
    });
}

float HullHeight(float u, float v) { return Panels(u, v, 4, 0.03f); }
kaPicture HullNormals(kaTextPainter&) { return Normals(128, 5.0f, HullHeight); }

kaPicture TrimColour(kaTextPainter&) {
    return Painted(128, 128, [](float u, float v) {
        const float stripe = Fract((u + v) * 4.0f) < 0.5f ? 1.0f : 0.0f;
        return kaPicture::Mix({0.1f, 0.1f, 0.1f, 1}, {0.98f, 0.8f, 0.1f, 1}, stripe);
    });
}

float TrimHeight(float u, float v) { return 0.5f + 0.5f * std::cos((u + v) * 8.0f * kPi); }
kaPicture TrimNormals(kaTextPainter&) { return Normals(128, 2.0f, TrimHeight); }

kaPicture TilesColour(kaTextPainter&) {
    return Painted(256, 256, [](float u, float v) {
        const int cell = int(u * 8) * 7 + int(v * 8) * 3;
        const Colour palette[4] = {{0.9f, 0.2f, 0.5f, 1}, {0.2f, 0.5f, 0.95f, 1}, {0.95f, 0.85f, 0.2f, 1}, {0.3f, 0.9f, 0.5f, 1}};
        return Shade(palette[cell % 4], 1.0f - 0.7f * Seam(u, v, 8, 0.03f));
    });
}

float TilesHeight(float u, float v) { return Panels(u, v, 8, 0.05f); }
kaPicture TilesNormals(kaTextPainter&) { return Normals(128, 4.0f, TilesHeight); }

kaPicture StoneColour(kaTextPainter&) {
    return Painted(256, 256, [](float u, float v) {
        const float row = std::floor(v * 8);
        const float offset = std::fmod(row, 2.0f) * 0.125f;
        const float mortar = std::max(Seam(u + offset, 0.0625f, 4, 0.03f), std::fabs(Fract(v * 8) - 0.5f) > 0.45f ? 1.0f : 0.0f);
        const float stone = 0.7f + 0.3f * kaPicture::Fractal(u, v, 8, 4, 61);
        return kaPicture::Mix(Shade({0.78f, 0.7f, 0.58f, 1}, stone), {0.35f, 0.33f, 0.3f, 1}, mortar);
    });
}

float StoneHeight(float u, float v) {
    const float offset = std::fmod(std::floor(v * 8), 2.0f) * 0.125f;
    const float joint = std::max(Seam(u + offset, 0.0625f, 4, 0.06f), std::clamp((std::fabs(Fract(v * 8) - 0.5f) - 0.4f) * 10.0f, 0.0f, 1.0f));
    return (1.0f - joint) * (0.8f + 0.2f * kaPicture::Fractal(u, v, 8, 2, 62));
}
kaPicture StoneNormals(kaTextPainter&) { return Normals(128, 5.0f, StoneHeight); }

kaPicture BoardColour(kaTextPainter&) {
    return Painted(128, 128, [](float u, float v) {
        const float flame = std::clamp(kaPicture::Fractal(u, v, 4, 3, 71) * 2.0f - 0.5f + (v - 0.5f), 0.0f, 1.0f);
        Colour c = kaPicture::Mix({0.85f, 0.1f, 0.1f, 1}, {1.0f, 0.8f, 0.1f, 1}, flame);
        // The rim glows: its alpha marks where the engines shine.
        c.a = std::fabs(v - 0.5f) > 0.4f ? 0.5f : 1.0f;
        return c;
    });
}

float BoardHeight(float u, float v) { return Panels(u, v, 2, 0.05f); }
kaPicture BoardNormals(kaTextPainter&) { return Normals(128, 3.0f, BoardHeight); }

// Sky: a dusk gradient on the sides, clouds above, haze below.
Colour SkyAt(float elevation, float cloud) {
    const Colour horizon{1.0f, 0.62f, 0.38f, 1}, zenith{0.1f, 0.16f, 0.42f, 1}, haze{0.5f, 0.42f, 0.5f, 1};
    if (elevation < 0.0f) return kaPicture::Mix(horizon, haze, std::min(1.0f, -elevation * 3.0f));
    return kaPicture::Mix(kaPicture::Mix(horizon, zenith, std::sqrt(elevation)), {1, 0.9f, 0.85f, 1}, cloud * 0.35f);
}

kaPicture SkySide(uint32_t salt) {
    return Painted(256, 256, [salt](float u, float v) {
        const float cloud = std::clamp(kaPicture::Fractal(u, v * 0.5f, 4, 4, salt) * 2.0f - 1.0f, 0.0f, 1.0f);
        return SkyAt(1.0f - 2.0f * v, cloud * (v < 0.5f ? 1.0f : 0.0f));
    });
}

kaPicture SkySouth(kaTextPainter&) { return SkySide(81); }
kaPicture SkyNorth(kaTextPainter&) { return SkySide(82); }
kaPicture SkyWest(kaTextPainter&) { return SkySide(83); }
kaPicture SkyEast(kaTextPainter&) { return SkySide(84); }

kaPicture SkyUp(kaTextPainter&) {
    return Painted(256, 256, [](float u, float v) {
        const float r = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2.0f;
        const float cloud = std::clamp(kaPicture::Fractal(u, v, 4, 4, 85) * 2.0f - 1.0f, 0.0f, 1.0f);
        return SkyAt(1.0f - std::min(1.0f, r) * 0.5f, cloud);
    });
}

kaPicture SkyDown(kaTextPainter&) {
    return Painted(256, 256, [](float u, float v) { return SkyAt(-0.5f - 0.2f * kaPicture::Fractal(u, v, 4, 3, 86), 0.0f); });
}

// Screens and overlays ----------------------------------------------------

constexpr const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

kaPicture Backdrop(int size, Colour top, Colour bottom, uint32_t salt) {
    return Painted(size, size, [=](float u, float v) {
        return Shade(kaPicture::Mix(top, bottom, v), 0.85f + 0.15f * kaPicture::Fractal(u, v, 4, 4, salt));
    });
}

kaPicture Intro(kaTextPainter& text) {
    kaPicture p = Backdrop(512, {0.05f, 0.06f, 0.2f, 1}, {0.3f, 0.12f, 0.35f, 1}, 91);
    text.Centred(p, "VESSAMORIX", 256, 250, 56, {1.0f, 0.85f, 0.4f, 1});
    text.Centred(p, "a Tallowcore demo", 256, 300, 22, {0.8f, 0.85f, 1.0f, 1});
    text.Centred(p, "loading...", 256, 460, 18, {0.7f, 0.7f, 0.8f, 1});
    return p;
}

// A flat figure standing on a grid, as on a design sheet.
void Figure(kaPicture& p, int cx, int feet, int height) {
    const float k = float(height) / 1800.0f;
    struct Part {
        float x, z, rx, rz;
    };
    const Part parts[] = {{0, 1690, 100, 110}, {0, 1420, 210, 180}, {0, 1160, 150, 140}, {0, 990, 170, 120},
                          {-225, 1230, 60, 300}, {225, 1230, 60, 300}, {-100, 500, 85, 450}, {100, 500, 85, 450},
                          {-100, 55, 70, 55},   {100, 55, 70, 55}};
    for (const Part& part : parts) {
        for (int y = 0; y < p.height(); ++y) {
            for (int x = 0; x < p.width(); ++x) {
                const float dx = (float(x - cx) / k - part.x) / part.rx;
                const float dz = (float(feet - y) / k - part.z) / part.rz;
                if (dx * dx + dz * dz <= 1.0f) p.Blend(x, y, {0.2f, 0.35f, 0.8f, 1}, 0.85f);
            }
        }
    }
}

kaPicture Concept(kaTextPainter& text) {
    kaPicture p = Backdrop(512, {0.92f, 0.9f, 0.84f, 1}, {0.8f, 0.78f, 0.72f, 1}, 92);
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            if (x % 32 == 0 || y % 32 == 0) p.Blend(x, y, {0.5f, 0.6f, 0.75f, 1}, 0.35f);
        }
    }
    Figure(p, 150, 440, 330);
    Figure(p, 360, 440, 330);
    text.Centred(p, "GARRULON", 256, 60, 40, {0.15f, 0.15f, 0.25f, 1});
    text.Centred(p, "concept sheet, front and back", 256, 92, 16, {0.3f, 0.3f, 0.4f, 1});
    text.Centred(p, "code, models, music: Tallowcore", 256, 488, 16, {0.2f, 0.2f, 0.3f, 1});
    return p;
}

kaPicture Thanks(kaTextPainter& text) {
    kaPicture p = Backdrop(512, {0.02f, 0.02f, 0.08f, 1}, {0.1f, 0.05f, 0.2f, 1}, 93);
    text.Centred(p, "THANKS FOR WATCHING", 256, 150, 34, {1.0f, 0.85f, 0.4f, 1});
    const char* lines[] = {"Vessamorix", "code: Tallowcore", "models and animation: Tallowcore",
                           "music: lost in space (remix)", "everything generated by our own tools"};
    int y = 240;
    for (const char* line : lines) {
        text.Centred(p, line, 256, y, 20, {0.85f, 0.88f, 1.0f, 1});
        y += 40;
    }
    return p;
}

kaPicture GarrulonTitle(kaTextPainter& text) {
    kaPicture p = Painted(256, 128, [](float, float) { return Colour{0, 0, 0, 0}; });
    text.Centred(p, "GARRULON", 128, 78, 40, {0.1f, 0.1f, 0.2f, 0.7f});
    text.Centred(p, "GARRULON", 126, 75, 40, {1.0f, 0.8f, 0.2f, 1});
    return p;
}

kaPicture OrbelMark(kaTextPainter& text) {
    kaPicture p = Painted(256, 256, [](float u, float v) {
        const float r = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2.0f;
        const float ring = std::clamp(1.0f - std::fabs(r - 0.85f) * 20.0f, 0.0f, 1.0f);
        const float disc = r < 0.8f ? 0.6f : 0.0f;
        return Colour{0.2f + 0.8f * ring, 0.5f + 0.4f * ring, 0.9f, std::max(ring, disc)};
    });
    text.Centred(p, "ORBEL", 128, 140, 44, {1, 1, 1, 1});
    return p;
}

kaPicture Flare(kaTextPainter&) {
    return Painted(128, 128, [](float u, float v) {
        const float dx = u - 0.5f, dy = v - 0.5f;
        const float r = std::sqrt(dx * dx + dy * dy) * 2.0f;
        const float glow = std::pow(std::max(0.0f, 1.0f - r), 2.5f);
        const float rays = std::pow(std::fabs(std::cos(std::atan2(dy, dx) * 3.0f)), 40.0f) * std::max(0.0f, 1.0f - r);
        const float i = std::min(1.0f, glow + 0.5f * rays);
        return Colour{i, i, i, i};
    });
}

kaPicture Atten2D(kaTextPainter&) {
    return Painted(128, 128, [](float u, float v) {
        const float d2 = (u - 0.5f) * (u - 0.5f) * 4.0f + (v - 0.5f) * (v - 0.5f) * 4.0f;
        const float a = std::max(0.0f, 1.0f - d2);
        return Colour{a, a, a, 1};
    });
}

kaPicture Atten1D(kaTextPainter&) {
    return Painted(256, 1, [](float u, float) {
        const float a = std::max(0.0f, 1.0f - (u - 0.5f) * (u - 0.5f) * 4.0f);
        return Colour{a, a, a, 1};
    });
}

}  // namespace

const std::vector<kaTextureLibrary::Entry>& kaTextureLibrary::Entries() {
    static const std::vector<Entry> entries = {
        {"garrulon_suit.jpg", SuitColour},   {"garrulon_suit_n.png", SuitNormals},
        {"garrulon_head.dds", HeadColour},   {"garrulon_head_n.tga", HeadNormals},
        {"garrulon_gear.bmp", GearColour},   {"garrulon_gear_n.png", GearNormals},
        {"floorplate.jpg", PlatesColour},    {"floorplate_n.png", PlatesNormals},
        {"hull.dds", HullColour},            {"hull_n.bmp", HullNormals},
        {"trim.dds", TrimColour},            {"trim_n.tga", TrimNormals},
        {"tiles.jpg", TilesColour},          {"tiles_n.png", TilesNormals},
        {"stone.jpg", StoneColour},          {"stone_n.png", StoneNormals},
        {"hoverboard.dds", BoardColour},     {"hoverboard_n.png", BoardNormals},
        {"sky_south.jpg", SkySouth},         {"sky_north.jpg", SkyNorth},
        {"sky_west.jpg", SkyWest},           {"sky_east.jpg", SkyEast},
        {"sky_up.dds", SkyUp},               {"sky_down.jpg", SkyDown},
        {"garrulon.png", GarrulonTitle},     {"orbelmark.png", OrbelMark},
        {"intro.jpg", Intro},                {"concept.jpg", Concept},
        {"thanks.jpg", Thanks},              {"flare06.tga", Flare},
        {"atten2D.jpg", Atten2D},            {"atten1D.jpg", Atten1D},
    };
    return entries;
}

const char* kaTextureLibrary::FontPath() { return kFont; }
