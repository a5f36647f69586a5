// Small string and memory routines used across the program.
#pragma once

#include <cstddef>
#include <cstdint>

// atoi (leading white space, a sign, the digits up to the first other
// character; 0 without digits), saturated at the int range.
int ParseDecimal(const char* text);
// strcmp.
int CompareStrings(const char* a, const char* b);
// Widens a zero-terminated narrow string byte by byte (each byte becomes the
// code unit of the same value), terminator included; returns the buffer.
char16_t* WidenString(char16_t* destination, const char* source);
// strcat; returns the destination.
char* StrCat(char* destination, const char* source);
// strncpy of at most n bytes, then byte n-1 set to 0; returns the destination.
char* SafeStrCopy(char* destination, const char* source, std::size_t n);

// Copies the source and its terminator; the destination must be large enough.
char* CopyString(char* destination, const char* source);
char16_t* CopyWideString(char16_t* destination, const char16_t* source);
// Appends the 16-bit source after the destination's text, with its terminator.
char16_t* AppendWideString(char16_t* destination, const char16_t* source);
// Characters before the terminator; the text must not be null.
std::uint32_t StringLength(const char* text);
std::uint32_t WideStringLength(const char16_t* text);

// Sets count bytes to the value reduced to one byte; returns the destination.
void* MemSet(void* destination, int value, std::size_t count);
// Releases a block obtained from malloc.
void MemFree(void* block);

constexpr std::int32_t Min(std::int32_t a, std::int32_t b) { return a < b ? a : b; }
constexpr std::int32_t Max(std::int32_t a, std::int32_t b) { return a > b ? a : b; }
