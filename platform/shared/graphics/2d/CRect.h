// A rectangle of back-buffer pixels: position and size, signed 16-bit each.
#pragma once

#include <cstdint>

struct CRect {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t w = 0;
    std::int16_t h = 0;

    // The empty rectangle: all four 0.
    CRect() = default;
    CRect(std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height)
        : x(left), y(top), w(width), h(height) {}

    CRect& Assign(const CRect& other) {
        *this = other;
        return *this;
    }

    bool operator==(const CRect&) const = default;
};
