// Output stream into a caller's fixed byte array. Its error flag reports the
// last write only: each write sets it anew. Nothing is ever stored beyond
// the capacity; a write that does not fit stores the bytes that do.
#pragma once

#include <cstdint>

#include "platform/shared/components/COutputStream.h"

class CArrayOutputStream : public COutputStream {
public:
    CArrayOutputStream() = default;
    // swap 1 writes big-endian values (the network frames use it).
    explicit CArrayOutputStream(std::uint8_t swap) : COutputStream(swap) {}

    // Attaches capacity bytes at buffer, position 0. A null buffer is
    // accepted only with capacity 0. Returns 1 or 0.
    int Attach(void* buffer, std::uint32_t capacity);
    void Reset();

    void Write(const void* source, std::uint32_t n) override;

    // A big-endian u16 byte count, whatever the swap flag, then the UTF-8
    // form of the length units of text (a unit 0 as C0 80). What does not
    // fit is cut and sets the error flag; a text whose UTF-8 form exceeds
    // 65535 bytes is refused whole with the error flag set.
    void WriteUTF(const char16_t* text, std::uint32_t length);
    // Stores at most n bytes of the zero-terminated text's UTF-8 form (whole
    // sequences only). Returns the text's full UTF-8 length.
    std::uint32_t WriteUtf8Chars(std::uint32_t n, const char16_t* text);

private:
    std::uint32_t Room() const { return m_buffer == nullptr ? 0 : m_capacity - m_position; }
    std::uint32_t WriteUtf8Units(std::uint32_t n, const char16_t* text, std::uint32_t units);

    std::uint8_t* m_buffer = nullptr;
    std::uint32_t m_capacity = 0;
    std::uint32_t m_position = 0;
};
