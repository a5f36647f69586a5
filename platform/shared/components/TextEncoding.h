// Conversions between the program's 16-bit text and its stored UTF-8 form.
// The UTF-8 is the one-to-three-byte form: code units are converted one by
// one (a character beyond 16 bits travels as two separately encoded
// surrogates) and a unit of value 0 is written as the two bytes C0 80.
#pragma once

#include <cstdint>

// Decodes count bytes into at most capacity units and stores a terminator
// (in place of the last unit when the output is full). Malformed input stops
// the decoding and leaves an empty text. Returns the units decoded.
std::uint32_t Utf8ToUtf16(const std::uint8_t* utf8, std::uint32_t count, char16_t* out, std::uint32_t capacity);
// Encodes count units, storing each unit's sequence only while it fits whole
// in capacity bytes; no terminator. Returns the UTF-8 length of all units.
std::uint32_t Utf16ToUtf8(const char16_t* text, std::uint32_t count, std::uint8_t* out, std::uint32_t capacity);
// Bytes the UTF-8 form of count units takes.
std::uint32_t Utf8LengthOfUtf16(const char16_t* text, std::uint32_t count);
// Characters in count UTF-8 bytes, or 0 when a sequence is malformed.
std::uint32_t Utf8CharCount(const std::uint8_t* utf8, std::uint32_t count);

// The same with a 2-byte little-endian length before the UTF-8 bytes.
std::uint32_t Utf8PrefixedToUtf16(const std::uint8_t* bytes, std::uint32_t count, char16_t* out, std::uint32_t capacity);
std::uint32_t Utf16ToUtf8Prefixed(const char16_t* text, std::uint32_t count, std::uint8_t* out, std::uint32_t capacity);
std::uint32_t Utf8PrefixedSize(const char16_t* text, std::uint32_t count);
std::uint32_t Utf8PrefixedCharCount(const std::uint8_t* bytes, std::uint32_t count);
