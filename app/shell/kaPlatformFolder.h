#pragma once

// Makes the folder that holds the running program the current one, so that
// the media tree at "../xMedia/" and the log beside the program are found
// wherever the program was started from, as when Windows starts a program
// from its icon.  Each platform implements it in its own source file.
// Returns false, having said why on standard error, when that fails.
bool kaPlatformEnterProgramFolder();
