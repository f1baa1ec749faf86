#include "kaWebAudioOutput.h"

#include <emscripten.h>

#include <algorithm>

#include "kaPcmSource.h"

namespace {

constexpr unsigned kChannels = 2;

}  // namespace

// clang-format off
// The node and its clock live in the page; `output` comes back to the two
// callbacks below.  0 when there is no context at the rate.
EM_JS(int, vxAudioOpen, (void* output, int rate, int frames, int paused), {
    const context = Module["vxAudioContext"];
    if (!context || context.sampleRate !== rate) return 0;
    const nodes = Module["vxAudioNodes"] = Module["vxAudioNodes"] || [null];
    // The music's clock runs from the opening, on the page's clock until the
    // sound begins and on the context's from then on; the sound skips what
    // the clock has played meanwhile, so that the picture's clocks, which
    // run on from the opening too, and the music heard agree.
    const openedAt = performance.now();
    const clock = {
        openedAt,
        silentPausedAt: paused ? openedAt : null,
        skipMs: 0,
        startedAt: null,
        pausedAt: null,
        heldMs: 0,
    };
    const node = context.createScriptProcessor(frames, 0, 2);
    node.vxClock = clock;
    node.onaudioprocess = (event) => {
        const buffer = event.outputBuffer;
        const left = buffer.getChannelData(0);
        const right = buffer.getChannelData(1);
        if (clock.startedAt === null && clock.silentPausedAt === null) {
            // This buffer is heard after the latency: skip up to then.
            const latency = (context.outputLatency || 0) + (event.playbackTime - context.currentTime);
            clock.skipMs = performance.now() - clock.openedAt + latency * 1000;
            _vxWebAudioSkip(output, Math.round(clock.skipMs * rate / 1000));
            clock.startedAt = event.playbackTime + (context.outputLatency || 0);
        }
        // Paused, before the sound began or since: silence.
        if (clock.startedAt === null || clock.pausedAt !== null) {
            left.fill(0);
            right.fill(0);
            return;
        }
        const samples = _vxWebAudioFill(output, buffer.length) >> 1;
        for (let i = 0; i < buffer.length; ++i) {
            left[i] = HEAP16[samples + 2 * i] / 32768;
            right[i] = HEAP16[samples + 2 * i + 1] / 32768;
        }
    };
    node.connect(context.destination);
    nodes.push(node);
    return nodes.length - 1;
});

EM_JS(double, vxAudioPosition, (int id), {
    const node = Module["vxAudioNodes"][id];
    const clock = node.vxClock;
    if (clock.startedAt === null) {
        const now = clock.silentPausedAt !== null ? clock.silentPausedAt : performance.now();
        return now - clock.openedAt;
    }
    // Between the first buffer and its being heard this lies below skipMs:
    // the clock goes on from the page's without a jump.
    const now = clock.pausedAt !== null ? clock.pausedAt : node.context.currentTime;
    return Math.max(0, clock.skipMs + (now - clock.startedAt) * 1000 - clock.heldMs);
});

EM_JS(void, vxAudioPause, (int id, int paused), {
    const clock = Module["vxAudioNodes"][id].vxClock;
    if (clock.startedAt === null) {
        // Before the sound begins a pause stops the page's clock.
        if (paused && clock.silentPausedAt === null) clock.silentPausedAt = performance.now();
        if (!paused && clock.silentPausedAt !== null) {
            clock.openedAt += performance.now() - clock.silentPausedAt;
            clock.silentPausedAt = null;
        }
        return;
    }
    const now = Module["vxAudioNodes"][id].context.currentTime;
    if (paused && clock.pausedAt === null) clock.pausedAt = now;
    if (!paused && clock.pausedAt !== null) {
        clock.heldMs += (now - clock.pausedAt) * 1000;
        clock.pausedAt = null;
    }
});

EM_JS(void, vxAudioClose, (int id), {
    const node = Module["vxAudioNodes"][id];
    node.onaudioprocess = null;
    node.disconnect();
    Module["vxAudioNodes"][id] = null;
});
// clang-format on

extern "C" EMSCRIPTEN_KEEPALIVE const int16_t* vxWebAudioFill(kaWebAudioOutput* output,
                                                              unsigned frames) {
    return output->Fill(frames);
}

extern "C" EMSCRIPTEN_KEEPALIVE void vxWebAudioSkip(kaWebAudioOutput* output, unsigned frames) {
    output->Skip(frames);
}

std::unique_ptr<kaSoundOutput> kaSoundOutput::OpenDevice(kaPcmSource& source, int rate, bool paused) {
    return kaWebAudioOutput::Open(source, rate, paused);
}

std::unique_ptr<kaWebAudioOutput> kaWebAudioOutput::Open(kaPcmSource& source, int rate, bool paused) {
    std::unique_ptr<kaWebAudioOutput> output(new kaWebAudioOutput(source, 0));
    output->mNode = vxAudioOpen(output.get(), rate, static_cast<int>(kBufferFrames), paused ? 1 : 0);
    if (output->mNode == 0) return nullptr;
    return output;
}

kaWebAudioOutput::kaWebAudioOutput(kaPcmSource& source, int node)
    : mSource(source), mNode(node), mBuffer(kBufferFrames * kChannels) {}

kaWebAudioOutput::~kaWebAudioOutput() {
    if (mNode != 0) vxAudioClose(mNode);
}

int64_t kaWebAudioOutput::getPlayedMilliseconds() {
    return static_cast<int64_t>(vxAudioPosition(mNode));
}

void kaWebAudioOutput::setPaused(bool paused) { vxAudioPause(mNode, paused ? 1 : 0); }

const int16_t* kaWebAudioOutput::Fill(unsigned frames) {
    frames = std::min(frames, kBufferFrames);
    const unsigned filled = mSource.Fill(mBuffer.data(), frames);
    std::fill(mBuffer.begin() + filled * kChannels, mBuffer.end(), int16_t{0});
    return mBuffer.data();
}

void kaWebAudioOutput::Skip(unsigned frames) {
    while (frames > 0) {
        const unsigned step = std::min(frames, kBufferFrames);
        if (mSource.Fill(mBuffer.data(), step) < step) return;
        frames -= step;
    }
}
