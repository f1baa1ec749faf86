#include "Startup.h"

#include "RenderFrame.h"
#include "kaActivation.h"
#include "kaApplication.h"
#include "kaLogFile.h"
#include "kaTimer.h"

namespace {

const char kTitle[] = "Vessamorix Demo (v0.02)";

void OpenLog() {
    gLog.Open("Vessamorix.log", "w");
    gLog.Print("Vessamorix LogFile\n");
    gLog.Print("Log start at %s\n\n\n", "Wed Jul 31 11:27:44 2002");
}

void CloseLog() {
    gLog.Print("\n\nEOF\n");
    gLog.Close();
}

}  // namespace

int Startup() {
    OpenLog();

    const int created = gApp.Create(kTitle, 800, 600, 16, 1);
    if (created != 0) {
        gLog.Print("Error! initializing application: Return %d\n", created);
        return 0;
    }
    gLog.Print("Success! initializing application: Return %d\n", created);

    gApp.setFrameCallback(RenderFrame);
    gApp.setActivateCallback(OnActivate);

    CloseLog();

    gFrameTimer = new kaTimer();
    gActive = 1;
    gFrameTimer->Start();
    return 1;
}

void Shutdown() {
    gApp.SetTitle("Shutting Down Vessamorix Tallowcore ...");
    delete gFrameTimer;
    gFrameTimer = nullptr;
}
