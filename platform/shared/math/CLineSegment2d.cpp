#include "platform/shared/math/CLineSegment2d.h"

#include "platform/shared/core/Debug.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CLineSegment2d";

using M = CMathFixed;

// Squared length at or below which a segment counts as a point.
constexpr std::int32_t kPointTolerance = 1;

bool IsUnitParameter(std::int32_t t) { return t >= 0 && t <= M::kOne; }

// The 2D cross product a.x b.y - a.y b.x.
std::int32_t Cross(const CVector2d& a, const CVector2d& b) { return WrapSub32(M::Mul(a.x, b.y), M::Mul(a.y, b.x)); }

}  // namespace

bool CLineSegment2d::IntersectLines(const CVector2d& a0, const CVector2d& a1, const CVector2d& b0,
                                    const CVector2d& b1, std::int32_t& t, std::int32_t& u) {
    const CVector2d d1 = a1 - a0;
    const CVector2d d2 = b1 - b0;
    const std::int32_t den = Cross(d1, d2);
    if (den == 0) {
        return false;
    }
    const CVector2d w = b0 - a0;
    t = M::Div(Cross(w, d2), den);
    u = M::Div(Cross(w, d1), den);
    return true;
}

std::int32_t CLineSegment2d::ClosestPoint(const CVector2d& a, const CVector2d& b, const CVector2d& p, CVector2d& q) {
    const CVector2d ab = b - a;
    const std::int32_t d = CVector2d::Dot(p - a, ab);
    if (d <= 0) {
        q = a;
        return 0;
    }
    const std::int32_t l = CVector2d::Dot(ab, ab);
    if (d >= l) {
        q = b;
        return M::kOne;
    }
    const std::int32_t t = M::Div(d, l);
    q = a + ab * t;
    return t;
}

CVector2d CLineSegment2d::ClosestOffset(const CVector2d& a, const CVector2d& b, const CVector2d& p,
                                        CVector2d& offset, std::int32_t& t) {
    CVector2d q;
    t = ClosestPoint(a, b, p, q);
    offset = p - q;
    return offset;
}

std::int32_t CLineSegment2d::Classify(const CVector2d& a, const CVector2d& b, const CVector2d& p) {
    const std::int32_t c = CVector2d::SideOfLine(p, a, b);
    return c < 0 ? kNegativeSide : (c == 0 ? kOnLine : kPositiveSide);
}

void CLineSegment2d::ClosestPoints(const CVector2d& p1, const CVector2d& q1, const CVector2d& p2,
                                   const CVector2d& q2, CVector2d& c1, CVector2d& c2, std::int32_t& s,
                                   std::int32_t& t) {
    const CVector2d d1 = q1 - p1;
    const CVector2d d2 = q2 - p2;
    const CVector2d r = p1 - p2;
    const std::int32_t a = CVector2d::Dot(d1, d1);
    const std::int32_t e = CVector2d::Dot(d2, d2);
    const std::int32_t f = CVector2d::Dot(d2, r);
    if (a <= kPointTolerance && e <= kPointTolerance) {
        c1 = p1;
        c2 = p2;
        s = t = 0;
        return;
    }
    if (a <= kPointTolerance) {
        s = 0;
        t = M::Clamp(M::Div(f, e), 0, M::kOne);
    } else {
        const std::int32_t c = CVector2d::Dot(d1, r);
        if (e <= kPointTolerance) {
            t = 0;
            s = M::Clamp(M::Div(WrapNeg32(c), a), 0, M::kOne);
        } else {
            const std::int32_t b = CVector2d::Dot(d1, d2);
            const std::int32_t den = WrapSub32(M::Mul(a, e), M::Mul(b, b));
            s = M::Abs(den) > 1 ? M::Clamp(M::Div(WrapSub32(M::Mul(b, f), M::Mul(c, e)), den), 0, M::kOne) : 0;
            const std::int32_t tn = WrapAdd32(M::Mul(b, s), f);
            if (tn < 0) {
                t = 0;
                s = M::Clamp(M::Div(WrapNeg32(c), a), 0, M::kOne);
            } else if (tn > e) {
                t = M::kOne;
                s = M::Clamp(M::Div(WrapSub32(b, c), a), 0, M::kOne);
            } else {
                t = M::Div(tn, e);
            }
        }
    }
    c1 = p1 + d1 * s;
    c2 = p2 + d2 * t;
}

bool CLineSegment2d::IntersectsRect(const CVector2d& a, const CVector2d& b, const CVector2d& min,
                                    const CVector2d& max) {
    if (PointInRect(a, min, max) || PointInRect(b, min, max)) {
        return true;
    }
    // A segment that enters and leaves through the left and right edges
    // crosses the diagonal.
    const CLineSegment2d sides[] = {{min, CVector2d(max.x, min.y)}, {min, max}, {CVector2d(min.x, max.y), max}};
    for (const CLineSegment2d& side : sides) {
        std::int32_t t;
        std::int32_t u;
        if (IntersectLines(a, b, side.start, side.end, t, u) && IsUnitParameter(t) && IsUnitParameter(u)) {
            return true;
        }
    }
    return false;
}

void CLineSegment2d::GetPolygonEdge(const CVector2d* vertices, std::int32_t count, std::int32_t index,
                                    const CVector2d** edgeStart, const CVector2d** edgeEnd, const CVector2d** next) {
    DebugAssert(edgeStart != nullptr && edgeEnd != nullptr, kSourcePath, 311);
    const std::int32_t endIndex = index == count - 1 ? 0 : index + 1;
    *edgeStart = &vertices[index];
    *edgeEnd = &vertices[endIndex];
    if (next != nullptr) {
        *next = &vertices[index == count - 2 ? 0 : endIndex + 1];
    }
}
