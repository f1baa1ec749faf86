#pragma once

#include <string>

#include "kaModule.h"
#include "kaRecordingMessageBoxes.h"
#include "kaRecordingPlugin.h"
#include "kaTempDir.h"

// One run of the player's own PlayDemo, natively: the render device is the
// recording device loaded as a plug-in module, message boxes are recorded,
// the media tree is the build's generated one (linked into a folder of the
// run's own, where single files can be left out or replaced), and every
// counter steps on at each reading, so that the closing pictures' seconds
// pass at once.  The window is closed before the first demo frame: the
// scenes keep state from one run to the next, so only start-up, the message
// loop's quit and shutdown are run here.
//
// Every clock of the program (the timers, the music, the clip clock) runs on
// the presented frames: each Flip on the device moves it on by 1/64 s, so a
// closing picture lasts its number of frames / 64 s.
class kaPlayerRun {
public:
    static constexpr int kFramesPerSecond = 8;

    kaPlayerRun();
    ~kaPlayerRun();
    kaPlayerRun(const kaPlayerRun&) = delete;
    kaPlayerRun& operator=(const kaPlayerRun&) = delete;

    // ---- Before Play ----
    // Media files are named under xMedia ("xImages/intro.jpg").
    void Remove(const std::string& file);
    void Replace(const std::string& file, const std::string& bytes);
    // The generated file's bytes.
    static std::string Original(const std::string& file);
    // The render module the player loads (the recording module by default).
    void setPluginFile(const std::string& path) { mPluginFile = path; }
    // Makes the display unusable: SDL cannot start its video.
    void BreakDisplay();
    kaRecordingPlugin& plugin() { return *mPlugin; }

    // PlayDemo's answer; afterwards the log is closed and the window
    // destroyed, as the program's exit handlers do.
    int Play();
    // The same in its steps, for a look at the player in between: Startup's
    // answer, then the message loop, Shutdown and the exit handlers.
    int Start();
    void Finish();

    // ---- After Play ----
    std::string log() const;
    // The window's title when the program ended ("" without a window).
    const std::string& title() const { return mTitle; }
    const kaRecordingMessageBoxes& boxes() const { return mBoxes; }
    // The device the module handed out, or null.
    const kaRecordingDevice* device() const;

private:
    void Prepare();
    void Exit();

    kaTempDir mDir;
    std::string mPrevious;
    const char* mPreviousPluginFile;
    kaModule mModule;
    kaRecordingPlugin* mPlugin = nullptr;
    std::string mPluginFile;
    std::string mTitle;
    kaRecordingMessageBoxes mBoxes;
};
