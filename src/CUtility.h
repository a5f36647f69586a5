// Text and string helpers of the framework: bounded wide copies, narrow and
// wide conversions (byte for character, as the platform converts), string
// resources copied into fixed buffers, numbers read from text, the accept
// and back keys, and the scanning of configuration text.
#pragma once

#include <cstdint>

// Copies at most n characters of the source, filling the rest of the n
// places with terminators when it is shorter, then terminates at index
// n - 1 in every case. Nothing for n = 0. Returns the destination.
char16_t* CopyWideStringN(char16_t* destination, const char16_t* source, std::uint32_t n);
// Widens at most n bytes of the source (terminator included), then
// terminates at index n - 1. Nothing for n = 0. Returns the destination.
char16_t* NarrowToWideN(char16_t* destination, const char* source, std::uint32_t n);
// Formats one integer with a format that may come from the archive (a
// translation can change it): %d and %i, with the flags "-+ 0#" and a width,
// print the value (each of them the same value), "%%" prints '%', and any
// other '%' is copied as it stands. At most size - 1 characters are stored
// and the text is terminated; nothing for size 0, an empty text for a null
// format. Returns the characters stored.
std::uint32_t FormatWideInt(char16_t* destination, std::uint32_t size, const char16_t* format, std::int32_t value);

class CUtility {
public:
    // Narrows the source and its terminator character for byte, '?' for a
    // character above 0xFF; the destination holds length + 1 bytes.
    static char* WideToNarrow(char* destination, const char16_t* source);
    // The text resource's first size / 2 - 1 characters, terminated; an
    // empty text when it is missing. The destination and size must not be 0.
    static void CopyStringResource(std::uint32_t id, char16_t* destination, std::uint32_t sizeBytes);
    // ParseNumber of the text resource's first 19 characters; 0 when missing.
    static std::int32_t GetStringResourceNumber(std::uint32_t id);
    // "0x" or "0X" and hexadecimal digits, else a decimal integer (leading
    // spaces and a sign allowed); at most 19 characters after the prefix
    // are read. 0 without digits.
    static std::int32_t ParseNumber(const char16_t* text);
    // Select and the left soft key; back and the right soft key. Only the
    // low 16 bits of the key count.
    static bool IsAcceptKey(std::uint32_t key);
    static bool IsBackKey(std::uint32_t key);
    // Space, tab, carriage return and line feed.
    static bool IsSpace(char c);
    static const char* SkipSpaces(const char* p);
    // ASCII digits and letters.
    static bool IsAlphaNumeric(char c);
    // Past letters, digits, '_' and '-'.
    static const char* SkipWord(const char* p);
};
