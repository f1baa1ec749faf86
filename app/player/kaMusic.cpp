#include "kaMusic.h"

#include <cstdio>
#include <new>

#include "kaFileStream.h"
#include "kaLogFile.h"
#include "kaMessageBox.h"

unsigned char* gMusicData = nullptr;
FSOUND_STREAM* gMusicStream = nullptr;

namespace {

bool sSoundStarted = false;
int sMusicBytes = 0;  // of gMusicData

int MusicFailure(const char* text) {
    ErrorBox("KA_ERR_READFAIL", "%s", text);
    gLog.Print("Error! creating sound system...\n");
    return 0;
}

// Reads the whole file into gMusicData and opens the stream on it.  A missing
// file reads as empty, which the sound system refuses.  Only the bytes that
// were read are handed on.
bool OpenMusicStream(kaFileStream& file) {
    const unsigned size = file.getSize();
    gMusicData = new (std::nothrow) unsigned char[size];
    if (gMusicData == nullptr) return false;
    sMusicBytes = static_cast<int>(file.Read(gMusicData, size));
    gMusicStream = FSOUND_Stream_OpenFile(reinterpret_cast<const char*>(gMusicData),
                                          FSOUND_LOADMEMORY | FSOUND_MPEGACCURATE, sMusicBytes);
    return gMusicStream != nullptr;
}

}  // namespace

int StartMusic(const char* directory) {
    if (!FSOUND_Init(44100, 16, 0)) return MusicFailure("Error creating sound system");
    sSoundStarted = true;

    char path[260];
    std::snprintf(path, sizeof path, "%slost_in_space_remix.ogg", directory);
    kaFileStream file;
    file.Open(path, "rb");
    if (!OpenMusicStream(file)) return MusicFailure("Error loading song!");
    file.Close();
    gLog.Print("Success! initialize sound driver: Return %d\n", 1);
    return 1;
}

int ReopenMusic() {
    if (gMusicStream != nullptr) FSOUND_Stream_Close(gMusicStream);
    gMusicStream = FSOUND_Stream_OpenFile(reinterpret_cast<const char*>(gMusicData),
                                          FSOUND_LOADMEMORY | FSOUND_MPEGACCURATE, sMusicBytes);
    return gMusicStream != nullptr ? 1 : 0;
}

int RestartMusicAt(int ms, bool paused) {
    if (!ReopenMusic() || !FSOUND_Stream_SetTime(gMusicStream, ms)) return 0;
    return FSOUND_Stream_PlayEx(FSOUND_FREE, gMusicStream, nullptr, paused ? 1 : 0) >= 0 ? 1 : 0;
}

void StopMusic() {
    if (gMusicStream != nullptr) FSOUND_Stream_Close(gMusicStream);
    gMusicStream = nullptr;
    if (sSoundStarted) FSOUND_Close();
    sSoundStarted = false;
}

void FreeMusicData() {
    delete[] gMusicData;
    gMusicData = nullptr;
}
