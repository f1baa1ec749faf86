#pragma once

// The program's sound system: one music stream decoded from Ogg Vorbis data in
// memory.  A playing stream goes to the platform's sound device (wave-out on
// Windows, SDL's audio elsewhere); without a device, or when the counter is
// not the platform's (a test's, a frame-by-frame recording's), it plays
// silently and its position follows the clock, so the demo's timeline runs
// the same either way.

#include "kaTimer.h"

class kaStream;
typedef kaStream FSOUND_STREAM;

// Open mode flags.  Only memory streams exist: the data block stays the
// caller's and must outlive the stream.
constexpr unsigned FSOUND_LOADMEMORY = 0x8000;
constexpr unsigned FSOUND_MPEGACCURATE = 0x20000;

// Channel argument of FSOUND_Stream_Play: any free channel.
constexpr int FSOUND_FREE = -1;

// Starts the system with a mixing rate (4000 to 192000 Hz) and a channel
// count; 1 on success, 0 when an argument is out of range or the system is
// already running.  The flags are accepted and ignored.
signed char FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned flags);

// Opens a stream on lenbytes of Ogg Vorbis data at nameOrData, which needs
// FSOUND_LOADMEMORY in mode.  A zero handle when the system is not running or
// the data is missing, empty or not Ogg Vorbis.
FSOUND_STREAM* FSOUND_Stream_OpenFile(const char* nameOrData, unsigned mode, int lenbytes);

// Starts playback (once; a second call leaves it playing).  Returns the
// channel, or -1 for an unknown stream or a channel outside the system's.
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);

// The same, started paused when startpaused is non-zero: the stream stands at
// its start, not a millisecond on, until FSOUND_Stream_SetPaused resumes it.
// This layer has no DSP units: dsp must be null.
struct FSOUND_DSPUNIT;
int FSOUND_Stream_PlayEx(int channel, FSOUND_STREAM* stream, FSOUND_DSPUNIT* dsp, signed char startpaused);

// The play position in milliseconds: 0 before playback and for an unknown
// stream, then advancing in real time, held at the track's length at its end.
int FSOUND_Stream_GetTime(FSOUND_STREAM* stream);

// Before playback: the stream will play from `ms` milliseconds into the
// track.  1, or 0 for an unknown or playing stream or a time outside it.
signed char FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms);

// Pauses a playing stream (paused non-zero; its position holds and the
// sound device goes quiet) or resumes it from where it was.  1, or 0 for an
// unknown stream or one that does not play yet.
signed char FSOUND_Stream_SetPaused(FSOUND_STREAM* stream, signed char paused);

// Stops and frees a stream; 1, or 0 for an unknown stream.
signed char FSOUND_Stream_Close(FSOUND_STREAM* stream);

// Closes every stream still open and stops the system.
void FSOUND_Close();

// The counter that times streams played without a device (the platform's
// performance counter by default); tests supply their own.  Streams opened
// afterwards use it, and with any counter but the platform's they play
// without the device: a device plays in real time and would hold the
// position back to it.
void kaSoundSetCounterSource(const kaCounterSource& source);
