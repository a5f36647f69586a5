// Free functions on rectangles. Sums are taken in 32 bits and stored back
// in 16 bits.
#pragma once

#include "platform/shared/graphics/2d/CRect.h"

// Clips rect to clip, x axis then y axis. Where an axis does not overlap,
// its length becomes 0 and its position stays.
void ClipRect(CRect* rect, const CRect* clip);
// The bounding box of both; a rect with zero width or height takes other,
// an other with zero width or height leaves rect unchanged.
CRect* RectUnion(CRect* rect, const CRect* other);
// Equal edges count as inside.
bool RectContains(const CRect* outer, const CRect* inner);
// True when the rectangles overlap or touch on both axes.
bool RectOverlaps(const CRect* a, const CRect* b);
// Moves rect inside bounds, margin pixels from its edges; when it does not
// fit, the left and top margins win.
void RectKeepInside(CRect* rect, const CRect* bounds, std::int16_t margin);
// Trims rect by other: on the x axis when their x differ, else on the y
// axis; equal positions leave rect unchanged.
void RectTrim(CRect* rect, const CRect* other);
