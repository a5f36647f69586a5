#include "platform/shared/math/CLineSegment2d.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/SegmentMath.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CLineSegment2d";

using M = CMathFixed;

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
    return segment_math::ClosestPoint(a, b, p, q);
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
    segment_math::ClosestPoints(p1, q1, p2, q2, c1, c2, s, t);
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
