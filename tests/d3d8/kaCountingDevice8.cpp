#include "kaCountingDevice8.h"

#include <cstring>

unsigned kaCountingDevice8::getTotal() const {
    unsigned total = 0;
    for (unsigned count : mCounts) total += count;
    return total;
}

void kaCountingDevice8::Reset() {
    std::memset(mCounts, 0, sizeof mCounts);
    mCalls.clear();
}

std::vector<kaCountingDevice8::Call> kaCountingDevice8::CallsOf(Method method) const {
    std::vector<Call> calls;
    for (const Call& call : mCalls) {
        if (call.method == method) calls.push_back(call);
    }
    return calls;
}
