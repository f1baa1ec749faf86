#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "DemoFrame.h"
#include "DemoGlobals.h"
#include "WhiteFlash.h"
#include "kaAnimClip.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaClipClock.h"
#include "kaDemoWorld.h"
#include "kaOrthoOverlay.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTexture.h"

namespace {

using Layout = kaVertexLayout;

// ---- The schedule as the demo's design gives it ----

struct Flash {
    float start, end;
};

// One scene: its window (after < t <= up to), the clip slot and cross-fade
// it starts, the camera path cPathNN and character path qxPath0N it loads
// (0: none), what its drawing frames draw in order (models drawn through
// the specular pass are marked so), its picture and its flashes.
struct Scene {
    double after, upTo;
    int clip;
    float blendMs;
    int cameraPath, characterPath;
    const char* draws;
    const char* picture;
    std::vector<Flash> flashes;
};

constexpr double kNoStart = -std::numeric_limits<double>::infinity();
const char kFirstStage[] = "[sky][stage1][flares 4][character specular]";
const char kRun[] = "[sky][stage1][flares 12][character specular]";
const char kFinal[] = "[Final specular][character specular]";
const char kPortrait[] = "[picture 0 (1 1)-(0 0.5) uv (0 0)-(-1 1)]";
const char kTitle[] = "[picture 1 (0.75 0.75)-(0.25 0.25) uv (0 0)-(-1 1)]";

const Scene kScenes[] = {
    {kNoStart, 7.3, 0, 1000, 1, 0, kFirstStage, nullptr, {}},
    {7.3, 9.5, 1, 400, 2, 0, kFirstStage, nullptr, {}},
    {9.5, 12.6, 4, 1500, 3, 0, kFirstStage, nullptr, {}},
    {12.6, 17.0, 2, 0, 4, 0, "[sky][character specular][stage1]", nullptr, {}},
    {17.0, 18.7, 4, 0, 2, 0, kFirstStage, nullptr, {{17.1f, 17.6f}, {17.8f, 18.45f}, {18.65f, 19.0f}}},
    {18.7, 23.5, 5, 0, 7, 0, kFirstStage, nullptr, {}},
    {23.5, 25.2, 4, 400, 2, 0, kFirstStage, nullptr, {{24.1f, 24.6f}, {24.8f, 25.45f}, {25.65f, 26.0f}}},
    {25.2, 31.5, 3, 500, 6, 1, kRun, nullptr, {{30.1f, 30.6f}, {30.8f, 31.45f}, {31.65f, 32.0f}}},
    {31.5, 34.0, -1, 0, 0, 0, kRun, kPortrait, {}},
    {34.0, 40.0, 3, 0, 9, 2, "[sky][stage2][flares 31][character specular][hoverboard specular]", nullptr,
     {{35.1f, 35.6f}, {35.8f, 36.45f}, {36.65f, 37.0f}, {37.1f, 37.6f}, {37.8f, 38.45f}, {38.65f, 39.0f},
      {39.1f, 39.6f}}},
    {40.0, 50.0, 8, 0, 10, 0, "[closeStage specular][character specular]", kTitle,
     {{40.4f, 41.05f}, {41.25f, 41.6f}, {44.1f, 44.6f}, {44.8f, 45.45f}, {45.65f, 46.0f}}},
    {50.0, 54.5, 9, 0, 12, 0, "[closeStage2 specular][character specular]", nullptr, {}},
    {54.5, 78.0, 10, 0, 10, 0, "[closeStage2 specular][character specular]", nullptr, {}},
    {78.0, 82.0, 11, 0, 13, 0, kFinal, nullptr, {}},
    {82.0, 86.0, 12, 200, 0, 0, kFinal, nullptr,
     {{84.3f, 84.95f}, {85.15f, 85.5f}, {88.0f, 88.5f}, {88.7f, 89.35f}, {89.55f, 89.9f}}},
    {86.0, 90.0, 13, 200, 0, 0, kFinal, nullptr, {}},
    {90.0, 94.0, 14, 200, 0, 0, kFinal, nullptr,
     {{90.8f, 91.45f}, {91.65f, 92.0f}, {94.5f, 95.0f}, {95.2f, 95.85f}, {96.05f, 96.4f}}},
    {94.0, 100.0, 15, 200, 0, 0, kFinal, nullptr,
     {{96.8f, 97.45f}, {97.65f, 98.0f}, {100.5f, 101.0f}, {101.2f, 101.85f}, {102.05f, 102.4f}}},
    {100.0, 104.0, 16, 0, 0, 0, kFinal, nullptr,
     {{102.9f, 103.55f}, {103.75f, 104.1f}, {106.6f, 107.1f}, {107.3f, 107.95f}, {108.15f, 108.5f}}},
    {104.0, 108.0, 17, 0, 0, 0, kFinal, nullptr, {}},
    {108.0, 112.0, 18, 0, 0, 0, kFinal, nullptr, {}},
    {112.0, 115.5, 19, 0, 13, 3, kFinal, nullptr, {}},
    {115.5, 117.7, 19, 0, 14, 3, "[sky][Final specular][character specular]", nullptr, {}},
};
constexpr int kRowCount = sizeof kScenes / sizeof kScenes[0];

// The scene of the table active at music time t (-1 after the last).
int SceneAt(float t) {
    for (int i = 0; i < kRowCount; ++i) {
        if (t > kScenes[i].after && t <= kScenes[i].upTo) return i;
    }
    return -1;
}

std::string Text(const char* format, double a, double b = 0, double c = 0, double d = 0) {
    char text[80];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// What a drawing frame of a scene draws at time t: its draws, its picture,
// then each flash with its alpha byte (the blend curve inside its window,
// nothing outside).
std::string ExpectedDraws(const Scene& scene, float t) {
    std::string draws = std::string(scene.draws) + (scene.picture ? scene.picture : "");
    for (const Flash& flash : scene.flashes) {
        float a = SplineBlend(0, 0, 1, 0, (t - flash.start) / (flash.end - flash.start));
        if (a > 1 || a < 0 || t < flash.start || t > flash.end) a = 0;
        draws += "[flash " + std::to_string(static_cast<unsigned>(a * 255)) + "]";
    }
    return draws;
}

// ---- The run ----

// One frame as the recording device and the character saw it: its draws,
// and after it the character's clips as slots (-1 none) with its
// cross-fade, and the first x of the camera and character paths.
struct Frame {
    int ms;
    float t;
    bool framed;  // depth-only Clear and BeginRender first, EndRender and Flip last
    std::string draws;
    unsigned sprites;  // records in the sprite batch
    int current, next;
    bool blending;
    float blendMs;
    float cameraX, characterX;
};

int SlotOf(const kaAnimClip* clip) { return clip == nullptr ? -1 : int(clip - gClips); }
float FirstX(const kaCamera* path) { return path->path.points.empty() ? 0 : path->path.points[0]; }

// The whole demo played forwards once on the recording device: at 30 frames
// a second of music time and at every millisecond around each scene
// boundary.  The scenes set themselves up once per program, so every test
// here reads this one run.
class DemoRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        world = new kaDemoWorld;
        const std::pair<kaMeshModel*, const char*> named[] = {
            {gSkybox, "sky"},           {gStage1, "stage1"}, {gStage2, "stage2"},       {gCloseStage, "closeStage"},
            {gCloseStage2, "closeStage2"}, {gFinal, "Final"}, {gCharacter, "character"}, {gHoverboard, "hoverboard"}};
        for (const auto& model : named) models[model.first->meshes[0].buffer] = model.second;

        std::set<int> times;
        for (int ms = 0; ms < 118000; ms += 33) times.insert(ms);
        for (const Scene& scene : kScenes) {
            const int boundary = static_cast<int>(std::ceil(scene.upTo * 1000));
            times.insert({boundary - 1, boundary, boundary + 1});
        }
        int previous = 0;
        float t = 0;
        for (int ms : times) {
            world->AdvanceClock(unsigned(ms - previous));
            if (!DemoClock(ms, &t)) {
                endMs = ms;
                break;
            }
            world->device.clearCalls();
            DrawDemoFrame(ms == 0 ? 0.033f : (ms - previous) * 0.001f, t);
            frames.push_back(Record(ms, t));
            previous = ms;
        }
    }
    static void TearDownTestSuite() {
        delete world;
        world = nullptr;
    }

