#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "DemoGlobals.h"
#include "Globals.h"
#include "OutputPicture.h"
#include "kaApplication.h"
#include "kaCharacter.h"
#include "kaMeshModel.h"
#include "kaOrthoOverlay.h"
#include "kaPlayerRun.h"
#include "kaResult.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTempDir.h"
#include "kaTexture.h"
#include "kaTimer.h"

namespace {

using Calls = std::vector<kaDeviceCall>;

// Which of shutdown's releases owns each device resource, by the position
// of the object in the release order.
using Owners = std::map<const void*, std::string>;

void OwnTexture(Owners& owners, const kaTexture& texture, const std::string& owner) {
    if (texture.texture != nullptr) owners[texture.texture] = owner;
}

void OwnModel(Owners& owners, const kaMeshModel* model, const std::string& owner) {
    for (const kaMesh& mesh : model->meshes) owners[mesh.buffer] = owner;
    for (const kaTextureList& list : model->materials) {
        for (unsigned i = 0; i < list.count; ++i) OwnTexture(owners, list.textures[i], owner);
    }
}

void OwnBatch(Owners& owners, const kaQuadBatch* batch, const std::string& owner) {
    owners[batch->vertexBuffer] = owner;
    owners[batch->indexBuffer] = owner;
}

// Every device resource the started player holds, with its owner.
Owners CollectOwners() {
    Owners owners;
    const kaShaderRenderer& renderer = *gShaderRenderer;
    for (const void* shader :
         {static_cast<const void*>(renderer.pDiffSpecShader), static_cast<const void*>(renderer.pDiffShader),
          static_cast<const void*>(renderer.pAttenShader), static_cast<const void*>(renderer.pSkyBoxPixelShader),
          static_cast<const void*>(renderer.pVShader), static_cast<const void*>(renderer.pSimpleVshader),
          static_cast<const void*>(renderer.pSkyBoxShader), static_cast<const void*>(renderer.pRender2dShader),
          static_cast<const void*>(renderer.pVertex2dShader),
          static_cast<const void*>(renderer.pNormalCubeMap)}) {
        owners[shader] = "gShaderRenderer";
    }
    OwnTexture(owners, *renderer.pAtten1D, "gShaderRenderer");
    OwnTexture(owners, *renderer.pAtten2D, "gShaderRenderer");
    OwnModel(owners, gSkybox, "gSkybox");
    OwnModel(owners, gStage1, "gStage1");
    OwnModel(owners, gStage2, "gStage2");
    OwnModel(owners, gHoverboard, "gHoverboard");
    OwnModel(owners, gCharacter, "gCharacter");
    OwnModel(owners, gCloseStage, "gCloseStage");
    OwnModel(owners, gCloseStage2, "gCloseStage2");
    OwnModel(owners, gFinal, "gFinal");
    OwnTexture(owners, *gFlareTexture, "gFlareTexture");
    OwnBatch(owners, gSpriteBatch, "gSpriteBatch");
    for (unsigned slot = 0; slot < kaTextureSlots; ++slot) OwnTexture(owners, gTextures[slot], "gTextures");
    OwnBatch(owners, gOverlay, "gOverlay");
    return owners;
}

bool IsRelease(const kaDeviceCall& call) {
    return call.name.size() > 8 && call.name.compare(call.name.size() - 8, 8, ".Release") == 0;
}

// The calls from `first` on, cut into frames after each Flip.
std::vector<Calls> Frames(const Calls& calls, size_t first) {
    std::vector<Calls> frames(1);
    for (size_t i = first; i < calls.size(); ++i) {
        frames.back().push_back(calls[i]);
        if (calls[i].name == "Flip") frames.emplace_back();
    }
    frames.pop_back();
    return frames;
}

std::vector<std::string> Names(const Calls& calls) {
    std::vector<std::string> names;
    for (const kaDeviceCall& call : calls) names.push_back(call.name);
    return names;
}

bool HasState(const kaDeviceCall& call, const char* name, unsigned first, unsigned second) {
    return call.name == name && call.u(0) == first && call.u(1) == second;
}

// The index of the first call at which the whole sequence starts, or npos.
size_t FindSequence(const Calls& calls, const std::vector<kaDeviceCall>& sequence) {
    for (size_t start = 0; start + sequence.size() <= calls.size(); ++start) {
        const auto same = [&](size_t k) {
            return calls[start + k].name == sequence[k].name && calls[start + k].args == sequence[k].args;
        };
        size_t k = 0;
        while (k < sequence.size() && same(k)) ++k;
        if (k == sequence.size()) return start;
    }
    return std::string::npos;
}

kaDeviceCall State(const char* name, unsigned a, unsigned b) { return kaDeviceCall(name) << a << b; }
kaDeviceCall StageState(unsigned stage, unsigned state, unsigned value) {
    return kaDeviceCall("setTextureState") << stage << state << value;
}

// The player started and stopped as a whole, natively, on the recording
// device module: the states set in start-up's order, the closing pictures
// frame by frame, and every object released in shutdown's order, the device
// after its resources and before the module is unloaded.
class StartupShutdownTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(run.Start(), 1);
        ASSERT_NE(run.device(), nullptr);
        owners = CollectOwners();
        concept = gTextures[3].texture;
        thanks = gTextures[4].texture;
        startupCalls = run.device()->calls().size();
        run.Finish();
    }

    const Calls& calls() const { return run.device()->calls(); }

    kaPlayerRun run;
    Owners owners;
    const void* concept = nullptr;
    const void* thanks = nullptr;
    size_t startupCalls = 0;
};

