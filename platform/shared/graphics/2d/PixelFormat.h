// Pixel-format codes and the readers and converters of single pixels.
//
// A code packs (format id << 16) | (flags << 12) | (channel count << 8) |
// bytes per pixel. Codes are always compared whole; only the bytes per pixel
// are ever read out of one (code & 31). Flag 4 marks formats with alpha,
// flag 1 formats whose channels are bit fields narrower than a byte.
//
// Pixels are passed as the address of their first byte and read byte by
// byte as little-endian words; nothing checks that the pointer holds the
// format's number of bytes.
#pragma once

#include <cstdint>

#include "platform/shared/graphics/2d/FixedColour.h"

using PixelFormat = std::uint32_t;

constexpr PixelFormat kPixelFormatRgb565 = 0x21302;     // red 11-15, green 5-10, blue 0-4
constexpr PixelFormat kPixelFormatArgb1555 = 0x45402;   // alpha 15, red 10-14, green 5-9, blue 0-4
constexpr PixelFormat kPixelFormatArgb4444 = 0x65402;   // alpha 12-15, red 8-11, green 4-7, blue 0-3
constexpr PixelFormat kPixelFormatRgb666 = 0x81304;     // 32-bit word: red 12-17, green 6-11, blue 0-5
constexpr PixelFormat kPixelFormatBgr888 = 0x90303;     // bytes blue, green, red
constexpr PixelFormat kPixelFormatXrgb8888 = 0xB0304;   // bytes blue, green, red, unused
constexpr PixelFormat kPixelFormatArgb8888 = 0xC4404;   // bytes blue, green, red, alpha
constexpr PixelFormat kPixelFormatFixedArgb = 0x1E4410; // FixedColour: signed 32-bit a, r, g, b
constexpr PixelFormat kPixelFormatFixedRgba = 0x1F4410; // signed 32-bit r, g, b, a

constexpr std::uint32_t PixelFormatBytes(PixelFormat format) { return format & 31; }

// Below 0 gives 0, above 255 gives 255.
std::uint8_t ClampToByte(std::int32_t value);

// Bytes 3, 2, 1 and 0 of a 32-bit ARGB 8888 value in memory.
std::uint32_t GetAlpha8888(const void* pixel);
std::uint32_t GetRed8888(const void* pixel);
std::uint32_t GetGreen8888(const void* pixel);
std::uint32_t GetBlue8888(const void* pixel);

// 8-bit channels; formats without alpha read 255. An unknown code leaves
// the outputs unchanged.
void PixelGetRGB(PixelFormat format, const std::uint8_t* pixel, std::uint8_t* red, std::uint8_t* green,
                 std::uint8_t* blue);
void PixelGetARGB(PixelFormat format, const std::uint8_t* pixel, std::uint8_t* alpha, std::uint8_t* red,
                  std::uint8_t* green, std::uint8_t* blue);

// Conversions of one pixel; 0 for the formats each one does not take.
std::uint32_t PixelTo565(PixelFormat format, const std::uint8_t* pixel);
std::uint32_t PixelToXRGB8888(PixelFormat format, const std::uint8_t* pixel);
std::uint32_t PixelToARGB8888(PixelFormat format, const std::uint8_t* pixel);
// A code it does not take leaves the colour unchanged.
void PixelToFixedColour(FixedColour* colour, PixelFormat format, const std::uint8_t* pixel);

// Each 8-bit value c becomes c * 4 | c >> 6 (255 gives 1023).
void FixedColourFromBytes(FixedColour* colour, std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b);