    static std::string Describe(const kaRecordingDevice::Draw& draw) {
        if (draw.vertexBuffer == gSpriteBatch->vertexBuffer) {
            return "flares " + std::to_string(world->device.calls()[draw.callIndex].u(3) / 2);
        }
        if (draw.vertexBuffer == gOverlay->vertexBuffer) {
            const kaVertexBytes& v = draw.vertices;  // (x1, y1) first, (x0, y0) last
            if (draw.textures[0] == nullptr) return "flash " + std::to_string(v.wordAt(0, Layout::DIFFUSE) >> 24);
            int slot = 0;
            while (slot < int(kaTextureSlots) && gTextures[slot].texture != draw.textures[0]) ++slot;
            return "picture " + std::to_string(slot) +
                   Text(" (%g %g)-(%g %g)", v.floatAt(3, Layout::POSITION, 0), v.floatAt(3, Layout::POSITION, 1),
                        v.floatAt(0, Layout::POSITION, 0), v.floatAt(0, Layout::POSITION, 1)) +
                   Text(" uv (%g %g)-(%g %g)", v.floatAt(3, Layout::TEXCOORD0, 0), v.floatAt(3, Layout::TEXCOORD0, 1),
                        v.floatAt(0, Layout::TEXCOORD0, 0), v.floatAt(0, Layout::TEXCOORD0, 1));
        }
        const auto model = models.find(draw.vertexBuffer);
        if (model == models.end()) return "unknown buffer";
        return model->second + (draw.pixelShader == gShaderRenderer->pDiffSpecShader ? " specular" : "");
    }

