#include "src/actionZel/AZ_Geometry.h"

#include <algorithm>

#include "platform/shared/core/Wrap.h"

namespace {

// Below this relative speed an axis counts as still.
constexpr std::int64_t kStill = 102;

bool OverlapOnAxis(std::int64_t a, std::int64_t aSize, std::int64_t b, std::int64_t bSize) {
    return a + aSize >= b && a < b + bSize;
}

// The step's entry and exit times on one axis for the relative speed d; false
// when the axis is still and the boxes apart on it. Sums in 64 bits, so
// that no position wraps.
bool AxisWindow(std::int64_t a, std::int64_t aSize, std::int64_t b, std::int64_t bSize, std::int64_t d,
                std::int64_t* entry, std::int64_t* exit) {
    if (d >= kStill || d <= -kStill) {
        const std::int64_t t0 = (b - (a + aSize)) * 1024 / d;
        const std::int64_t t1 = (b + bSize - a) * 1024 / d;
        *entry = std::min(t0, t1);
        *exit = std::max(t0, t1);
        return true;
    }
    *entry = 0;
    *exit = 1024;
    return OverlapOnAxis(a, aSize, b, bSize);
}

}  // namespace

std::int32_t AZ_Abs(std::int32_t v) { return v < 0 ? WrapNeg32(v) : v; }

std::int32_t AZ_BoxesOverlap(std::int32_t ax, std::int32_t ay, std::int32_t aw, std::int32_t ah, std::int32_t bx,
                             std::int32_t by, std::int32_t bw, std::int32_t bh) {
    return OverlapOnAxis(ax, aw, bx, bw) && OverlapOnAxis(ay, ah, by, bh) ? 1 : -1;
}

std::int32_t AZ_SweptBoxContactTime(std::int32_t ax, std::int32_t ay, std::int32_t aw, std::int32_t ah, std::int32_t bx,
                                    std::int32_t by, std::int32_t bw, std::int32_t bh, std::int32_t avx,
                                    std::int32_t avy, std::int32_t bvx, std::int32_t bvy) {
    if (AZ_BoxesOverlap(ax, ay, aw, ah, bx, by, bw, bh) == 1) return 0;
    std::int64_t xEntry, xExit, yEntry, yExit;
    if (!AxisWindow(ax, aw, bx, bw, std::int64_t{avx} - bvx, &xEntry, &xExit)) return -1;
    if (!AxisWindow(ay, ah, by, bh, std::int64_t{avy} - bvy, &yEntry, &yExit)) return -1;
    if (xEntry > yExit || yEntry > xExit) return -1;
    const std::int64_t entry = std::max(xEntry, yEntry);
    return Low32(entry < 0 ? -entry : entry);
}

std::int32_t AZ_SweptBoxContactTimeX(std::int32_t ax, std::int32_t ay, std::int32_t aw, std::int32_t ah,
                                     std::int32_t bx, std::int32_t by, std::int32_t bw, std::int32_t bh,
                                     std::int32_t vx0, std::int32_t vx1) {
    if (!OverlapOnAxis(ay, ah, by, bh)) return -1;
    std::int64_t entry, exit;
    if (!AxisWindow(ax, aw, bx, bw, std::int64_t{vx1} - vx0, &entry, &exit)) return -1;
    if (exit < 0 || entry > 1024) return -1;
    return Low32(std::max<std::int64_t>(entry, 0));
}
