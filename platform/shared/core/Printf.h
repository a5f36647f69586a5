// The program's own printf engines, one for 8-bit and one for 16-bit text.
//
// Integer conversions only (c s U p n o x X d i u); no floating point. The
// arguments are read with their C++ types: int / unsigned for integers and
// characters, const char* (narrow) or const char16_t* (wide) for %s and %U,
// void* for %p, int* for %n. The 'h', 'l' and 'L' qualifiers are accepted and
// ignored. Where this differs from the C library:
//   - zero padding and a precision add up: "%05.2d" of 3 gives "00003";
//   - "%#x" of 0 gives "0x0", and "%#o" always writes its '0' ("%#o" of 0 is
//     "00");
//   - a precision of 0 still prints the digit of 0, and a negative precision
//     from '*' counts as 0 ("%.*s" of -1 prints nothing);
//   - a null string prints "<NULL>" (wide: "NULL");
//   - %p prints the pointer in lower-case hex, 8 digits zero-padded when no
//     width is given, "0x" only with '#';
//   - an unknown conversion prints '%' and the character, dropping the flags
//     and width before it ("%5q" gives "%q"); a format ending right after the
//     '%' part prints '%' and stops;
//   - the wide %c writes the low 8 bits of its argument.
#pragma once

#include <cstdarg>
#include <cstddef>

// Unbounded: the buffer must hold the whole text and its terminator. Return
// the number of characters written, terminator excluded.
int VSPrintf(char* buffer, const char* format, va_list args) __attribute__((format(printf, 2, 0)));
int SPrintf(char* buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));
int VSWPrintf(char16_t* buffer, const char16_t* format, va_list args);
int SWPrintf(char16_t* buffer, const char16_t* format, ...);

// Bounded, for text that comes from files or the network: at most
// capacity - 1 characters are stored and the text is always terminated
// (nothing is written when the capacity is 0). Return the number of
// characters stored, terminator excluded. %n stores the length the text has
// reached, counting what was cut.
int VSNPrintf(char* buffer, std::size_t capacity, const char* format, va_list args)
    __attribute__((format(printf, 3, 0)));
int SNPrintf(char* buffer, std::size_t capacity, const char* format, ...) __attribute__((format(printf, 3, 4)));
int VSWNPrintf(char16_t* buffer, std::size_t capacity, const char16_t* format, va_list args);
int SWNPrintf(char16_t* buffer, std::size_t capacity, const char16_t* format, ...);
