// Input stream over a block of memory that it does not own.
#pragma once

#include <cstdint>

#include "platform/shared/components/CInputStream.h"

class CArrayInputStream : public CInputStream {
public:
    CArrayInputStream() = default;
    // The byte-order constructor: swap 1 reads big-endian values.
    explicit CArrayInputStream(std::uint8_t swap) : CInputStream(swap) {}

    // Attaches size bytes at data and starts at position 0. A null pointer
    // is accepted only with size 0 (an empty stream). Returns 1 or 0.
    int SetData(const void* data, std::uint32_t size);
    // Detaches the block; the flags are kept.
    void Reset();

    std::uint32_t Available() override;
    void Skip(std::uint32_t n) override;
    void Read(void* dest, std::uint32_t n) override;

    // Decodes the next n bytes as UTF-8 into wideDest (capacity units,
    // terminator included). Returns the characters decoded.
    std::uint32_t ReadUtf8Chars(std::uint32_t n, char16_t* wideDest, std::uint32_t capacity);
    // A big-endian u16 byte count, whatever the swap flag, then that many
    // UTF-8 bytes decoded as by ReadUtf8Chars.
    std::uint32_t ReadUTF(char16_t* wideDest, std::uint32_t capacity);

protected:
    // A big-endian u16, whatever the swap flag.
    std::uint16_t ReadU16BigEndian();

private:
    std::uint32_t m_size = 0;
    const std::uint8_t* m_data = nullptr;
    std::uint32_t m_position = 0;
};
