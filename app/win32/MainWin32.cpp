#include "Startup.h"

// The C runtime's WinMain start-up calls main.  The program answers 1 after
// the demo ran and 0 when start-up failed.
int main() { return PlayDemo(); }
