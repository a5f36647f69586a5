#include "platform/shared/graphics/2d/RectUtil.h"

#include <algorithm>

#include "platform/shared/core/CGenUtil.h"

namespace {

std::int16_t S16(std::int32_t value) { return static_cast<std::int16_t>(value); }

}  // namespace

void ClipRect(CRect* rect, const CRect* clip) {
    CGenUtil::ClipSpan(clip->x, clip->w, rect->x, rect->w);
    CGenUtil::ClipSpan(clip->y, clip->h, rect->y, rect->h);
}

CRect* RectUnion(CRect* rect, const CRect* other) {
    if (other->w == 0 || other->h == 0) return rect;
    if (rect->w == 0 || rect->h == 0) return &rect->Assign(*other);
    const std::int32_t right = std::max(rect->x + rect->w, other->x + other->w);
    const std::int32_t bottom = std::max(rect->y + rect->h, other->y + other->h);
    rect->x = std::min(rect->x, other->x);
    rect->y = std::min(rect->y, other->y);
    rect->w = S16(right - rect->x);
    rect->h = S16(bottom - rect->y);
    return rect;
}

bool RectContains(const CRect* outer, const CRect* inner) {
    return outer->x <= inner->x && outer->y <= inner->y && outer->y + outer->h >= inner->y + inner->h &&
           outer->x + outer->w >= inner->x + inner->w;
}

bool RectOverlaps(const CRect* a, const CRect* b) {
    const auto overlaps = [](std::int32_t p, std::int32_t l, std::int32_t q, std::int32_t m) {
        return (p >= q && p <= q + m) || (p < q && p + l >= q);
    };
    return overlaps(a->x, a->w, b->x, b->w) && overlaps(a->y, a->h, b->y, b->h);
}

void RectKeepInside(CRect* rect, const CRect* bounds, std::int16_t margin) {
    if (rect->x + rect->w + margin > bounds->x + bounds->w) rect->x = S16(bounds->x + bounds->w - (rect->w + margin));
    if (rect->y + rect->h + margin > bounds->y + bounds->h) rect->y = S16(bounds->y + bounds->h - (rect->h + margin));
    if (rect->x < bounds->x + margin) rect->x = S16(bounds->x + margin);
    if (rect->y < bounds->y + margin) rect->y = S16(bounds->y + margin);
}

void RectTrim(CRect* rect, const CRect* other) {
    if (other->x < rect->x) {
        const std::int32_t d = rect->x - other->x;
        rect->x = S16(rect->x + d);
        rect->w = S16(rect->w - d);
    } else if (other->x > rect->x) {
        rect->w = S16(rect->w - other->w);
    } else if (other->y < rect->y) {
        const std::int32_t d = rect->y - other->y;
        rect->y = S16(rect->y + d);
        rect->h = S16(rect->h - d);
    } else if (other->y > rect->y) {
        rect->h = S16(rect->h - other->h);
    }
}
