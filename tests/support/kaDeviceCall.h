#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// One recorded call on the recording render device or on one of its
// resources.  `args` holds the declared arguments in order, each widened to
// 64 bits: integers by value, floats by their bit pattern, pointers by
// address.  `values` holds a copy of every record that a pointer or
// reference argument points to (matrices, vectors, lights, shader constants),
// as 32-bit words in field order, so that tests can look at what was passed
// after the caller's copy is gone.
//
// A call is built in one expression and handed to the device, which keeps
// it: built on a temporary, every step yields the temporary again, so that
// the device takes it over without copying its buffers (devices record tens
// of thousands of calls a second).
struct kaDeviceCall {
    // Arguments room is made for at once; calls with more grow as needed.
    static constexpr size_t kUsualArgs = 6;

    std::string name;
    std::vector<uint64_t> args;
    std::vector<uint32_t> values;

    explicit kaDeviceCall(std::string callName) : name(std::move(callName)) {
        args.reserve(kUsualArgs);
    }

    kaDeviceCall& operator<<(unsigned value) &;
    kaDeviceCall& operator<<(int value) &;
    kaDeviceCall& operator<<(float value) &;
    kaDeviceCall& operator<<(const void* pointer) &;
    template <class T>
    kaDeviceCall&& operator<<(T value) && {
        return std::move(*this << value);
    }

    // Appends the pointer as an argument and, when it is not null, the record
    // it points to as values.
    template <class T>
    kaDeviceCall& withRecord(const T* record) & {
        *this << static_cast<const void*>(record);
        if (record != nullptr) appendValues(record, sizeof(T));
        return *this;
    }
    template <class T>
    kaDeviceCall&& withRecord(const T* record) && {
        return std::move(withRecord(record));
    }
    // Appends a record passed by reference: values only.
    template <class T>
    kaDeviceCall& withValue(const T& record) & {
        appendValues(&record, sizeof(T));
        return *this;
    }
    template <class T>
    kaDeviceCall&& withValue(const T& record) && {
        return std::move(withValue(record));
    }
    void appendValues(const void* data, size_t bytes);

    // Whether argument `index` is a pointer's address.
    bool isAddress(size_t index) const { return index < 64 && (mAddresses >> index & 1u) != 0; }

    unsigned u(size_t index) const;
    int i(size_t index) const;
    float f(size_t index) const;
    const void* p(size_t index) const;

    float valueFloat(size_t index) const;
    // Rebuilds a record of type T from the values starting at word `first`.
    template <class T>
    T value(size_t first = 0) const {
        static_assert(sizeof(T) % 4 == 0, "records are made of 32-bit words");
        if (first + sizeof(T) / 4 > values.size()) {
            throw std::out_of_range(name + ": no record of that size in the values");
        }
        T record;
        std::memcpy(static_cast<void*>(&record), values.data() + first, sizeof(T));
        return record;
    }

private:
    uint64_t arg(size_t index) const;

    uint64_t mAddresses = 0;  // bit i: argument i is an address (the first 64)
};
