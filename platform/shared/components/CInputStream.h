// Base of the input streams: typed reads of 1, 2, 4 and 8 bytes in either
// byte order over a source's raw Read, and a sticky error flag. A short read
// sets the flag and yields zeros; callers check HasError once after a run of
// reads.
#pragma once

#include <cstdint>

// Reverses the order of length bytes in place; length must be even.
void ReverseBytes(void* bytes, std::uint32_t length);

class CInputStream {
public:
    CInputStream() = default;
    // swap 1: multi-byte values are stored big-endian.
    explicit CInputStream(std::uint8_t swap) : m_swap(swap) {}
    virtual ~CInputStream() = default;

    CInputStream(const CInputStream&) = delete;
    CInputStream& operator=(const CInputStream&) = delete;

    // Bytes left to read; 0 once the error flag is set.
    virtual std::uint32_t Available() = 0;
    // Moves past n bytes; too few left sets the error flag.
    virtual void Skip(std::uint32_t n) = 0;
    // Copies n bytes; too few left sets the error flag and zeroes dest.
    virtual void Read(void* dest, std::uint32_t n) = 0;

    std::uint8_t ReadU8();
    std::int8_t ReadS8();
    std::uint16_t ReadU16();
    std::int16_t ReadS16();
    std::uint32_t ReadU32();
    std::int32_t ReadS32();
    std::uint64_t ReadU64();
    std::int64_t ReadS64();

    std::uint8_t HasError() const { return m_error; }

protected:
    std::uint8_t m_swap = 0;
    std::uint8_t m_error = 0;

private:
    // Reads size bytes (reversed when swapping) and assembles them as a
    // little-endian value.
    std::uint64_t ReadValue(std::uint32_t size);
};
