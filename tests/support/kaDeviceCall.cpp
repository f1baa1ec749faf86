#include "kaDeviceCall.h"

kaDeviceCall& kaDeviceCall::operator<<(unsigned value) & {
    args.push_back(value);
    return *this;
}

kaDeviceCall& kaDeviceCall::operator<<(int value) & {
    return *this << static_cast<unsigned>(value);
}

kaDeviceCall& kaDeviceCall::operator<<(float value) & {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return *this << static_cast<unsigned>(bits);
}

kaDeviceCall& kaDeviceCall::operator<<(const void* pointer) & {
    if (args.size() < 64) mAddresses |= uint64_t{1} << args.size();
    args.push_back(reinterpret_cast<uintptr_t>(pointer));
    return *this;
}

void kaDeviceCall::appendValues(const void* data, size_t bytes) {
    if (bytes < 4) return;
    const size_t first = values.size();
    values.resize(first + bytes / 4);
    std::memcpy(values.data() + first, data, bytes / 4 * 4);
}

uint64_t kaDeviceCall::arg(size_t index) const {
    if (index >= args.size()) {
        throw std::out_of_range(name + ": argument " + std::to_string(index) + " missing");
    }
    return args[index];
}

unsigned kaDeviceCall::u(size_t index) const { return static_cast<unsigned>(arg(index)); }

int kaDeviceCall::i(size_t index) const { return static_cast<int>(u(index)); }

float kaDeviceCall::f(size_t index) const {
    const uint32_t bits = u(index);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

const void* kaDeviceCall::p(size_t index) const {
    return reinterpret_cast<const void*>(static_cast<uintptr_t>(arg(index)));
}

float kaDeviceCall::valueFloat(size_t index) const {
    return value<float>(index);
}
