#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "DemoFrame.h"
#include "DemoGlobals.h"
#include "OutroPictures.h"
#include "Scenes.h"
#include "kaCaptureOptions.h"
#include "kaCaptureSchedule.h"
#include "kaClipClock.h"
#include "kaDemoWorld.h"
#include "kaFastForward.h"
#include "kaFrameClock.h"
#include "kaFrameRecorder.h"
#include "kaFrameWriter.h"
#include "kaMusic.h"
#include "kaOggTone.h"
#include "Startup.h"
#include "kaOutputRequest.h"
#include "kaPlayback.h"
#include "kaPlayerOptions.h"
#include "kaRecordingIndexBuffer.h"
#include "kaRecordingPixelShader.h"
#include "kaRecordingTexture.h"
#include "kaRecordingVertexBuffer.h"
#include "kaRecordingVertexShader.h"
#include "kaSound.h"
#include "kaTempDir.h"
#include "kaTexture.h"
#include "kaTimer.h"

namespace {

std::string Silence(int seconds) {
    return EncodeOgg(1, 8000, 8000 * seconds, [](int, int) { return 0.0f; });
}

// The sound system, the clip clock and a frame timer on the frame clock,
// put back on the platform's counters afterwards.
struct OnFrameClock {
    explicit OnFrameClock(unsigned fps) {
        kaFrameClock::Start(fps);
        kaSoundSetCounterSource(kaFrameClock::Counter());
    }
    ~OnFrameClock() {
        kaSoundSetCounterSource(kaCounterSource::Platform());
        gClipClock.setCounter(kaClipClock::PlatformCounter);
        gClipClock.Reset();
    }
    void ClipClockToo() {
        gClipClock.setCounter(kaFrameClock::Milliseconds);
        gClipClock.SetRate(1.0f);
        gClipClock.Reset();
    }
};

// Frame n is n/fps seconds for every clock the player reads, from one common
// start, with no drift however long the recording (an hour here).
TEST(FrameClockTest, EveryClockOfThePlayerReadsFrameNAsNOverTheFrameRate) {
    OnFrameClock clocks(60);
    clocks.ClipClockToo();
    ASSERT_EQ(FSOUND_Init(44100, 16, 0), 1);
    const std::string music = Silence(2);
    FSOUND_STREAM* stream =
        FSOUND_Stream_OpenFile(music.data(), FSOUND_LOADMEMORY, static_cast<int>(music.size()));
    ASSERT_NE(stream, nullptr);
    kaTimer timer(kaFrameClock::Counter());
    timer.Start();
    FSOUND_Stream_Play(FSOUND_FREE, stream);
    const int64_t expectedMs[] = {0, 16, 33, 50, 66, 83, 100};
    for (int64_t frame = 0; frame <= 6; ++frame) {
        EXPECT_EQ(FSOUND_Stream_GetTime(stream), expectedMs[frame]) << "frame " << frame;
        EXPECT_EQ(gClipClock.Now(), float(expectedMs[frame])) << "frame " << frame;
        timer.Tick();
        if (frame > 0) {
            EXPECT_EQ(timer.getFrameDelta(), 1.0f / 60) << "frame " << frame;
        }
        kaFrameClock::Advance();
    }
    EXPECT_NEAR(timer.Elapsed(), 7.0 / 60, 1e-6);
    for (int i = 0; i < 60 * 3600 - 7; ++i) kaFrameClock::Advance();
    EXPECT_EQ(kaFrameClock::Milliseconds(), 3600000u);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 2000) << "held at the music's end";
    FSOUND_Close();
}

