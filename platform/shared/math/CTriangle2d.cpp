#include "platform/shared/math/CTriangle2d.h"

#include "platform/shared/math/CLineSegment2d.h"

namespace {

using M = CMathFixed;

bool IsUnitParameter(std::int32_t t) { return t >= 0 && t <= M::kOne; }

// Whether the segments p0-p1 and q0-q1 cross; t along p, u along q.
bool SegmentsCross(const CVector2d& p0, const CVector2d& p1, const CVector2d& q0, const CVector2d& q1, std::int32_t& t,
                   std::int32_t& u) {
    return CLineSegment2d::IntersectLines(p0, p1, q0, q1, t, u) && IsUnitParameter(t) && IsUnitParameter(u);
}

std::int32_t SquaredLength(const CVector2d& v) { return CVector2d::Dot(v, v); }

}  // namespace

std::int32_t CTriangle2d::ContainsPoint(const CVector2d& a, const CVector2d& b, const CVector2d& c,
                                        const CVector2d& p) {
    const std::int32_t s1 = Side(a, b, p);
    const std::int32_t s2 = Side(b, c, p);
    const std::int32_t s3 = Side(c, a, p);
    // Inside when no two of the sides have opposite signs. The first and
    // third are compared too: with the second 0 (p on the line of b-c) they
    // alone tell a point on the edge from one beyond its end.
    if (M::Mul(s1, s2) < 0 || M::Mul(s1, s3) < 0) {
        return kOutside;
    }
    return M::Mul(s2, s3) >= 0 ? kInside : kOutside;
}

std::int32_t CTriangle2d::IntersectSegment(const CVector2d& a, const CVector2d& b, const CVector2d& c,
                                           const CVector2d& s0, const CVector2d& s1) {
    const CVector2d* const corners[] = {&a, &b, &c, &a};
    for (int i = 0; i < 3; ++i) {
        std::int32_t t;
        std::int32_t u;
        if (SegmentsCross(s0, s1, *corners[i], *corners[i + 1], t, u)) {
            return kCrossing;
        }
    }
    return ContainsPoint(a, b, c, s0) == kInside ? kInside : kOutside;
}

bool CTriangle2d::IntersectEdges(const CVector2d& a, const CVector2d& b, const CVector2d& c, const CVector2d& s0,
                                 const CVector2d& s1, std::int32_t& t, std::int32_t& u) {
    const CVector2d* const corners[] = {&a, &b, &c, &a};
    for (int i = 0; i < 3; ++i) {
        std::int32_t edgeT;
        std::int32_t segmentU;
        if (SegmentsCross(*corners[i], *corners[i + 1], s0, s1, edgeT, segmentU)) {
            t = edgeT;
            u = segmentU;
            return true;
        }
    }
    return false;
}

bool CTriangle2d::IntersectTriangle(const CVector2d& a0, const CVector2d& a1, const CVector2d& a2,
                                    const CVector2d& b0, const CVector2d& b1, const CVector2d& b2) {
    const CVector2d* const corners[] = {&a0, &a1, &a2, &a0};
    for (int i = 0; i < 3; ++i) {
        std::int32_t t;
        std::int32_t u;
        if (IntersectEdges(b0, b1, b2, *corners[i], *corners[i + 1], t, u)) {
            return true;
        }
    }
    // No edges cross: one triangle lies inside the other, or they are apart.
    return ContainsPoint(a0, a1, a2, b0) == kInside || ContainsPoint(b0, b1, b2, a0) == kInside;
}

void CTriangle2d::Barycentric(const CVector2d& a, const CVector2d& b, const CVector2d& c, const CVector2d& p,
                              std::int32_t& wa, std::int32_t& wb, std::int32_t& wc) {
    const CVector2d e0 = b - a;
    const CVector2d e1 = c - a;
    const CVector2d ep = p - a;
    const std::int32_t d00 = CVector2d::Dot(e0, e0);
    const std::int32_t d01 = CVector2d::Dot(e0, e1);
    const std::int32_t d11 = CVector2d::Dot(e1, e1);
    const std::int32_t d20 = CVector2d::Dot(ep, e0);
    const std::int32_t d21 = CVector2d::Dot(ep, e1);
    const std::int32_t den = WrapSub32(M::Mul(d00, d11), M::Mul(d01, d01));
    if (den == 0) {
        // Collinear vertices: all the weight on a.
        wa = M::kOne;
        wb = wc = 0;
        return;
    }
    const std::int32_t inverse = M::Div(M::kOne, den);
    wb = M::Mul(inverse, WrapSub32(M::Mul(d11, d20), M::Mul(d01, d21)));
    wc = M::Mul(inverse, WrapSub32(M::Mul(d00, d21), M::Mul(d01, d20)));
    wa = WrapSub32(WrapSub32(M::kOne, wc), wb);
}

bool CTriangle2d::IsIsosceles() const {
    const std::int32_t ab = SquaredLength(b - a);
    const std::int32_t ac = SquaredLength(c - a);
    const std::int32_t bc = SquaredLength(c - b);
    return ab == ac || ab == bc || ac == bc;
}

bool CTriangle2d::IsEquilateral() const {
    const std::int32_t ab = SquaredLength(b - a);
    return ab == SquaredLength(c - a) && ab == SquaredLength(c - b);
}