TEST_F(StartupShutdownTest, StartsQuietlyAndLogsEveryStep) {
    EXPECT_TRUE(run.boxes().boxes().empty());
    EXPECT_EQ(run.log(), kaTempDir::read(VX_PLAYER_TEST_DIR "/started.log"));
    EXPECT_EQ(run.device()->misuse(), std::vector<std::string>());
}

TEST_F(StartupShutdownTest, GlobalAndTextureStatesAreSetInOrder) {
    const Calls startup(calls().begin(), calls().begin() + startupCalls);
    ASSERT_FALSE(startup.empty());
    const kaDeviceCall& initialize = startup.front();
    EXPECT_EQ(initialize.name, "InitializeWindowed");
    EXPECT_NE(initialize.p(0), nullptr) << "the window";
    EXPECT_EQ(std::vector<uint64_t>(initialize.args.begin() + 1, initialize.args.end()),
              (std::vector<uint64_t>{800, 600, 77, 0, 0}));

    const size_t renderStates = FindSequence(
        startup, {State("setRenderState", 22, 2), State("setRenderState", 26, 1),
                  State("setRenderState", 137, 0), State("setRenderState", 40, 0),
                  State("setRenderState", 161, 0)});
    std::vector<kaDeviceCall> filters;
    for (unsigned stage = 0; stage < 4; ++stage) {
        for (const auto& [state, value] :
             {std::pair{18u, 2u}, {17u, 2u}, {16u, 2u}, {19u, 0xBF800000u}}) {
            filters.push_back(StageState(stage, state, value));
        }
    }
    const size_t stageStates = FindSequence(startup, filters);
    ASSERT_NE(renderStates, std::string::npos);
    ASSERT_NE(stageStates, std::string::npos);
    // The render states come before the overlay makes its buffers, the
    // filters after the last buffer (the sprite batch's) and the intro
    // picture's release.
    const auto first = [&](const char* name) {
        return static_cast<size_t>(std::find_if(startup.begin(), startup.end(),
                                                [&](const kaDeviceCall& call) { return call.name == name; }) -
                                   startup.begin());
    };
    const auto last = [&](const char* name) {
        const auto found = std::find_if(startup.rbegin(), startup.rend(),
                                        [&](const kaDeviceCall& call) { return call.name == name; });
        return static_cast<size_t>(startup.rend() - found) - 1;
    };
    EXPECT_LT(renderStates, first("CreateIndexBuffer"));
    EXPECT_GT(stageStates, last("CreateIndexBuffer"));
    EXPECT_GT(stageStates, last("Texture.Release"));
}

