#include "kaBaseTexture.h"

kaBaseTexture::kaBaseTexture() : mRefCount(1) {}
kaBaseTexture::kaBaseTexture(const kaBaseTexture& other) : mRefCount(other.mRefCount) {}
kaBaseTexture& kaBaseTexture::operator=(const kaBaseTexture& other) {
    mRefCount = other.mRefCount;
    return *this;
}
kaBaseTexture::~kaBaseTexture() = default;

void kaBaseTexture::IncRef() { ++mRefCount; }
void kaBaseTexture::DecRef() { --mRefCount; }
unsigned kaBaseTexture::getRefCount() { return mRefCount; }
