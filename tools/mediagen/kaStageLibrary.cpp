#include "kaStageLibrary.h"

#include <cmath>

#include "kaMeshBuilder.h"
#include "kaSceneLayout.h"

namespace {

// The texture pairs the stages share.
enum Surface : uint16_t { kPlates, kHull, kTrim, kTiles, kStone, kSurfaceCount };

const kaMaterialSpec kSurfaces[kSurfaceCount] = {
    {"plates", {0.7f, 0.7f, 0.75f}, {"floorplate.jpg", "floorplate_n.png"}},
    {"hull", {0.6f, 0.65f, 0.7f}, {"hull.dds", "hull_n.bmp"}},
    {"trim", {0.9f, 0.7f, 0.2f}, {"trim.dds", "trim_n.tga"}},
    {"tiles", {0.5f, 0.4f, 0.8f}, {"tiles.jpg", "tiles_n.png"}},
    {"stone", {0.8f, 0.75f, 0.65f}, {"stone.jpg", "stone_n.png"}},
};

constexpr float kTile = 2000.0f;
// Sprite heights: the flares sit on top of posts this much lower.
constexpr float kFlareHeight = 980.8462f;
constexpr float kPostHalf = 80.0f;

// A stage under construction: one mesh per surface used.
class Stage {
public:
    explicit Stage(const char* name) { mModel.name = name; }

    kaMeshBuilder Surface(uint16_t surface) {
        for (size_t i = 0; i < mModel.materials.size(); ++i) {
            if (mModel.materials[i].name == kSurfaces[surface].name) return kaMeshBuilder(mModel.meshes[i]);
        }
        mModel.materials.push_back(kSurfaces[surface]);
        mModel.meshes.push_back({kSurfaces[surface].name, uint16_t(mModel.meshes.size()), {}, {}, {}});
        return kaMeshBuilder(mModel.meshes.back());
    }
    void Box(uint16_t surface, kaVec3 lo, kaVec3 hi) { Surface(surface).Box(lo, hi, kTile); }
    // A post under a flare sprite standing on the floor.
    void Post(float x, float y, float floor) {
        Box(kTrim, {x - kPostHalf, y - kPostHalf, floor}, {x + kPostHalf, y + kPostHalf, kFlareHeight - kPostHalf});
    }
    // A closed room seen from inside: walls and ceiling of hull, a floor of
    // the given surface whose top is at z = 0.
    void Room(float half, float height, uint16_t floor) {
        Box(floor, {-half, -half, -400}, {half, half, 0});
        Surface(kHull).Box({-half, -half, -10}, {half, half, height}, kTile * 2.0f, true);
    }
    kaModelSpec& model() { return mModel; }

private:
    kaModelSpec mModel;
};

// Flare positions of the first stage (corner lamps of the platform, lamps
// along the walkway) and of the second (lamps along the track).
const float kPlatformLamps[][2] = {
    {-3586.4709f, 3602.2236f}, {5280.2148f, 3640.1152f}, {5280.2148f, -5112.8955f}, {-3586.4709f, -4999.2202f},
    {-2204.2827f, -19947.0684f}, {3636.7139f, -19947.0684f}, {3636.7139f, -27074.1562f}, {-2204.2827f, -27074.1562f},
    {-2204.2827f, -30610.9062f}, {3636.7139f, -30610.9062f}, {3636.7139f, -36451.9023f}, {-2365.0444f, -36451.9023f},
};
const float kTrackLampY[] = {-49251.4375f, -55253.1953f, -72508.25f, -78510.0078f, -95229.1328f,
                             -101230.8906f, -113984.6328f, -119986.3906f, -131239.6875f,
                             -136919.8594f, -148923.375f, -154925.1406f, -168000.3906f,
                             -173680.5781f, -186755.8438f};

}  // namespace