TEST(CaptureOptionsTest, ReadsEveryOptionAndRefusesWhatIsWrongWithAReason) {
    kaCaptureOptions options;
    const char* all[] = {"--fps", "25", "--frames", "-", "--start", "16.5", "--duration", "1.5",
                         "--part", "2/3", "--stills", "sheet", "--quiet", "--size", "1920x1080",
                         "--msaa", "4"};
    ASSERT_EQ(options.Parse(17, all), "");
    EXPECT_EQ(options.output.width, 1920);
    EXPECT_EQ(options.output.height, 1080);
    EXPECT_EQ(options.output.multiSampleType, 4u);
    EXPECT_EQ(options.fps, 25u);
    EXPECT_EQ(options.frames, "-");
    EXPECT_EQ(options.stills, "sheet");
    EXPECT_EQ(options.start, 16.5);
    EXPECT_EQ(options.duration, 1.5);
    EXPECT_EQ(options.part, 2u);
    EXPECT_EQ(options.parts, 3u);
    EXPECT_FALSE(options.progress);

    struct Case {
        std::vector<const char*> args;
        const char* reason;
    };
    const Case wrong[] = {
        {{"--fps", "0", "--frames", "-"}, "--fps takes a whole number from 1 to 240, not '0'"},
        {{"--fps", "241", "--frames", "-"}, "--fps takes a whole number from 1 to 240, not '241'"},
        {{"--fps", "30.5", "--frames", "-"}, "--fps takes a whole number from 1 to 240, not '30.5'"},
        {{"--fps", "-5", "--frames", "-"}, "--fps takes a whole number from 1 to 240, not '-5'"},
        {{"--frames", "-", "--start", "-1"}, "--start takes seconds from 0 on, not '-1'"},
        {{"--frames", "-", "--duration", "0"}, "--duration takes a number of seconds above 0, not '0'"},
        {{"--frames", "-", "--duration", "nan"}, "--duration takes a number of seconds above 0, not 'nan'"},
        {{"--frames"}, "--frames needs a value"},
        {{"--frames", "-", "--part", "0/2"}, "--part takes K/N, part K of N from 1 to N, N at most 256, not '0/2'"},
        {{"--frames", "-", "--part", "3/2"}, "--part takes K/N, part K of N from 1 to N, N at most 256, not '3/2'"},
        {{"--frames", "-", "--part", "1/257"}, "--part takes K/N, part K of N from 1 to N, N at most 256, not '1/257'"},
        {{"--frames", "-", "--part", "2"}, "--part takes K/N, part K of N from 1 to N, N at most 256, not '2'"},
        {{"--frames", "-", "--part", "/2"}, "--part takes K/N, part K of N from 1 to N, N at most 256, not '/2'"},
        {{"--fps", "30"}, "--frames is missing (a file, or - for standard output)"},
        {{"--frames", "-", "--scale", "2"}, "unknown argument '--scale'"},
        {{"--frames", "-", "--size", "0x600"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '0x600'"},
        {{"--frames", "-", "--size", "800x15"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '800x15'"},
        {{"--frames", "-", "--size", "8193x600"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '8193x600'"},
        {{"--frames", "-", "--size", "800x"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '800x'"},
        {{"--frames", "-", "--size", "800X600"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '800X600'"},
        {{"--frames", "-", "--size", "800x600x2"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '800x600x2'"},
        {{"--frames", "-", "--size", "-800x600"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '-800x600'"},
        {{"--frames", "-", "--size", "99999999999999999999x1"}, "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '99999999999999999999x1'"},
        {{"--frames", "-", "--msaa", "3"}, "--msaa takes 0, 2, 4 or 8 samples, not '3'"},
        {{"--frames", "-", "--msaa", "16"}, "--msaa takes 0, 2, 4 or 8 samples, not '16'"},
        {{"--frames", "-", "--msaa"}, "--msaa needs a value"},
    };
    for (const Case& c : wrong) {
        kaCaptureOptions fresh;
        EXPECT_EQ(fresh.Parse(static_cast<int>(c.args.size()), c.args.data()), c.reason);
    }
    kaCaptureOptions picturesOnly;
    const char* stills[] = {"--stills", "sheet"};
    EXPECT_EQ(picturesOnly.Parse(2, stills), "") << "pictures need no frame output";
    EXPECT_EQ(picturesOnly.output.width, 800) << "the demo's own size unless asked";
    EXPECT_EQ(picturesOnly.output.height, 600);
    EXPECT_EQ(picturesOnly.output.multiSampleType, 0u);
}

// The players' command line: a start time within the demo, the window, the
// size, the samples per pixel, vsync, the frame-rate limit and the loop;
// nothing given keeps every default.
TEST(PlayerOptionsTest, ReadsEveryOption) {
    struct Case {
        std::vector<const char*> args;
        double start;
        bool windowed, sized;
        int width, height;
        unsigned msaa;
        bool vsync, help;
        bool loop = false;
        unsigned maxFps = 0;
    };
    const Case cases[] = {
        {{}, 0, false, false, 800, 600, 0, true, false},
        {{"--start", "100"}, 100, false, false, 800, 600, 0, true, false},
        {{"--start", "0.5", "--windowed"}, 0.5, true, false, 800, 600, 0, true, false},
        {{"--size", "1920x1080", "--msaa", "4", "--no-vsync"}, 0, false, true, 1920, 1080, 4, false, false},
        {{"--windowed", "--size", "16x8192", "--msaa", "8"}, 0, true, true, 16, 8192, 8, true, false},
        {{"--msaa", "2"}, 0, false, false, 800, 600, 2, true, false},
        {{"--msaa", "0"}, 0, false, false, 800, 600, 0, true, false},
        {{"--help"}, 0, false, false, 800, 600, 0, true, true},
        {{"--loop", "--start", "20"}, 20, false, false, 800, 600, 0, true, false, true},
        {{"--start", "20", "--loop", "--windowed"}, 20, true, false, 800, 600, 0, true, false, true},
        {{"--max-fps", "10", "--loop"}, 0, false, false, 800, 600, 0, true, false, true, 10},
        {{"--no-vsync", "--max-fps", "1000"}, 0, false, false, 800, 600, 0, false, false, false, 1000},
        {{"--max-fps", "1"}, 0, false, false, 800, 600, 0, true, false, false, 1},
    };
    for (const Case& c : cases) {
        kaPlayerOptions options;
        const std::string line = ::testing::PrintToString(c.args);
        ASSERT_EQ(options.Parse(static_cast<int>(c.args.size()), c.args.data()), "") << line;
        EXPECT_EQ(options.start, c.start) << line;
        EXPECT_EQ(options.windowed, c.windowed) << line;
        EXPECT_EQ(options.sized, c.sized) << line;
        EXPECT_EQ(options.output.width, c.width) << line;
        EXPECT_EQ(options.output.height, c.height) << line;
        EXPECT_EQ(options.output.multiSampleType, c.msaa) << line;
        EXPECT_EQ(options.vsync, c.vsync) << line;
        EXPECT_EQ(options.help, c.help) << line;
        EXPECT_EQ(options.loop, c.loop) << line;
        EXPECT_EQ(options.maxFps, c.maxFps) << line;
    }
}

// Each wrong value is refused with the reason and the value as given.
TEST(PlayerOptionsTest, RefusesWhatIsWrongWithAReason) {
    const std::string start = "--start takes seconds from 0 to before the demo's end at 117.7, not '";
    const std::string size = "--size takes WIDTHxHEIGHT, each from 16 to 8192, not '";
    const std::string msaa = "--msaa takes 0, 2, 4 or 8 samples, not '";
    const std::string maxFps = "--max-fps takes whole frames a second from 1 to 1000, not '";
    struct Case {
        std::vector<const char*> args;
        std::string reason;
    };
    const Case cases[] = {
        {{"--start", "-1"}, start + "-1'"},
        {{"--start", "117.7"}, start + "117.7'"},
        {{"--start", "1s"}, start + "1s'"},
        {{"--start", "inf"}, start + "inf'"},
        {{"--start"}, "--start needs a value"},
        {{"--size", "800"}, size + "800'"},
        {{"--size", "15x600"}, size + "15x600'"},
        {{"--size", "800x8193"}, size + "800x8193'"},
        {{"--size", "-800x600"}, size + "-800x600'"},
        {{"--size", "800x600x2"}, size + "800x600x2'"},
        {{"--size", "x600"}, size + "x600'"},
        {{"--windowed", "--size"}, "--size needs a value"},
        {{"--msaa", "1"}, msaa + "1'"},
        {{"--msaa", "3"}, msaa + "3'"},
        {{"--msaa", "16"}, msaa + "16'"},
        {{"--msaa", "-2"}, msaa + "-2'"},
        {{"--msaa", "four"}, msaa + "four'"},
        {{"--msaa"}, "--msaa needs a value"},
        {{"--vsync"}, "unknown argument '--vsync'"},
        {{"--loops"}, "unknown argument '--loops'"},
        {{"--loop", "--start"}, "--start needs a value"},
        {{"--max-fps", "0"}, maxFps + "0'"},
        {{"--max-fps", "1001"}, maxFps + "1001'"},
        {{"--max-fps", "30.5"}, maxFps + "30.5'"},
        {{"--max-fps", "99999999999999999999"}, maxFps + "99999999999999999999'"},
        {{"--max-fps", ""}, maxFps + "'"},
        {{"--max-fps"}, "--max-fps needs a value"},
    };
    for (const Case& c : cases) {
        kaPlayerOptions options;
        EXPECT_EQ(options.Parse(static_cast<int>(c.args.size()), c.args.data()), c.reason);
    }
}

// What the Windows player asks of its window and device for each command
// line, and the back buffer that follows from the client area it got.
TEST(PlayerOptionsTest, TheWindowsPlayersOutputAndBackBufferFollowItsDisplayOptions) {
    struct Case {
        std::vector<const char*> args;
        bool windowed;
        int width, height;  // the window; 0 x 0 for the desktop in its own mode
        unsigned msaa;
        bool vsync;
        int clientWidth, clientHeight, backWidth, backHeight;
    };
    const Case cases[] = {
        // Nothing, or only a start: the 800x600 mode as always, no vsync.
        {{}, false, 800, 600, 0, false, 800, 600, 800, 600},
        {{"--start", "50"}, false, 800, 600, 0, false, 800, 600, 800, 600},
        // The mode refused and a window taken instead: still the client's size.
        {{}, false, 800, 600, 0, false, 640, 480, 640, 480},
        {{"--windowed"}, true, 800, 600, 0, true, 800, 600, 800, 600},
        {{"--windowed", "--size", "1024x768", "--no-vsync"}, true, 1024, 768, 0, false, 1024, 768,
         1024, 768},
        {{"--windowed", "--size", "1000x500", "--msaa", "4"}, true, 1000, 500, 4, true, 1000, 500,
         1000, 500},
        // Over the desktop at its pixels.
        {{"--msaa", "8"}, false, 0, 0, 8, true, 1920, 1080, 1920, 1080},
        {{"--no-vsync"}, false, 0, 0, 0, false, 2560, 1600, 2560, 1600},
        // At a render size widened or heightened to the screen's shape.
        {{"--size", "1024x768"}, false, 0, 0, 0, true, 1920, 1080, 1365, 768},
        {{"--size", "1920x1080"}, false, 0, 0, 0, true, 1280, 1024, 1920, 1536},
        {{"--size", "1600x1200"}, false, 0, 0, 0, true, 1024, 768, 1600, 1200},
    };
    for (const Case& c : cases) {
        kaPlayerOptions options;
        const std::string line = ::testing::PrintToString(c.args);
        ASSERT_EQ(options.Parse(static_cast<int>(c.args.size()), c.args.data()), "") << line;
        const kaOutputRequest request = kaOutputRequest::ForWindowsPlayer(options);
        EXPECT_EQ(request.windowed, c.windowed) << line;
        EXPECT_EQ(request.width, c.width) << line;
        EXPECT_EQ(request.height, c.height) << line;
        EXPECT_EQ(request.multiSampleType, c.msaa) << line;
        EXPECT_EQ(request.vsync, c.vsync) << line;
        int width = 0, height = 0;
        request.BackBufferSize(c.clientWidth, c.clientHeight, &width, &height);
        EXPECT_EQ(width, c.backWidth) << line << " in " << c.clientWidth << "x" << c.clientHeight;
        EXPECT_EQ(height, c.backHeight) << line << " in " << c.clientWidth << "x" << c.clientHeight;
    }
}

// A stream set to start later reads that position plus the time played; it
// cannot be moved while it plays or past the track's end.
TEST(FrameClockTest, AStreamSetToStartLaterPlaysOnFromThere) {
    OnFrameClock clocks(10);
    ASSERT_EQ(FSOUND_Init(44100, 16, 0), 1);
    const std::string music = Silence(2);
    FSOUND_STREAM* stream =
        FSOUND_Stream_OpenFile(music.data(), FSOUND_LOADMEMORY, static_cast<int>(music.size()));
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(FSOUND_Stream_SetTime(stream, 2001), 0) << "past the end";
    EXPECT_EQ(FSOUND_Stream_SetTime(stream, 1500), 1);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 0) << "not playing yet";
    FSOUND_Stream_Play(FSOUND_FREE, stream);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 1500);
    kaFrameClock::Advance();
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 1600);
    EXPECT_EQ(FSOUND_Stream_SetTime(stream, 0), 0) << "while playing";
    for (int i = 0; i < 10; ++i) kaFrameClock::Advance();
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 2000) << "held at the music's end";
    FSOUND_Close();
}

// Only the chosen window of frames is streamed, byte for byte; a contact
// sheet picture is kept wherever it falls, as a PPM with its label indexed;
// an output that cannot be written is reported, not crashed on.
TEST(FrameRecorderTest, StreamsTheWindowKeepsThePicturesAndReportsFailures) {
    kaTempDir dir;
    kaCaptureOptions options;
    options.fps = 10;
    options.start = 0.2;
    options.duration = 0.3;
    options.progress = false;
    options.frames = dir.file("frames.raw");
    options.stills = dir.file("");
    kaFrameRecorder recorder(options, 2, 1);
    ASSERT_TRUE(recorder.Open()) << recorder.getError();
    recorder.AddStill(7, "Scene 01 - 0.70 s");
    for (int64_t frame = 0; frame < 10; ++frame) {
        const unsigned char pixels[8] = {uint8_t(frame), 1, 2, 255, 10, 20, 30, 255};
        EXPECT_EQ(recorder.Wants(frame), (frame >= 2 && frame < 5) || frame == 7) << frame;
        if (recorder.Wants(frame)) {
            ASSERT_TRUE(recorder.Record(frame, pixels)) << recorder.getError();
        }
    }
    // The closing pictures' stills are added once the demo has ended: a run
    // that keeps pictures goes on to them, past its window and the scenes'.
    EXPECT_FALSE(recorder.isDone(10));
    ASSERT_TRUE(recorder.Close()) << recorder.getError();
    EXPECT_EQ(recorder.getWritten(), 3);
    EXPECT_EQ(kaTempDir::read(options.frames),
              std::string("\x02\x01\x02\xff\x0a\x14\x1e\xff\x03\x01\x02\xff\x0a\x14\x1e\xff"
                          "\x04\x01\x02\xff\x0a\x14\x1e\xff", 24));
    EXPECT_EQ(kaTempDir::read(dir.file("01.ppm")), std::string("P6\n2 1\n255\n\x02\x01\x07\x1e\x14\x0a", 17));
    EXPECT_EQ(kaTempDir::read(dir.file("index.txt")), "01.ppm\tScene 01 - 0.70 s\n");

    // Without pictures the run is done with its window.
    kaCaptureOptions excerptOnly = options;
    excerptOnly.stills.clear();
    kaFrameRecorder excerpt(excerptOnly, 2, 1);
    EXPECT_FALSE(excerpt.isDone(4));
    EXPECT_TRUE(excerpt.isDone(5));

    // Pictures only: nothing is streamed.
    options.frames.clear();
    kaFrameRecorder picturesOnly(options, 2, 1);
    ASSERT_TRUE(picturesOnly.Open()) << picturesOnly.getError();
    picturesOnly.AddStill(3, "Scene 01 - 0.30 s");
    EXPECT_FALSE(picturesOnly.Wants(2));
    EXPECT_TRUE(picturesOnly.Wants(3));
    EXPECT_FALSE(picturesOnly.isDone(4));
    const unsigned char pixels[8] = {1, 2, 3, 255, 4, 5, 6, 255};
    ASSERT_TRUE(picturesOnly.Record(3, pixels)) << picturesOnly.getError();
    EXPECT_FALSE(picturesOnly.isDone(100000));
    ASSERT_TRUE(picturesOnly.Close()) << picturesOnly.getError();
    EXPECT_EQ(picturesOnly.getWritten(), 0);
    EXPECT_EQ(kaTempDir::read(dir.file("index.txt")), "01.ppm\tScene 01 - 0.30 s\n");

    options.frames = dir.file("no such folder/frames.raw");
    kaFrameRecorder unwritable(options, 2, 1);
    EXPECT_FALSE(unwritable.Open());
    EXPECT_EQ(unwritable.getError().rfind("cannot write frames to " + options.frames + ": ", 0), 0u)
        << unwritable.getError();
}

// N parts of a window write it whole between them, each frame once, each
// picture by the part it falls in; every part but the last ends with its
// window, the last where the whole window ends.
TEST(FrameRecorderTest, PartsSplitTheWindowAtWholeFramesAndKeepTheirOwnPictures) {
    struct Case {
        double start, duration;  // duration < 0: to the end of a 10-frame film
        unsigned parts;
        std::vector<int64_t> firsts;  // each part's first frame, then the window's end
    };
    const Case cases[] = {
        {0, -1, 3, {0, 3, 6, 10}},
        {0.2, 0.3, 2, {2, 3, 5}},
        {0.2, 0.3, 3, {2, 3, 4, 5}},
        {0, -1, 1, {0, 10}},
        {0.2, 0.3, 1, {2, 5}},
        {0.9, -1, 4, {9, 9, 9, 9, 10}},
    };
    kaTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " s, " + std::to_string(c.parts) + " parts");
        std::vector<int> writtenBy(12, 0);
        for (unsigned part = 1; part <= c.parts; ++part) {
            kaCaptureOptions options;
            options.fps = 10;
            options.start = c.start;
            options.duration = c.duration;
            options.part = part;
            options.parts = c.parts;
            options.progress = false;
            options.frames = dir.file("part.raw");
            options.stills = dir.file("");
            kaFrameRecorder recorder(options, 1, 1);
            recorder.setExpectedFrames(10);
            recorder.AddStill(4, "Scene 01");
            const int64_t first = c.firsts[part - 1], end = c.firsts[part];
            for (int64_t frame = 0; frame < 12; ++frame) {
                const bool toTheEnd = part == c.parts && c.duration < 0;
                const bool mine = frame >= first && (frame < end || toTheEnd);
                EXPECT_EQ(recorder.Wants(frame), mine) << frame;
                writtenBy[size_t(frame)] += mine ? 1 : 0;
            }
            const bool endsWithWindow = part < c.parts || c.duration >= 0;
            EXPECT_EQ(recorder.isDone(end), endsWithWindow) << "part " << part;
            EXPECT_FALSE(recorder.isDone(end - 1)) << "part " << part;
        }
        for (int64_t frame = 0; frame < 10; ++frame) {
            EXPECT_EQ(writtenBy[size_t(frame)], frame >= c.firsts.front() && frame < c.firsts.back())
                << "frame " << frame;
        }
    }
}

// Frames reach the sink in order on the writer's own thread: while the sink
// stalls, the caller queues as many frames as the writer has buffers without
// waiting; a sink that fails ends the writing, and the close says why.  A
// failure may come while the caller copies its next frame, so the failing
// cases run many times: that frame must not be written after the failure.
TEST(FrameWriterTest, QueuesPastAStalledSinkKeepsTheOrderAndReportsAFailure) {
    struct Case {
        unsigned depth;
        int failAt;  // the frame the sink refuses, or -1
        int runs;
    };
    for (const Case& c : {Case{1, -1, 1}, Case{3, -1, 1}, Case{8, -1, 1}, Case{3, 0, 100},
                          Case{3, 5, 500}}) {
        for (int run = 0; run < c.runs; ++run) {
            SCOPED_TRACE("depth " + std::to_string(c.depth) + ", failing at " +
                         std::to_string(c.failAt));
            std::mutex mutex;
            std::condition_variable released;
            bool open = false;
            std::string seen;
            int handed = 0;
            kaFrameWriter writer(
                [&](const unsigned char* frame, size_t bytes) {
                    std::unique_lock<std::mutex> lock(mutex);
                    released.wait(lock, [&] { return open; });
                    if (handed++ == c.failAt) return std::string("disk full");
                    seen.append(reinterpret_cast<const char*>(frame), bytes);
                    return std::string();
                },
                3, c.depth);
            std::string expected;
            int written = 0;
            for (int i = 0; i < 12; ++i) {
                if (i == int(c.depth)) {
                    std::lock_guard<std::mutex> lock(mutex);
                    EXPECT_EQ(handed, 0) << "the sink ran before it was released";
                    open = true;
                    released.notify_all();
                }
                const unsigned char frame[3] = {uint8_t(i), uint8_t(i * 2), uint8_t(255 - i)};
                if (!writer.Write(frame)) break;
                if (i < c.failAt || c.failAt < 0) expected.append(reinterpret_cast<const char*>(frame), 3);
                ++written;
            }
            EXPECT_EQ(writer.Close(), c.failAt < 0);
            EXPECT_EQ(seen, expected);
            if (c.failAt < 0) {
                EXPECT_EQ(written, 12);
            } else {
                EXPECT_EQ(writer.getError(), "disk full");
                EXPECT_GE(written, c.failAt + 1);
                const unsigned char frame[3] = {};
                EXPECT_FALSE(writer.Write(frame)) << "a frame taken after the failure";
            }
            if (HasFailure()) return;
        }
    }
}

// The whole demo on the frame clock, as the capture plays it: the music
// clock read every frame, the frame timer's delta, every presented frame
// stepping the clock.  Each scene's set-up frame (it draws nothing) and the
// demo's end fall on the frames the schedule gives at 30 frames a second.
// Every boundary B is the music position of frame 30 B; the demo time there
// is that position times the single-precision 0.001, rounded to single
// precision, which lands just past B for 7.3, 12.6, 18.7, 23.5, 25.2, 31.5,
// 50, 54.5, 82, 86, 90, 94, 100, 104, 108, 112 and 115.5 (that frame already
// sets up the next scene) and on B itself for the others (the next frame
// does).
TEST(CaptureScheduleTest, TheDemoOnTheFrameClockSetsUpEachSceneOnItsFrameAndEndsAt117Point7) {
    OnFrameClock clocks(30);
    kaDemoWorld world;
    clocks.ClipClockToo();
    StopMusic();
    FreeMusicData();
    world.media.put("xMusics/lost_in_space_remix.ogg", Silence(120));
    ASSERT_EQ(StartMusic(), 1);

    std::vector<int64_t> silent;
    int64_t presented = 0;
    gFramePresented = [] { kaFrameClock::Advance(); };
    kaTimer timer(kaFrameClock::Counter());
    timer.Start();
    float t = 0;
    for (;;) {
        timer.Tick();
        if (!DemoClock(FSOUND_Stream_GetTime(gMusicStream), &t)) break;
        world.device.clearCalls();
        DrawDemoFrame(timer.getFrameDelta(), t);
        if (world.device.draws().empty()) silent.push_back(kaFrameClock::getFrame() - 1);
        ++presented;
    }
    gFramePresented = nullptr;
    const std::vector<int64_t> setUps = {0,    219,  286,  378,  511,  561,  705,  756,
                                         945,  1021, 1201, 1500, 1635, 2341, 2460, 2580,
                                         2700, 2820, 3000, 3120, 3240, 3360, 3465};
    EXPECT_EQ(silent, setUps);
    EXPECT_EQ(presented, 3531);
    EXPECT_EQ(kaCaptureSchedule::DemoFrames(30), 3531);
    EXPECT_EQ(kaCaptureSchedule::DemoFrames(60), 7062);
    EXPECT_EQ(kaCaptureSchedule::ExpectedFrames(60), 7662);
    EXPECT_EQ(kaFrameClock::FirstFrameAt(17.6, 60), 1056);
}

// The contact sheet: the middle of each scene's window from the player's own
// schedule (Scene 1 from 0 s) or the frame right after a flash that covers it
// (Scene 10's middle is the end of a flash, Scene 11's inside one), and the
// middle of each closing picture after the demo's last frame.
TEST(CaptureScheduleTest, TheContactSheetTakesTheMiddleOfEveryWindowAwayFromFlashes) {
    kaTempDir dir;
    kaCaptureOptions options;
    options.frames = dir.file("frames.raw");
    options.stills = dir.file("");
    options.progress = false;
    kaFrameRecorder recorder(options, 1, 1);
    ASSERT_TRUE(recorder.Open());
    kaCaptureSchedule::AddSceneStills(recorder, 60);
    kaCaptureSchedule::AddClosingStills(recorder, 7062, 60);
    const unsigned char pixel[4] = {0, 0, 0, 255};
    for (int64_t frame = 0; frame < 7662; ++frame) ASSERT_TRUE(recorder.Record(frame, pixel));
    ASSERT_TRUE(recorder.Close());
    const std::string index = kaTempDir::read(dir.file("index.txt"));
    EXPECT_EQ(index.substr(0, 50), "01.ppm\tScene 01 - 3.65 s\n02.ppm\tScene 02 - 8.40 s\n");
    EXPECT_NE(index.find("\n10.ppm\tScene 10 - 37.02 s\n11.ppm\tScene 11 - 45.48 s\n"),
              std::string::npos)
        << index;
    EXPECT_EQ(index.substr(index.find("23.ppm")),
              "23.ppm\tScene 23 - 116.60 s\n24.ppm\tClosing picture 1 - 120.20 s\n"
              "25.ppm\tClosing picture 2 - 125.20 s\n");
}

// Each closing picture is shown until its timer has passed 5 s, tested after
// each frame: on the frame clock that is 5 s of video at 60 frames a second
// (1/60 rounds up in single precision); where 1/fps rounds down, as at 25,
// 5 s is reached exactly and one more frame is shown.
TEST(CaptureScheduleTest, EachClosingPictureLastsFiveSecondsOfVideo) {
    kaDemoWorld world;
    gFramePresented = [] { kaFrameClock::Advance(); };
    for (const unsigned fps : {60u, 25u}) {
        kaFrameClock::Start(fps);
        kaTimer timer(kaFrameClock::Counter());
        world.device.clearCalls();
        kaClosingPictures pictures(gTextures[0].texture, gTextures[1].texture, &timer,
                                   kClosingPictureSeconds);
        while (pictures.Frame()) {
        }
        EXPECT_EQ(world.device.count("Flip"), fps == 60 ? 600u : 252u) << fps << " frames a second";
        EXPECT_EQ(kaFrameClock::getFrame(), int64_t(world.device.count("Flip")));
    }
    gFramePresented = nullptr;
}


// ---- The fast forward ----

// The frame as the recording device saw it: every call, its arguments and
// the records they point to, and for every draw what was bound and set by
// then (vertex bytes, shaders, textures, stage and render states).  The
// device's resources are named by their kind and content (a texture's first
// level, an index buffer's indices, a shader's source; a vertex buffer by
// its size), so that two worlds that built
// the same resources in another order (models loaded again after a rewind)
// compare.
class FrameRecord {
public:
    explicit FrameRecord(const kaRecordingDevice& device) {
        for (const kaRecordingTexture* texture : device.liveTextures()) {
            const std::vector<uint8_t>& bytes = texture->levelBytes(0);
            Name(texture, "texture",
                 std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        }
        // The bytes a vertex buffer holds beyond what is drawn may differ
        // (a batch's earlier, longer contents); the draws show the bytes drawn.
        for (const kaRecordingVertexBuffer* buffer : device.liveVertexBuffers()) {
            Name(buffer, "vertex buffer", std::to_string(buffer->vertexCount()) + " of " +
                                              std::to_string(buffer->data().size()) + " bytes");
        }
        for (const kaRecordingIndexBuffer* buffer : device.liveIndexBuffers()) {
            const std::vector<uint16_t>& indices = buffer->indices();
            Name(buffer, "index buffer", std::string_view(reinterpret_cast<const char*>(indices.data()),
                                                          indices.size() * sizeof(uint16_t)));
        }
        for (const kaRecordingVertexShader* shader : device.liveVertexShaders()) {
            Name(shader, "vertex shader", shader->source());
        }
        for (const kaRecordingPixelShader* shader : device.livePixelShaders()) {
            Name(shader, "pixel shader", shader->source());
        }
    }

    std::string Of(const kaRecordingDevice& device) const {
        std::ostringstream out;
        for (const kaDeviceCall& call : device.calls()) {
            out << call.name;
            for (size_t i = 0; i < call.args.size(); ++i) {
                out << ' ' << (call.isAddress(i) ? Named(call.args[i]) : std::to_string(call.args[i]));
            }
            for (uint32_t value : call.values) out << ' ' << value;
            out << '\n';
        }
        for (const kaRecordingDevice::Draw& draw : device.draws()) {
            out << "draw " << draw.callIndex << ' ' << Named(draw.vertexBuffer) << ' '
                << Named(draw.indexBuffer) << ' ' << draw.vertexFormat << ' '
                << Named(draw.vertexShader) << ' ' << Named(draw.pixelShader);
            for (kaBaseTexture* texture : draw.textures) out << ' ' << Named(texture);
            for (uint8_t byte : draw.vertices.bytes) out << ' ' << int(byte);
            for (const auto& state : draw.stageStates) {
                out << " s" << state.first.first << '.' << state.first.second << '=' << state.second;
            }
            for (const auto& state : draw.renderStates) out << " r" << state.first << '=' << state.second;
            out << '\n';
        }
        return out.str();
    }

private:
    void Name(const void* resource, const char* kind, std::string_view content) {
        std::ostringstream name;
        name << kind << ':' << std::hex << std::hash<std::string_view>{}(content);
        mNames[reinterpret_cast<uintptr_t>(resource)] = name.str();
    }
    // A resource by its name; any other address (of a record whose words
    // follow as values, or of a variable to fill) as "@", as it differs from
    // run to run; null as 0.
    std::string Named(uint64_t address) const {
        const auto found = mNames.find(address);
        if (found != mNames.end()) return found->second;
        return address != 0 ? "@" : "0";
    }
    std::string Named(const void* pointer) const { return Named(reinterpret_cast<uintptr_t>(pointer)); }

    std::map<uint64_t, std::string> mNames;
};

// A demo world on the frame clock at 30 frames a second, from frame 0, with
// the scenes as before their first call and two minutes of music.
struct FreshDemo {
    static constexpr unsigned kFps = 30;

    FreshDemo() : clocks(kFps), timer(kaFrameClock::Counter()) {
        ResetScenes();
        clocks.ClipClockToo();
        StopMusic();
        FreeMusicData();
        world.media.put("xMusics/lost_in_space_remix.ogg", Music());
        EXPECT_EQ(StartMusic(), 1);
        timer.Start();
        gFrameTimer = &timer;
        gFramePresented = kaFrameClock::Advance;
    }
    ~FreshDemo() {
        gFramePresented = nullptr;
        gFrameTimer = nullptr;
        ResetScenes();
    }
    static const std::string& Music() {
        static const std::string music = Silence(120);
        return music;
    }
    // Plays drawn frames until `frame` is presented; its record (only that
    // frame's is made: a record names every resource and spells out every
    // vertex).
    std::string DrawTo(int64_t frame) {
        while (kaFrameClock::getFrame() < frame) Draw();
        const FrameRecord names(world.device);
        Draw();
        return names.Of(world.device);
    }
    void Draw() {
        world.device.clearCalls();
        EXPECT_EQ(PlayDemoFrame(), 1) << "frame " << kaFrameClock::getFrame();
    }

    OnFrameClock clocks;
    kaDemoWorld world;
    kaTimer timer;
};

// The frame reached by the fast forward is the frame reached by playing from
// the start, call for call and byte for byte, at times across every scene:
// the middle of each, a scene's set-up frame (which shows the frame before
// it), inside white flashes, inside cross-fades, the portrait that holds the
// character as the run before it left it, the frame after the first and the
// demo's last.  On the way the fast forward draws nothing.
TEST(FastForwardTest, TheFrameReachedWithoutDrawingIsTheFrameReachedByPlayingFromTheStart) {
    struct Moment {
        std::string what;
        double seconds;
    };
    std::vector<Moment> moments = {
        {"the frame after Scene 1's set-up", 1.0 / FreshDemo::kFps},
        {"Scene 12's set-up frame", 50.0},
        {"a white flash of Scene 5 rising", 17.4},
        {"a white flash of Scene 10 at its height", 37.58},
        {"Scene 3's cross-fade of 1.5 s", 10.2},
        {"Scene 16's cross-fade of 0.2 s", 86.1},
        {"Scene 9's portrait over the still character", 33.9},
        {"the demo's last frame", 117.66},
    };
    for (unsigned scene = 1; scene <= kSceneCount; ++scene) {
        moments.push_back({"the middle of Scene " + std::to_string(scene),
                           double(kaCaptureSchedule::SceneStillFrame(scene, FreshDemo::kFps)) / FreshDemo::kFps});
    }
    std::map<int64_t, std::string> played;
    for (const Moment& moment : moments) {
        played[kaFrameClock::FirstFrameAt(moment.seconds, FreshDemo::kFps)];
    }
    {
        FreshDemo fromStart;
        for (auto& frame : played) frame.second = fromStart.DrawTo(frame.first);
    }
    for (const Moment& moment : moments) {
        const int64_t frame = kaFrameClock::FirstFrameAt(moment.seconds, FreshDemo::kFps);
        FreshDemo demo;
        demo.world.device.clearCalls();
        EXPECT_TRUE(kaFastForward().PlayDemoTo(kaFastForward::SilentEnd(frame))) << moment.what;
        EXPECT_EQ(demo.world.device.draws().size(), 0u) << moment.what;
        EXPECT_EQ(demo.world.device.count("Flip") + demo.world.device.count("Clear"), 0u) << moment.what;
        EXPECT_EQ(kaFrameClock::getFrame(), kaFastForward::SilentEnd(frame)) << moment.what;
        const std::string record = demo.DrawTo(frame);
        EXPECT_NE(record.find("Flip"), std::string::npos) << moment.what;
        EXPECT_EQ(record, played[frame]) << moment.what << " (frame " << frame << ")";
    }
}

// ---- The playback ----

// A fresh demo whose frames are a playback's on the frame clock, as the
// player's are on real time, on a new device with the states start-up sets.
struct PlayedDemo : FreshDemo {
    PlayedDemo() { SetStartupRenderStates(); }

    static constexpr int64_t kMusicMs = 120000;  // the length of FreshDemo's music

    // The record of the playback's next frame.
    std::string Next() {
        const FrameRecord names(world.device);
        Step();
        return names.Of(world.device);
    }
    // The playback's next frame, unrecorded.
    void Step() {
        world.device.clearCalls();
        EXPECT_TRUE(playback.PlayFrame()) << "frame " << kaFrameClock::getFrame();
    }
    static int64_t MusicAt(int64_t frame) {
        return std::min(kaFrameClock::FrameMilliseconds(frame, kFps), kMusicMs);
    }

    kaPlayback playback{kaPlayback::Clock::FrameClock, false};
};

class PlaybackTest : public ::testing::Test {
protected:
    struct Moment {
        std::string what;
        double seconds;
        bool paused = false;  // seeked to while paused
    };

    // The moments seeked to, in this order: forwards and backwards, into the
    // closing pictures and back from them, across every scene (the middles
    // last, from the last scene back to the first, each seek a rewind), some
    // while paused.
    static std::vector<Moment> Moments() {
        std::vector<Moment> moments = {
            {"Scene 23 before the demo's end", 117.5},
            {"the closing pictures' start, paused", kDemoEnd, true},
            {"Scene 6's start, paused, back from the closing pictures", kaPlayback::MarkTime(5), true},
            {"the start, paused", 0.0, true},
            {"Scene 3's cross-fade of 1.5 s, after every model was freed", 10.2},
            {"a white flash of Scene 10 at its height, paused", 37.58, true},
            {"Scene 12's set-up frame", 50.0},
            {"the first closing picture", 119.0},
            {"a white flash of Scene 5 rising, back from the closing pictures", 17.4},
            {"the second closing picture", 124.0},
            {"Scene 16's cross-fade of 0.2 s, back from the closing pictures", 86.1},
            {"Scene 9's portrait over the still character", 33.9},
        };
        for (unsigned scene = kSceneCount; scene >= 1; --scene) {
            moments.push_back({"the middle of Scene " + std::to_string(scene),
                               double(kaCaptureSchedule::SceneStillFrame(scene, FreshDemo::kFps)) /
                                   FreshDemo::kFps});
        }
        moments.push_back({"the frame after the first", 1.0 / FreshDemo::kFps});
        return moments;
    }
    static int64_t FrameAt(double seconds) { return kaFrameClock::FirstFrameAt(seconds, FreshDemo::kFps); }

    // Each frame wanted and the one after it, as the playback shows them
    // played from the start without a key pressed.
    static void SetUpTestSuite() {
        for (const Moment& moment : Moments()) {
            sPlayed[FrameAt(moment.seconds)];
            sPlayed[FrameAt(moment.seconds) + 1];
        }
        PlayedDemo demo;
        while (kaFrameClock::getFrame() <= sPlayed.rbegin()->first) {
            const auto wanted = sPlayed.find(kaFrameClock::getFrame());
            if (wanted != sPlayed.end()) {
                wanted->second = demo.Next();
            } else {
                demo.Step();
            }
        }
    }
    static void TearDownTestSuite() { sPlayed.clear(); }

    static std::map<int64_t, std::string> sPlayed;
};

std::map<int64_t, std::string> PlaybackTest::sPlayed;

// The record of a paused frame: the depth buffer cleared and the picture as
// it stands presented.
const char kHeldFrame[] = "Clear 2 0 1065353216 0\nBeginRender\nEndRender\nFlip\n";

// After a seek the next frame is the frame played from the start shows at
// that time, call for call and byte for byte, and the music is at that
// frame's time; seeks go back (the scenes set up again and the models they
// freed made again) as well as on, into the closing pictures and back.  A
// seek made while paused draws that frame too, then holds it; resumed, the
// frame after it follows.
TEST_F(PlaybackTest, AfterASeekTheFrameAndTheMusicAreThoseOfTheDemoPlayedFromTheStart) {
    PlayedDemo demo;
    for (const Moment& moment : Moments()) {
        const int64_t frame = FrameAt(moment.seconds);
        demo.playback.SetPaused(moment.paused);
        ASSERT_TRUE(demo.playback.SeekTo(moment.seconds)) << moment.what;
        EXPECT_EQ(demo.playback.isPaused(), moment.paused) << moment.what;
        EXPECT_EQ(kaFrameClock::getFrame(), frame) << moment.what;
        EXPECT_EQ(FSOUND_Stream_GetTime(gMusicStream), PlayedDemo::MusicAt(frame)) << moment.what;
        const std::string record = demo.Next();
        EXPECT_NE(record.find("Flip"), std::string::npos) << moment.what;
        EXPECT_EQ(record, sPlayed[frame]) << moment.what << " (frame " << frame << ")";
        EXPECT_EQ(demo.playback.isInDemo(), moment.seconds < kDemoEnd) << moment.what;
        if (!moment.paused) continue;
        EXPECT_EQ(demo.Next(), kHeldFrame) << moment.what;
        EXPECT_EQ(FSOUND_Stream_GetTime(gMusicStream), PlayedDemo::MusicAt(frame + 1)) << moment.what;
        demo.playback.SetPaused(false);
        EXPECT_EQ(demo.Next(), sPlayed[frame + 1]) << moment.what << " (frame " << frame + 1 << ")";
    }
}

// While paused, every frame presents the picture as it stands without
// drawing and nothing moves, however long the pause (the frame clock goes on
// by two seconds meanwhile, as real time would): not the frame clock's
// frames, not the music, not the time shown.  Resumed, the frames are the
// ones that would have followed, the music, the clip clock and the frame
// timer going on as if no time had passed.
TEST_F(PlaybackTest, PausedTheFramesHoldTheMusicStandsAndResumedTheDemoGoesOnAsIfUnpaused) {
    const Moment moments[] = {
        {"Scene 3's cross-fade of 1.5 s", 10.2},
        {"a white flash of Scene 10 at its height", 37.58},
        {"Scene 12's set-up frame", 50.0},
        {"the first closing picture", 119.0},
    };
    for (const Moment& moment : moments) {
        const int64_t frame = FrameAt(moment.seconds);
        PlayedDemo demo;
        while (kaFrameClock::getFrame() < frame) demo.Step();
        demo.playback.SetPaused(true);
        ASSERT_TRUE(demo.playback.isPaused()) << moment.what;
        const int music = FSOUND_Stream_GetTime(gMusicStream);
        const double shown = demo.playback.getTime();
        std::vector<std::string> held;
        for (int i = 0; i < 3; ++i) {
            held.push_back(demo.Next());
            EXPECT_EQ(demo.world.device.draws().size(), 0u) << moment.what;
            EXPECT_EQ(FSOUND_Stream_GetTime(gMusicStream), music) << moment.what;
            EXPECT_EQ(demo.playback.getTime(), shown) << moment.what;
            for (unsigned k = 0; k < FreshDemo::kFps; ++k) kaFrameClock::Advance();
        }
        EXPECT_EQ(held[0], kHeldFrame) << moment.what;
        EXPECT_EQ(held[1], held[0]) << moment.what;
        EXPECT_EQ(held[2], held[0]) << moment.what;
        demo.playback.SetPaused(false);
        EXPECT_EQ(FSOUND_Stream_GetTime(gMusicStream), PlayedDemo::MusicAt(frame)) << moment.what;
        EXPECT_EQ(demo.Next(), sPlayed[frame]) << moment.what << " (frame " << frame << ")";
        EXPECT_EQ(demo.Next(), sPlayed[frame + 1]) << moment.what << " (frame " << frame + 1 << ")";
    }
}

}  // namespace