    static Frame Record(int ms, float t) {
        const std::vector<std::string> names = world->device.callNames();
        const kaDeviceCall& clear = world->device.calls().front();
        Frame frame{};
        frame.ms = ms;
        frame.t = t;
        frame.framed = names.size() >= 4 && clear.name == "Clear" && clear.u(0) == 2u && clear.u(1) == 0x001F1F7Fu &&
                       clear.f(2) == 1.0f && names[1] == "BeginRender" && names[names.size() - 2] == "EndRender" &&
                       names.back() == "Flip";
        for (const kaRecordingDevice::Draw& draw : world->device.draws()) frame.draws += "[" + Describe(draw) + "]";
        frame.sprites = gSpriteBatch->list.getCount();
        frame.current = SlotOf(gCharacter->current);
        frame.next = SlotOf(gCharacter->next);
        frame.blending = gCharacter->blending;
        frame.blendMs = gCharacter->blendMs;
        frame.cameraX = FirstX(gCamera);
        frame.characterX = FirstX(gCharacterPath);
        return frame;
    }

    static kaDemoWorld* world;
    static std::vector<Frame> frames;
    static int endMs;  // the first position that ended the demo
    static std::map<const kaVertexBuffer*, std::string> models;
};

kaDemoWorld* DemoRunTest::world = nullptr;
std::vector<Frame> DemoRunTest::frames;
int DemoRunTest::endMs = -1;
std::map<const kaVertexBuffer*, std::string> DemoRunTest::models;

