#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// Ends the run as a crash, so that the fuzzer keeps the input that broke an
// expectation about the code under test.
[[noreturn]] inline void FuzzFail(const std::string& what) {
    std::fprintf(stderr, "fuzz expectation failed: %s\n", what.c_str());
    std::abort();
}

inline void FuzzExpect(bool holds, const char* what) {
    if (!holds) FuzzFail(what);
}
