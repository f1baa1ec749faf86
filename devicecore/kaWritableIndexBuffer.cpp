#include "kaWritableIndexBuffer.h"

#include <algorithm>
#include <new>

void kaWritableIndexBuffer::AddIndex(unsigned short index) {
    if (!mWriting || mCursor >= mCount) return;
    mIndices[mFirst + mCursor++] = index;
    mLargestKnown = false;
}

void kaWritableIndexBuffer::AddIndexArray(unsigned short* indices, unsigned count) {
    if (!mWriting || indices == nullptr) return;
    const unsigned kept = std::min(count, mCount - mCursor);
    std::copy(indices, indices + kept, mIndices.begin() + (mFirst + mCursor));
    mCursor += kept;
    mLargestKnown = false;
}

bool kaWritableIndexBuffer::Allocate(unsigned indexCount) {
    try {
        mIndices.assign(indexCount, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool kaWritableIndexBuffer::StartWriting(unsigned first, unsigned count) {
    const unsigned size = getIndexCount();
    if (count == 0 && first <= size) count = size - first;
    if (first > size || count > size - first) {
        StopWriting();
        return false;
    }
    mFirst = first;
    mCount = count;
    mCursor = 0;
    mWriting = true;
    return true;
}

void kaWritableIndexBuffer::StopWriting() {
    mWriting = false;
    mCursor = 0;
}

bool kaWritableIndexBuffer::IndicesBelow(unsigned first, unsigned count, unsigned vertexCount) {
    const unsigned size = getIndexCount();
    if (mWriting || first > size || count > size - first) return false;
    if (!mLargestKnown) {
        mLargest = mIndices.empty() ? 0 : *std::max_element(mIndices.begin(), mIndices.end());
        mLargestKnown = true;
    }
    if (count == 0 || mLargest < vertexCount) return true;
    const auto begin = mIndices.begin() + first;
    return *std::max_element(begin, begin + count) < vertexCount;
}
