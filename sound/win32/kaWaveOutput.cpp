#include "kaWaveOutput.h"

#include "kaPcmSource.h"

namespace {

constexpr int kChannels = 2;
constexpr int kFrameBytes = kChannels * sizeof(int16_t);

// How long the thread sleeps at most between looks at its stop flag.
constexpr DWORD kWakeMilliseconds = 50;

}  // namespace

std::unique_ptr<kaSoundOutput> kaSoundOutput::OpenDevice(kaPcmSource& source, int rate, bool paused) {
    return kaWaveOutput::Open(source, rate, paused);
}

// Paused before the first buffer is written, the device queues the buffers
// and plays nothing until it is restarted.
std::unique_ptr<kaWaveOutput> kaWaveOutput::Open(kaPcmSource& source, int rate, bool paused) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = kChannels;
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = kFrameBytes;
    format.nAvgBytesPerSec = format.nSamplesPerSec * kFrameBytes;

    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (event == nullptr) return nullptr;
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(event), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        CloseHandle(event);
        return nullptr;
    }
    if (paused) waveOutPause(device);
    return std::unique_ptr<kaWaveOutput>(new kaWaveOutput(source, rate, device, event));
}

kaWaveOutput::kaWaveOutput(kaPcmSource& source, int rate, HWAVEOUT device, HANDLE event)
    : mSource(source), mRate(rate), mDevice(device), mEvent(event),
      mSamples(kBufferCount * kBufferFrames * kChannels), mHeaders(), mStopping(false) {
    for (int i = 0; i < kBufferCount; ++i) {
        mHeaders[i].lpData = reinterpret_cast<LPSTR>(&mSamples[i * kBufferFrames * kChannels]);
    }
    mThread = std::thread(&kaWaveOutput::Stream, this);
}

kaWaveOutput::~kaWaveOutput() {
    mStopping = true;
    SetEvent(mEvent);
    mThread.join();
    waveOutReset(mDevice);
    for (WAVEHDR& header : mHeaders) {
        if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(mDevice, &header, sizeof header);
    }
    waveOutClose(mDevice);
    CloseHandle(mEvent);
}

void kaWaveOutput::Stream() {
    bool more = true;
    for (int i = 0; i < kBufferCount && more; ++i) more = Queue(mHeaders[i]);
    while (!mStopping) {
        WaitForSingleObject(mEvent, kWakeMilliseconds);
        for (WAVEHDR& header : mHeaders) {
            if (more && !mStopping && (header.dwFlags & WHDR_DONE)) more = Queue(header);
        }
    }
}

// A header is prepared again for every fill, as its length changes at the end.
bool kaWaveOutput::Queue(WAVEHDR& header) {
    if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(mDevice, &header, sizeof header);
    const unsigned frames = mSource.Fill(reinterpret_cast<int16_t*>(header.lpData), kBufferFrames);
    if (frames == 0) return false;
    header.dwBufferLength = frames * kFrameBytes;
    header.dwFlags = 0;
    if (waveOutPrepareHeader(mDevice, &header, sizeof header) != MMSYSERR_NOERROR) return false;
    return waveOutWrite(mDevice, &header, sizeof header) == MMSYSERR_NOERROR;
}

// The device counts in samples (frames); a driver that can only count bytes
// answers in bytes instead.
int64_t kaWaveOutput::getPlayedMilliseconds() {
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    if (waveOutGetPosition(mDevice, &time, sizeof time) != MMSYSERR_NOERROR) return 0;
    int64_t frames = 0;
    if (time.wType == TIME_SAMPLES) frames = time.u.sample;
    if (time.wType == TIME_BYTES) frames = time.u.cb / kFrameBytes;
    return frames * 1000 / mRate;
}

void kaWaveOutput::setPaused(bool paused) {
    if (paused) {
        waveOutPause(mDevice);
    } else {
        waveOutRestart(mDevice);
    }
}
