// Prints rectangles in test failure messages as (x, y, w, h).
#pragma once

#include <ostream>

#include "platform/shared/graphics/2d/CRect.h"

inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}
