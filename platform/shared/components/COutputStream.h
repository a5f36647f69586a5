// Base of the output streams: typed writes of 1, 2, 4 and 8 bytes in either
// byte order over a sink's raw Write, and an error flag.
#pragma once

#include <cstdint>

class COutputStream {
public:
    COutputStream() = default;
    // swap 1: multi-byte values are written big-endian.
    explicit COutputStream(std::uint8_t swap) : m_swap(swap) {}
    virtual ~COutputStream() = default;

    COutputStream(const COutputStream&) = delete;
    COutputStream& operator=(const COutputStream&) = delete;

    virtual void Write(const void* source, std::uint32_t n) = 0;

    void WriteU8(std::uint8_t value);
    void WriteS8(std::int8_t value);
    void WriteU16(std::uint16_t value);
    void WriteS16(std::int16_t value);
    void WriteU32(std::uint32_t value);
    void WriteS32(std::int32_t value);
    void WriteU64(std::uint64_t value);
    void WriteS64(std::int64_t value);

    std::uint8_t HasError() const { return m_error; }

protected:
    std::uint8_t m_swap = 0;
    std::uint8_t m_error = 0;

private:
    // Lays the value out little-endian (reversed when swapping) and writes
    // size bytes of it.
    void WriteValue(std::uint64_t value, std::uint32_t size);
};