kaModelSpec kaStageLibrary::Stage1(float f) {
    Stage stage("stage1");
    // Start platform round the character's place, and the walkway south.
    stage.Box(kPlates, {-4200, -5600, f - 600}, {5900, 4300, f});
    stage.Box(kPlates, {-2900, -38000, f - 600}, {4300, -5600, f});
    stage.Box(kTrim, {-4200, 4150, f}, {5900, 4300, f + 250});
    stage.Box(kTrim, {-4200, -5600, f}, {-4050, 4150, f + 250});
    stage.Box(kTrim, {5750, -5600, f}, {5900, 4150, f + 250});
    stage.Box(kTrim, {-2900, -38000, f}, {-2750, -5600, f + 250});
    stage.Box(kTrim, {4150, -38000, f}, {4300, -5600, f + 250});
    stage.Box(kTrim, {-2900, -38000, f}, {4300, -37850, f + 250});
    for (const auto& lamp : kPlatformLamps) stage.Post(lamp[0], lamp[1], f);
    // Pylons carrying the deck down into the haze.
    for (float y = -34000; y <= 0; y += 8500) {
        stage.Box(kHull, {-2500, y - 400, f - 30000}, {-1700, y + 400, f - 600});
        stage.Box(kHull, {3100, y - 400, f - 30000}, {3900, y + 400, f - 600});
    }
    return stage.model();
}

kaModelSpec kaStageLibrary::Stage2(float f) {
    Stage stage("stage2");
    constexpr float kNear = -47000, kFar = -193000;
    stage.Box(kPlates, {-2700, kFar, f - 800}, {4500, kNear, f});
    stage.Box(kTrim, {-2700, kFar, f}, {-2550, kNear, f + 400});
    stage.Box(kTrim, {4350, kFar, f}, {4500, kNear, f + 400});
    stage.Box(kHull, {-2700, kFar - 600, f - 800}, {4500, kFar, f + 5200});
    // Arches over the track.
    for (float y = -50000; y >= -190000; y -= 12000) {
        stage.Box(kHull, {-2700, y - 200, f}, {-2300, y + 200, f + 4800});
        stage.Box(kHull, {4100, y - 200, f}, {4500, y + 200, f + 4800});
        stage.Box(kHull, {-2700, y - 200, f + 4800}, {4500, y + 200, f + 5200});
    }
    for (float y : kTrackLampY) {
        stage.Post(-1905.8788f, y, f);
        stage.Post(3667.1821f, y, f);
    }
    // The hoverboard's dock.
    const kaVec3 dock = kHoverboardOffset;
    stage.Box(kTrim, {dock.x - 900, dock.y - 1300, f}, {dock.x + 900, dock.y + 1300, f + 150});
    return stage.model();
}

kaModelSpec kaStageLibrary::CloseStage() {
    Stage stage("closeStage");
    constexpr float kHalf = 16000, kHeight = 12000;
    stage.Room(kHalf, kHeight, kPlates);
    for (int i = 0; i < 8; ++i) {
        const float a = float(i) * 0.785398f + 0.3927f;
        const float x = 13000.0f * std::cos(a), y = 13000.0f * std::sin(a);
        stage.Box(kTrim, {x - 500, y - 500, 0}, {x + 500, y + 500, kHeight});
    }
    // Racks of boards along the walls.
    for (float x = -12000; x <= 12000; x += 4000) {
        stage.Box(kHull, {x - 1200, kHalf - 900, 0}, {x + 1200, kHalf, 2600});
        stage.Box(kHull, {x - 1200, -kHalf, 0}, {x + 1200, -kHalf + 900, 2600});
    }
    return stage.model();
}

kaModelSpec kaStageLibrary::CloseStage2() {
    Stage stage("closeStage2");
    constexpr float kHalf = 18000, kHeight = 9000;
    stage.Room(kHalf, kHeight, kTiles);
    for (float x : {-11000.0f, 11000.0f}) {
        for (float y : {-11000.0f, 11000.0f}) stage.Box(kHull, {x - 600, y - 600, 0}, {x + 600, y + 600, kHeight});
    }
    // A stage for the music at the far wall and speakers beside it.
    stage.Box(kTrim, {-6000, -kHalf, 0}, {6000, -kHalf + 3500, 900});
    stage.Box(kHull, {-8000, -kHalf, 0}, {-6500, -kHalf + 1500, 3500});
    stage.Box(kHull, {6500, -kHalf, 0}, {8000, -kHalf + 1500, 3500});
    return stage.model();
}

