#include "kaPlayerRun.h"

#include <SDL.h>

#include <filesystem>
#include <stdexcept>

#include "Globals.h"
#include "Startup.h"
#include "kaApplication.h"
#include "kaClipClock.h"
#include "kaLogFile.h"
#include "kaPlayerOptions.h"
#include "kaSound.h"
#include "kaTimer.h"
#include "kaWindowEvents.h"

namespace fs = std::filesystem;

namespace {

// The frames presented so far: the Flips of the module's first device,
// counted on from where the previous reading stopped.
const kaRecordingPlugin* sPlugin = nullptr;
size_t sCallsSeen = 0;
int64_t sFrames = 0;

int64_t Frames() {
    if (sPlugin == nullptr || sPlugin->devices.empty()) return sFrames;
    const std::vector<kaDeviceCall>& calls = sPlugin->devices.front()->calls();
    for (; sCallsSeen < calls.size(); ++sCallsSeen) {
        if (calls[sCallsSeen].name == "Flip") ++sFrames;
    }
    return sFrames;
}

int64_t FramesPerSecond() { return kaPlayerRun::kFramesPerSecond; }
uint32_t FrameMilliseconds() {
    return static_cast<uint32_t>(Frames() * 1000 / kaPlayerRun::kFramesPerSecond);
}

const kaCounterSource kFrameCounter{FramesPerSecond, Frames};

std::string WindowTitle() {
    auto* window = static_cast<SDL_Window*>(gApp.getWindow());
    return window != nullptr ? SDL_GetWindowTitle(window) : "";
}

}  // namespace

kaPlayerRun::kaPlayerRun()
    : mPrevious(fs::current_path().string()),
      mPreviousPluginFile(gRenderPluginFile),
      mPluginFile(VX_RECORDING_PLUGIN) {
    UseHeadlessDisplay();
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) throw std::runtime_error(SDL_GetError());
    for (const auto& entry : fs::recursive_directory_iterator(VX_MEDIA_ROOT "/xMedia")) {
        const fs::path relative = fs::relative(entry.path(), VX_MEDIA_ROOT);
        if (entry.is_directory()) fs::create_directories(mDir.file(relative.string()));
        if (entry.is_regular_file()) fs::create_symlink(entry.path(), mDir.file(relative.string()));
    }
    fs::create_directories(mDir.file("bin"));
    fs::current_path(mDir.file("bin"));

    if (!mModule.Open(VX_RECORDING_PLUGIN)) throw std::runtime_error("no recording module");
    auto getPlugin = reinterpret_cast<kaGetRecordingPluginFn>(mModule.Symbol("getRecordingPlugin"));
    mPlugin = getPlugin();
    mPlugin->Reset();

    sPlugin = mPlugin;
    sCallsSeen = 0;
    sFrames = 0;
    kaCounterSource::SetProgram(kFrameCounter);
    kaSoundSetCounterSource(kFrameCounter);
    gClipClock.setCounter(FrameMilliseconds);
}

kaPlayerRun::~kaPlayerRun() {
    gRenderPluginFile = mPreviousPluginFile;
    kaCounterSource::SetProgram(kaCounterSource::Platform());
    kaSoundSetCounterSource(kaCounterSource::Platform());
    gClipClock.setCounter(kaClipClock::PlatformCounter);
    mPlugin->Reset();
    sPlugin = nullptr;
    mModule.Close();
    fs::current_path(mPrevious);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    UseHeadlessDisplay();
}

void kaPlayerRun::Remove(const std::string& file) { fs::remove(mDir.file("xMedia/" + file)); }

void kaPlayerRun::Replace(const std::string& file, const std::string& bytes) {
    Remove(file);
    mDir.write("xMedia/" + file, bytes);
}

std::string kaPlayerRun::Original(const std::string& file) {
    return kaTempDir::read(VX_MEDIA_ROOT "/xMedia/" + file);
}

void kaPlayerRun::BreakDisplay() { SDL_SetHint(SDL_HINT_VIDEODRIVER, "no-such-display"); }

// The quit event waits in the queue from before start-up: the message loop
// takes it before it draws a frame.
void kaPlayerRun::Prepare() {
    gRenderPluginFile = mPluginFile.c_str();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    PostQuit();
}

int kaPlayerRun::Play() {
    Prepare();
    const int result = PlayDemo(kaPlayerOptions{});
    Exit();
    return result;
}

int kaPlayerRun::Start() {
    Prepare();
    return Startup();
}

void kaPlayerRun::Finish() {
    gApp.Run();
    Shutdown();
    Exit();
}

// As the program's exit handlers leave it.
void kaPlayerRun::Exit() {
    mTitle = WindowTitle();
    gLog.Close();
    gApp.Destroy();
}

std::string kaPlayerRun::log() const { return kaTempDir::read(mDir.file("bin/Vessamorix.log")); }

const kaRecordingDevice* kaPlayerRun::device() const {
    return mPlugin->devices.empty() ? nullptr : mPlugin->devices.front().get();
}
