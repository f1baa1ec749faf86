#pragma once

#include <cstdint>

#include "kaShaderTypes.h"

// Remembers which components of the temporary, address and (in ps.1.0 to
// ps.1.3) texture registers have been written, so that the validator can
// report reads of components no instruction has written yet.  Every other
// register file is always readable.
class kaRegisterUsage {
public:
    explicit kaRegisterUsage(const kaShaderVersion& version);

    void Write(const kaRegisterRef& reg, uint32_t mask);
    // The components of `mask` that are tracked for the register and not
    // written yet (0 when all may be read).
    uint32_t Unwritten(const kaRegisterRef& reg, uint32_t mask) const;
    // The phase marker of ps.1.4 leaves the alpha of every temporary
    // register undefined.
    void ForgetTempAlpha();

private:
    static constexpr uint32_t kMaxIndex = 16;
    bool Tracked(const kaRegisterRef& reg) const;

    bool mTrackTexture;
    uint8_t mWritten[static_cast<size_t>(kaRegisterKind::Count)][kMaxIndex] = {};
};