kaModelSpec kaStageLibrary::Final() {
    Stage stage("Final");
    constexpr float kHalf = 12000, kHeight = 16000, kWall = 600, kHole = 3000;
    stage.Box(kStone, {-kHalf - kWall, -kHalf - kWall, -400}, {kHalf + kWall, kHalf + kWall, 0});
    // Walls, then a roof with an opening to the sky above the centre.
    const float top = kHeight + kWall;
    stage.Box(kStone, {-kHalf - kWall, -kHalf - kWall, 0}, {-kHalf, kHalf + kWall, top});
    stage.Box(kStone, {kHalf, -kHalf - kWall, 0}, {kHalf + kWall, kHalf + kWall, top});
    stage.Box(kStone, {-kHalf, -kHalf - kWall, 0}, {kHalf, -kHalf, top});
    stage.Box(kStone, {-kHalf, kHalf, 0}, {kHalf, kHalf + kWall, top});
    stage.Box(kHull, {-kHalf, -kHalf, kHeight}, {kHalf, -kHole, top});
    stage.Box(kHull, {-kHalf, kHole, kHeight}, {kHalf, kHalf, top});
    stage.Box(kHull, {-kHalf, -kHole, kHeight}, {-kHole, kHole, top});
    stage.Box(kHull, {kHole, -kHole, kHeight}, {kHalf, kHole, top});
    // Columns round the hall and a ring of steps round the floor's centre.
    for (int i = 0; i < 12; ++i) {
        const float a = float(i) * 0.5235988f;
        const float x = 10000.0f * std::cos(a), y = 10000.0f * std::sin(a);
        stage.Box(kTrim, {x - 450, y - 450, 0}, {x + 450, y + 450, kHeight});
    }
    stage.Box(kTiles, {-2600, -2600, 0}, {2600, -2200, 120});
    stage.Box(kTiles, {-2600, 2200, 0}, {2600, 2600, 120});
    stage.Box(kTiles, {-2600, -2200, 0}, {-2200, 2200, 120});
    stage.Box(kTiles, {2200, -2200, 0}, {2600, 2200, 120});
    return stage.model();
}

kaModelSpec kaStageLibrary::Hoverboard() {
    kaModelSpec model;
    model.name = "hoverboard";
    model.materials = {{"hoverboard", {0.9f, 0.3f, 0.2f}, {"hoverboard.dds", "hoverboard_n.png"}}};
    model.meshes = {{"board", 0, {}, {}, {}}};
    kaMeshBuilder board(model.meshes[0]);
    board.Ellipsoid({0, 0, 60}, {560, 0, 0}, {0, 170, 0}, {0, 0, 35}, 10, 24);
    board.Ellipsoid({-380, 0, 20}, {90, 0, 0}, {0, 60, 0}, {0, 0, 20}, 6, 12);
    board.Ellipsoid({380, 0, 20}, {90, 0, 0}, {0, 60, 0}, {0, 0, 20}, 6, 12);
    return model;
}

kaModelSpec kaStageLibrary::Skybox() {
    kaModelSpec model;
    model.name = "skybox";
    constexpr float h = 50000.0f;
    const char* faces[6] = {"sky_down.jpg", "sky_up.dds", "sky_south.jpg",
                            "sky_north.jpg", "sky_west.jpg", "sky_east.jpg"};
    kaMeshSpec all;
    kaMeshBuilder(all).Box({-h, -h, -h}, {h, h, h}, 2.0f * h, true);
    // The box's six faces come two triangles each, in face order.
    for (int face = 0; face < 6; ++face) {
        model.materials.push_back({faces[face], {1, 1, 1}, {faces[face]}});
        kaMeshSpec mesh{faces[face], uint16_t(face), {}, {}, {}};
        for (int corner = 0; corner < 4; ++corner) {
            mesh.vertices.push_back(all.vertices[4 * face + corner]);
            mesh.coords.push_back(all.coords[8 * face + 2 * corner]);
            mesh.coords.push_back(all.coords[8 * face + 2 * corner + 1]);
        }
        for (int t = 0; t < 2; ++t) {
            kaFaceSpec f = all.faces[2 * face + t];
            for (uint32_t& index : f) index -= uint32_t(4 * face);
            mesh.faces.push_back(f);
        }
        model.meshes.push_back(mesh);
    }
    return model;
}

std::vector<kaStageLibrary::Named> kaStageLibrary::Build(kaVec3 centre) {
    // Floors lie where the shots put the character's feet.
    const float platform = Shots()[0].target.z - centre.z;
    const float track = Shots()[9].target.z - centre.z;
    return {
        {"stage1.tdm", Stage1(platform)},   {"stage2.tdm", Stage2(track)},
        {"closeStage.tdm", CloseStage()},   {"closeStage2.tdm", CloseStage2()},
        {"Final.tdm", Final()},             {"hoverboard.tdm", Hoverboard()},
        {"skybox.tdm", Skybox()},
    };
}