// Every frame is framed by the depth clear and the presentation, and the
// demo ends at 117.7 s with the models freed and the sprites gone.  Each
// scene's first active frame draws nothing and starts its clip and paths (a
// clip already playing is refused); every later frame of its window draws
// what the table says, with each flash's alpha for that moment.
TEST_F(DemoRunTest, TheWholeDemoPlaysTheScheduleFrameByFrame) {
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().ms, 117699);
    EXPECT_EQ(endMs, 117700) << "117699 ms goes on, 117700 ms ends";
    unsigned silentFrames = 0, mostSprites = 0;
    for (const Frame& frame : frames) {
        EXPECT_TRUE(frame.framed) << frame.ms << " ms";
        silentFrames += frame.draws.empty();
        mostSprites = std::max(mostSprites, frame.sprites);
    }
    EXPECT_EQ(silentFrames, 23u) << "each scene's first frame only";
    EXPECT_EQ(mostSprites, 31u);
    EXPECT_EQ(gSpriteBatch->list.getCount(), 0u);
    for (kaMeshModel* freed : {gStage1, gStage2, gHoverboard, gCloseStage, gCloseStage2}) EXPECT_EQ(freed, nullptr);
    EXPECT_NE(gFinal, nullptr);
    EXPECT_EQ(gClipClock.getRate(), 0.0f);
    // The sky pass reads position and texture set 0 from the models' own
    // 56-byte vertices, which the recording device reports; nothing else.
    for (const std::string& misuse : world->device.misuse()) {
        EXPECT_EQ(misuse, "DrawPrimitive with vertex format 0x102 on a buffer of 0x540402");
    }
    EXPECT_TRUE(world->boxes.boxes().empty());

    std::vector<std::string> firstFault(kRowCount);
    std::vector<unsigned> setUps(kRowCount), drawn(kRowCount);
    Frame before{};
    before.current = 0;  // start-up plays slot 0 and loads qxPath01
    before.next = -1;
    before.characterX = 21000;
    int last = -1;
    for (const Frame& frame : frames) {
        const int index = SceneAt(frame.t);
        ASSERT_GE(index, 0) << frame.ms << " ms";
        const Scene& scene = kScenes[index];
        std::string fault;
        if (index != last) {
            ++setUps[index];
            const bool taken = scene.clip >= 0 && scene.clip != before.current;
            const bool fades = taken && scene.blendMs > 0;
            const int current = taken && !fades ? scene.clip : before.current;
            const int next = fades ? scene.clip : taken ? -1 : before.next;
            const float camera = scene.cameraPath ? 1000.0f * scene.cameraPath : before.cameraX;
            const float character = scene.characterPath ? 1000.0f * (20 + scene.characterPath) : before.characterX;
            if (!frame.draws.empty()) fault = "the first active frame draws " + frame.draws;
            if (frame.current != current || frame.next != next || frame.blending != (fades || (!taken && before.blending)))
                fault = Text("clip %g fading to %g", frame.current, frame.next);
            if (fades && frame.blendMs != scene.blendMs) fault = Text("cross-fade of %g ms", frame.blendMs);
            if (frame.cameraX != camera) fault = Text("camera path from x %g", frame.cameraX);
            if (frame.characterX != character) fault = Text("character path from x %g", frame.characterX);
        } else {
            ++drawn[index];
            const std::string expected = ExpectedDraws(scene, frame.t);
            if (frame.draws != expected) fault = "draws " + frame.draws + ", not " + expected;
        }
        if (!fault.empty() && firstFault[index].empty()) firstFault[index] = Text("%.3f s: ", frame.t) + fault;
        before = frame;
        last = index;
    }
    for (int i = 0; i < kRowCount; ++i) {
        EXPECT_EQ(setUps[i], 1u) << "Scene " << i + 1;
        EXPECT_GT(drawn[i], 10u) << "Scene " << i + 1;
        EXPECT_TRUE(firstFault[i].empty()) << "Scene " << i + 1 << " at " << firstFault[i];
    }
}

}  // namespace
