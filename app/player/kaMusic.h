#pragma once

#include "kaSound.h"

// The music file, whole, in memory: the stream plays from it, so it stays
// allocated until the stream is closed.
extern unsigned char* gMusicData;
// The music stream; null when there is none.
extern FSOUND_STREAM* gMusicStream;

// Where the music file lies, relative to the working directory.
constexpr const char kMusicDirectory[] = "../xMedia/xMusics/";

// Start-up: starts the sound system and opens the music from
// "lost_in_space_remix.ogg" in the directory.  Returns 1 when the stream is
// ready; on failure it has shown its error box and written its log line and
// returns 0 (the caller shuts down).
int StartMusic(const char* directory = kMusicDirectory);

// Opens the music again on the sound system's present counter, not playing
// (a rewind to the demo's start, whose first scene plays it): 1, or 0 when
// the stream cannot be opened.
int ReopenMusic();

// Opens the music again on the sound system's present counter and plays it
// from `ms` milliseconds in (a player that starts later in the demo, a
// seek), or holds it paused there: 1, or 0 when the stream cannot be opened
// or the time lies outside the track.
int RestartMusicAt(int ms, bool paused);

// Shutdown: closes the stream and then the sound system, each only when it
// was opened.
void StopMusic();

// Shutdown: frees the music data (after StopMusic).
void FreeMusicData();
