// The C++ runtime linked into the native player and its plug-in refers to
// arc4random (std::random_device), which the C library has only since 2.36:
// left so, the Linux release would not start on a system with an older one
// (Ubuntu 22.04 has 2.35).  The link sends those calls here instead
// (--wrap=arc4random), to the kernel's random numbers through getrandom,
// which the C library has had since 2.25.
#include <sys/random.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

extern "C" __attribute__((visibility("hidden"))) uint32_t __wrap_arc4random() {
    uint32_t value = 0;
    for (;;) {
        if (getrandom(&value, sizeof value, 0) == static_cast<ssize_t>(sizeof value)) return value;
        // Only an interrupted wait is worth another try.
        if (errno != EINTR) std::abort();
    }
}
