#include "platform/shared/graphics/2d/PixelFormat.h"

namespace {

std::uint32_t Word16(const std::uint8_t* p) { return p[0] | std::uint32_t{p[1]} << 8; }

std::uint32_t Word32(const std::uint8_t* p) {
    return p[0] | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// Word i of a four-channel fixed-point pixel.
std::int32_t FixedWord(const std::uint8_t* p, int i) { return static_cast<std::int32_t>(Word32(p + 4 * i)); }

// Widens a field of the given width to 8 bits, filling the new low bits
// with the field's own low bits.
std::uint8_t Widen(std::uint32_t field, int bits) {
    const int missing = 8 - bits;
    return static_cast<std::uint8_t>(field << missing | (field & ((1u << missing) - 1)));
}

std::uint8_t FixedToByte(std::int32_t value) { return ClampToByte(value >> 2); }

// The channels of a fixed-point pixel; false for the other codes.
bool ReadFixed(PixelFormat format, const std::uint8_t* pixel, FixedColour* out) {
    switch (format) {
        case kPixelFormatFixedArgb:
            *out = {FixedWord(pixel, 0), FixedWord(pixel, 1), FixedWord(pixel, 2), FixedWord(pixel, 3)};
            return true;
        case kPixelFormatFixedRgba:
            *out = {FixedWord(pixel, 3), FixedWord(pixel, 0), FixedWord(pixel, 1), FixedWord(pixel, 2)};
            return true;
        default:
            return false;
    }
}

struct Argb {
    std::uint8_t a;
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

// The four channels of a pixel of a known format; false for an unknown code.
bool ReadArgb(PixelFormat format, const std::uint8_t* pixel, Argb* out) {
    if (FixedColour f; ReadFixed(format, pixel, &f)) {
        *out = {FixedToByte(f.a), FixedToByte(f.r), FixedToByte(f.g), FixedToByte(f.b)};
        return true;
    }
    switch (format) {
        case kPixelFormatRgb565: {
            const std::uint32_t v = Word16(pixel);
            *out = {255, Widen(v >> 11 & 31, 5), Widen(v >> 5 & 63, 6), Widen(v & 31, 5)};
            return true;
        }
        case kPixelFormatArgb1555: {
            const std::uint32_t v = Word16(pixel);
            *out = {static_cast<std::uint8_t>(v & 0x8000 ? 255 : 0), Widen(v >> 10 & 31, 5), Widen(v >> 5 & 31, 5),
                    Widen(v & 31, 5)};
            return true;
        }
        case kPixelFormatArgb4444: {
            const std::uint32_t v = Word16(pixel);
            *out = {Widen(v >> 12 & 15, 4), Widen(v >> 8 & 15, 4), Widen(v >> 4 & 15, 4), Widen(v & 15, 4)};
            return true;
        }
        case kPixelFormatRgb666: {
            const std::uint32_t v = Word32(pixel);
            *out = {255, Widen(v >> 12 & 63, 6), Widen(v >> 6 & 63, 6), Widen(v & 63, 6)};
            return true;
        }
        case kPixelFormatBgr888:
        case kPixelFormatXrgb8888:
            *out = {255, pixel[2], pixel[1], pixel[0]};
            return true;
        case kPixelFormatArgb8888:
            *out = {pixel[3], pixel[2], pixel[1], pixel[0]};
            return true;
        default:
            return false;
    }
}

// The 16-bit formats with alpha take no part in the conversions.
bool IsConverted(PixelFormat format) { return format != kPixelFormatArgb1555 && format != kPixelFormatArgb4444; }

}  // namespace

std::uint8_t ClampToByte(std::int32_t value) {
    if (value < 0) return 0;
    if (value > 255) return 255;
    return static_cast<std::uint8_t>(value);
}

std::uint32_t GetAlpha8888(const void* pixel) { return static_cast<const std::uint8_t*>(pixel)[3]; }
std::uint32_t GetRed8888(const void* pixel) { return static_cast<const std::uint8_t*>(pixel)[2]; }
std::uint32_t GetGreen8888(const void* pixel) { return static_cast<const std::uint8_t*>(pixel)[1]; }
std::uint32_t GetBlue8888(const void* pixel) { return static_cast<const std::uint8_t*>(pixel)[0]; }

void PixelGetRGB(PixelFormat format, const std::uint8_t* pixel, std::uint8_t* red, std::uint8_t* green,
                 std::uint8_t* blue) {
    Argb c;
    if (!ReadArgb(format, pixel, &c)) return;
    *red = c.r;
    *green = c.g;
    *blue = c.b;
}

void PixelGetARGB(PixelFormat format, const std::uint8_t* pixel, std::uint8_t* alpha, std::uint8_t* red,
                  std::uint8_t* green, std::uint8_t* blue) {
    Argb c;
    if (!ReadArgb(format, pixel, &c)) return;
    *alpha = c.a;
    *red = c.r;
    *green = c.g;
    *blue = c.b;
}

std::uint32_t PixelTo565(PixelFormat format, const std::uint8_t* pixel) {
    if (format == kPixelFormatRgb565) return Word16(pixel);
    Argb c;
    if (!IsConverted(format) || !ReadArgb(format, pixel, &c)) return 0;
    return static_cast<std::uint32_t>(c.b >> 3 | (c.g >> 2) << 5 | (c.r >> 3) << 11);
}

std::uint32_t PixelToXRGB8888(PixelFormat format, const std::uint8_t* pixel) {
    if (format == kPixelFormatXrgb8888) return Word32(pixel);
    Argb c;
    if (!IsConverted(format) || !ReadArgb(format, pixel, &c)) return 0;
    return c.b | std::uint32_t{c.g} << 8 | std::uint32_t{c.r} << 16 | 0xFF000000u;
}

std::uint32_t PixelToARGB8888(PixelFormat format, const std::uint8_t* pixel) {
    if (format == kPixelFormatArgb8888) return Word32(pixel);
    Argb c;
    if (!IsConverted(format) || !ReadArgb(format, pixel, &c)) return 0;
    return c.b | std::uint32_t{c.g} << 8 | std::uint32_t{c.r} << 16 | std::uint32_t{c.a} << 24;
}

void PixelToFixedColour(FixedColour* colour, PixelFormat format, const std::uint8_t* pixel) {
    if (ReadFixed(format, pixel, colour)) return;
    Argb c;
    if (!IsConverted(format) || !ReadArgb(format, pixel, &c)) return;
    FixedColourFromBytes(colour, c.a, c.r, c.g, c.b);
}

void FixedColourFromBytes(FixedColour* colour, std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const auto widen = [](std::uint8_t c) { return static_cast<std::int32_t>(c * 4 | c >> 6); };
    *colour = {widen(a), widen(r), widen(g), widen(b)};
}
