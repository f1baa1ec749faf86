#pragma once

#include <cstdint>

class kaFrameRecorder;

// Where the demo's schedule falls in a recording on the frame clock: frame n
// shows the music position n x 1000 / fps milliseconds, rounded down, so the
// frame numbers follow from the scenes' own windows and the demo's own end.
class kaCaptureSchedule {
public:
    // The frame of a scene (1..23) that the contact sheet shows.
    static int64_t SceneStillFrame(unsigned scene, unsigned fps);
    // Frames the demo draws before its music clock ends it.
    static int64_t DemoFrames(unsigned fps);
    // The demo and both closing pictures (the closing pictures counted as
    // their nominal length).
    static int64_t ExpectedFrames(unsigned fps);

    // The contact sheet: the middle frame of every scene's window ...
    static void AddSceneStills(kaFrameRecorder& recorder, unsigned fps);
    // ... and of both closing pictures, the first of which begins at frame
    // `outroStart`.
    static void AddClosingStills(kaFrameRecorder& recorder, int64_t outroStart, unsigned fps);
};