TEST_F(StartupShutdownTest, EachClosingPictureShowsForJustOverFiveSeconds) {
    // Shutdown turns blending and the pixel shader off first.
    ASSERT_GT(calls().size(), startupCalls + 2);
    EXPECT_TRUE(HasState(calls()[startupCalls], "setRenderState", 27, 0));
    EXPECT_EQ(calls()[startupCalls + 1].name, "setPixelShader");
    EXPECT_EQ(calls()[startupCalls + 1].p(0), nullptr);
    const std::vector<Calls> frames = Frames(calls(), startupCalls + 2);
    constexpr size_t kPictureFrames = 5 * kaPlayerRun::kFramesPerSecond + 1;  // 5.0 s repeats
    ASSERT_EQ(frames.size(), 2 * kPictureFrames);
    for (size_t i = 0; i < frames.size(); ++i) {
        const bool first = i < kPictureFrames;
        const std::vector<std::string> names = Names(frames[i]);
        SCOPED_TRACE("closing frame " + std::to_string(i));
        ASSERT_GE(names.size(), 6u);
        const std::vector<std::string> opening(names.begin(), names.begin() + 4);
        if (first) {
            EXPECT_EQ(opening, (std::vector<std::string>{"Clear", "BeginRender", "setTextureState", "setTextureState"}));
        } else {
            EXPECT_EQ(opening, (std::vector<std::string>{"setTextureState", "setTextureState", "Clear", "BeginRender"}));
        }
        EXPECT_EQ(names[names.size() - 2], "EndRender");
        EXPECT_EQ(names.back(), "Flip");
        const auto clear = std::find(names.begin(), names.end(), "Clear") - names.begin();
        EXPECT_EQ(frames[i][clear].u(0), 2u) << "depth only";
        EXPECT_EQ(frames[i][clear].u(1), 0x001F1F7Fu);
        for (const kaDeviceCall& call : frames[i]) {
            if (call.name == "setTextureState") {
                EXPECT_TRUE(HasState(call, "setTextureState", 0, 2) || HasState(call, "setTextureState", 0, 1));
                EXPECT_EQ(call.u(2), 2u);
            }
            if (call.name == "setTexture" && call.u(0) == 0) {
                EXPECT_EQ(call.p(1), first ? concept : thanks);
            }
        }
        EXPECT_EQ(std::count(names.begin(), names.end(), "DrawIndexedPrimitive"), 1);
    }
}

TEST_F(StartupShutdownTest, ReleasesInShutdownsOrderTheDeviceLastAndBeforeTheModuleGoes) {
    const std::vector<std::string> order = {
        "gShaderRenderer", "gSkybox",      "gStage1", "gStage2",       "gHoverboard",
        "gCharacter",      "gCloseStage",  "gCloseStage2", "gFinal",   "gFlareTexture",
        "gSpriteBatch",    "gTextures",    "gOverlay"};
    std::vector<std::string> released;
    size_t deviceRelease = std::string::npos;
    for (size_t i = startupCalls; i < calls().size(); ++i) {
        if (calls()[i].name == "Release") deviceRelease = i;
        if (!IsRelease(calls()[i])) continue;
        EXPECT_EQ(deviceRelease, std::string::npos) << calls()[i].name << " after the device's Release";
        const auto owner = owners.find(calls()[i].p(0));
        ASSERT_NE(owner, owners.end()) << calls()[i].name << " of a resource start-up did not make";
        if (released.empty() || released.back() != owner->second) released.push_back(owner->second);
    }
    EXPECT_EQ(released, order);
    EXPECT_EQ(deviceRelease, calls().size() - 1);
    EXPECT_EQ(run.device()->liveResourceCount(), 0u);
    EXPECT_EQ(run.plugin().events, (std::vector<std::string>{"doLoad", "getRenderDevice", "doUnload"}));
    EXPECT_EQ(run.plugin().devicesLiveAtUnload, 0u);
    EXPECT_EQ(run.plugin().resourcesLiveAtUnload, 0u);
    for (const void* global : {static_cast<const void*>(gShaderRenderer), static_cast<const void*>(gOverlay),
                               static_cast<const void*>(gTextures), static_cast<const void*>(gDevice),
                               static_cast<const void*>(gInput), static_cast<const void*>(gCamera),
                               static_cast<const void*>(gFrameTimer), static_cast<const void*>(gClips)}) {
        EXPECT_EQ(global, nullptr);
    }
}

// A new size of the window's drawable makes the device's back buffer anew
// at that size and places the picture in it; when the device cannot, the
// picture stays where it was (the device scales what it has).
TEST(PlayerResizeTest, ANewDrawableSizeRemakesTheBackBufferAndMovesThePicture) {
    kaPlayerRun run;
    ASSERT_EQ(run.Start(), 1);
    struct Case {
        int width, height;
        int answer;
        kaViewport picture;
    };
    const Case cases[] = {
        {1920, 1080, KA_OK, {240, 0, 1440, 1080}},
        {1000, 500, KA_OK, {167, 0, 666, 500}},
        {640, 480, KA_ERR_UNSUPPORTED, {167, 0, 666, 500}},
        {800, 600, KA_OK, {0, 0, 800, 600}},
    };
    for (const Case& c : cases) {
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        run.plugin().resizeResult = c.answer;
        gApp.OnResize(c.width, c.height);
        EXPECT_EQ(run.plugin().events.back(), "resizeBackBuffer " + size);
        const kaViewport& picture = gPictureRect.picture;
        EXPECT_EQ(std::vector<uint32_t>({picture.x, picture.y, picture.width, picture.height}),
                  std::vector<uint32_t>({c.picture.x, c.picture.y, c.picture.width,
                                         c.picture.height}))
            << size;
    }
    run.Finish();
}

}  // namespace
