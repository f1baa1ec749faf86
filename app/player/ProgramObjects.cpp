// The objects a player program has from static initialisation on, shared by
// the player and its video capture: the application window object, the output
// the entry asks for, and the exit handler that closes the log.

#include <cstdlib>

#include "kaApplication.h"
#include "kaLogFile.h"
#include "kaOutputRequest.h"

kaApplication gApp;
kaOutputRequest gOutputRequest;

namespace {

void CloseLogAtExit() { gLog.Close(); }

// Registered at static initialisation, after gApp is constructed: the log is
// closed at exit before gApp is destroyed (which restores the display mode).
const int sExitHandlers = (std::atexit(CloseLogAtExit), 0);

}  // namespace
