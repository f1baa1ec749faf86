// Linked into the native test programs that open SDL windows or GL contexts.
// Mesa keeps allocations of its own until the process ends, in driver modules
// it has unloaded by then; LeakSanitizer would report them as the program's
// leaks, and without frame pointers in those modules nothing in the report
// tells them apart, so these programs run without leak reports.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
