#include "kaRegisterUsage.h"

kaRegisterUsage::kaRegisterUsage(const kaShaderVersion& version)
    : mTrackTexture(version.IsPixel() && !version.IsPs14()) {}

bool kaRegisterUsage::Tracked(const kaRegisterRef& reg) const {
    if (reg.relative || reg.index >= kMaxIndex) return false;
    return reg.kind == kaRegisterKind::Temp || reg.kind == kaRegisterKind::Address ||
           (reg.kind == kaRegisterKind::Texture && mTrackTexture);
}

void kaRegisterUsage::Write(const kaRegisterRef& reg, uint32_t mask) {
    if (Tracked(reg)) mWritten[static_cast<size_t>(reg.kind)][reg.index] |= static_cast<uint8_t>(mask);
}

uint32_t kaRegisterUsage::Unwritten(const kaRegisterRef& reg, uint32_t mask) const {
    if (!Tracked(reg)) return 0;
    return mask & ~uint32_t(mWritten[static_cast<size_t>(reg.kind)][reg.index]);
}

void kaRegisterUsage::ForgetTempAlpha() {
    for (uint8_t& written : mWritten[static_cast<size_t>(kaRegisterKind::Temp)]) written &= 0x7;
}
