// One-pixel lines and rectangle outlines drawn straight into the graphics
// device's render surface, and integer minimum, maximum and clamping.
//
// The lines go into the pixels of the surface's lock; they are drawn
// between a frame's lock and unlock of the back buffer, whose unlock ends
// the lock they take.
#pragma once

#include <cstdint>

#include "platform/shared/core/StringUtil.h"

// The smaller (b when equal) and the larger of two signed values.
constexpr std::int32_t MinInt(std::int32_t a, std::int32_t b) { return Min(a, b); }
constexpr std::int32_t MaxInt(std::int32_t a, std::int32_t b) { return Max(a, b); }
// MaxInt(MinInt(v, hi), lo): lo wins when lo > hi.
constexpr std::int32_t ClampInt(std::int32_t v, std::int32_t lo, std::int32_t hi) { return MaxInt(MinInt(v, hi), lo); }

// The render surface's size in pixels; without a graphics device or surface
// the assertion at source and line fails.
void GetScreenSize(std::int32_t* width, std::int32_t* height, const char* source, int line);

// A line from (x0, y0) toward (x1, y1) in the colour 0xAARRGGBB, drawn
// opaque unless its alpha is 0 (nothing drawn). The end points are first
// moved onto the surface (the slope changes; nothing is clipped); the line
// covers max(|dx|, |dy|) pixels and leaves (x1, y1) itself undrawn. Surfaces
// of RGB 565, 6-6-6 and XRGB 8888 get pixels, others none.
void DrawLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint32_t colour);
// The outline of x .. x + w by y .. y + h as four lines, which leave the
// corner (x + w, y + h) undrawn.
void DrawRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour);
