#pragma once

// Result codes shared by the program's own classes, the render device and the
// plug-in's exports.  Operations answer 0 for success.
enum kaResult : int {
    KA_OK = 0,
    KA_ERR_PLATFORM = 1,      // a platform or library call failed
    KA_ERR_INVALIDARG = 2,    // a required argument is missing or out of range
    KA_ERR_WRONGSTATE = 3,    // the object is not in a state that allows the call
    KA_ERR_OUTOFMEMORY = 4,   // no memory, or a stack is full
    KA_ERR_MISSING = 5,       // a required object is missing
    KA_ERR_UNSUPPORTED = 6,   // not supported
    KA_ERR_UNRECOGNISED = 7,  // data of no known format
    KA_ERR_OPENFAIL = 8,      // a file or module cannot be opened
    KA_ERR_WRITEFAIL = 9,     // a write wrote fewer bytes than asked
    KA_ERR_READFAIL = 10,     // a short read, or data that cannot be parsed
    KA_ERR_INITFAILED = 11,   // an initialisation or load failed
};
