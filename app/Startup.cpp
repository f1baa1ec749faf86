#include "Startup.h"

#include "Globals.h"
#include "RenderFrame.h"
#include "kaActivation.h"
#include "kaApplication.h"
#include "kaInput.h"
#include "kaLogFile.h"
#include "kaMessageBox.h"
#include "kaPluginLoader.h"
#include "kaRenderDevice.h"
#include "kaTimer.h"

kaPluginLoader gRenderPlugin;
kaInput* gInput = nullptr;

namespace {

const char kTitle[] = "Vessamorix Demo (v0.02)";
const char kPluginFile[] = "kaD3DRenderDevice.dll";
constexpr unsigned kDepthFormat = 77;  // 24-bit depth in a 32-bit word

void OpenLog() {
    gLog.Open("Vessamorix.log", "w");
    gLog.Print("Vessamorix LogFile\n");
    gLog.Print("Log start at %s\n\n\n", "Wed Jul 31 11:27:44 2002");
}

void CloseLog() {
    gLog.Print("\n\nEOF\n");
    gLog.Close();
}

// Reports a failed step (box first, then the log line) and shuts down.
int FailStep(const char* boxText, const char* logFormat, int result) {
    ErrorBox("KA_ERR_INITFAILED", "%s", boxText);
    gLog.Print(logFormat, result);
    Shutdown();
    return 0;
}

int StartRenderDevice() {
    int result = gRenderPlugin.Load(kPluginFile);
    if (result != 0) {
        return FailStep("Couldn't initialize d3d8 driver",
                        "Error! couldn't initialize d3d8 driver: Return %d\n", result);
    }
    gLog.Print("Success! initialize d3d8 driver: Return %d\n", result);

    result = gRenderPlugin.GetRenderDevice(&gDevice, 0);
    if (result != 0) {
        gDevice = nullptr;
        return FailStep("Error getting render device",
                        "Error! couldn't get render device: Return %d\n", result);
    }
    gLog.Print("Success! setup d3d8 render device: Return %d\n", result);

    int width = 0;
    int height = 0;
    gApp.getClientSize(&width, &height);
    result = gDevice->InitializeWindowed(gApp.getWindow(), width, height, kDepthFormat, 0, 0);
    if (result != 0) {
        return FailStep("Error initializing render device",
                        "Error! couldn't initialize render device: Return %d\n", result);
    }
    gLog.Print("Success! initialize render device: Return %d\n", result);
    return 1;
}

int StartInput() {
    gInput = new kaInput();
    const int result = gInput->Init(gApp.getWindow());
    if (result == 0) {
        return FailStep("Error initializing input device",
                        "Error! initialize input device: Return %d\n", result);
    }
    gLog.Print("Success! initialize input device: Return %d\n", result);
    return 1;
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

    if (!StartRenderDevice() || !StartInput()) return 0;

    ShowCursor(FALSE);
    CloseLog();

    gFrameTimer = new kaTimer();
    gActive = 1;
    gFrameTimer->Start();
    return 1;
}

// Safe on a partly started program: each object is released only if it exists.
void Shutdown() {
    gApp.SetTitle("Shutting Down Vessamorix Tallowcore ...");
    ShowCursor(TRUE);
    if (gInput != nullptr) {
        gInput->Release();
        delete gInput;
        gInput = nullptr;
    }
    delete gFrameTimer;
    gFrameTimer = nullptr;
    if (gDevice != nullptr) {
        gDevice->Release();
        gDevice = nullptr;
    }
    gRenderPlugin.Unload();
}
