#include "platform/shared/math/CTriangle3d.h"

#include "platform/shared/math/CLineSegment3d.h"
#include "platform/shared/math/CTriangle2d.h"
#include "platform/shared/math/MatrixSupport.h"

namespace {

using M = CMathFixed;
using matrix_support::Crossed;

std::int32_t SquaredLength(const CVector3d& v) { return CVector3d::Dot(v, v); }

// num / den as a fraction; 0 when den is 0, which only coincident vertices
// give.
std::int32_t Fraction(std::int32_t num, std::int32_t den) { return den == 0 ? 0 : M::Div(num, den); }

bool OppositeSigns(std::int32_t a, std::int32_t b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

// Whether the segment from `point` along `direction` crosses an edge of the
// triangle, all projected along `axis`.
bool CrossesProjectedEdge(std::int32_t axis, const CVector3d& a, const CVector3d& b, const CVector3d& c,
                          const CVector3d& point, const CVector3d& direction) {
    CVector2d a2, b2, c2, s0, s1;
    CTriangle3d::ProjectTriangleTo2d(axis, a, b, c, a2, b2, c2);
    CTriangle3d::ProjectTo2d(axis, point, s0);
    CTriangle3d::ProjectTo2d(axis, point + direction, s1);
    std::int32_t t;
    std::int32_t u;
    return CTriangle2d::IntersectEdges(a2, b2, c2, s0, s1, t, u);
}

// The centre moved by (end - start) scaled by t, or t set to 0 when it is 0
// or less.
CVector3d MovedBy(const CVector3d& p, const CVector3d& start, const CVector3d& end, std::int32_t& t) {
    if (t > 0) {
        return p + (end - start) * t;
    }
    t = 0;
    return p;
}

}  // namespace

void CTriangle3d::ProjectTo2d(std::int32_t axis, const CVector3d& p, CVector2d& out) {
    if (axis == 0) {
        out.Set(p.x, p.y);
    } else if (axis == 1) {
        out.Set(p.y, p.z);
    } else {
        out.Set(p.z, p.x);
    }
}

void CTriangle3d::ProjectTriangleTo2d(std::int32_t axis, const CVector3d& a, const CVector3d& b, const CVector3d& c,
                                      CVector2d& a2, CVector2d& b2, CVector2d& c2) {
    ProjectTo2d(axis, a, a2);
    ProjectTo2d(axis, b, b2);
    ProjectTo2d(axis, c, c2);
}

bool CTriangle3d::StraddlesPlane(const CPlane& plane, const CVector3d& p0, const CVector3d& p1,
                                 std::int32_t tolerance) {
    const std::int32_t s0 = plane.Distance(p0);
    if (M::Abs(s0) <= tolerance) {
        return true;
    }
    const std::int32_t s1 = plane.Distance(p1);
    return M::Abs(s1) <= tolerance || OppositeSigns(s0, s1);
}

bool CTriangle3d::OnPlane(const CPlane& plane, const CVector3d& p) { return M::Abs(plane.Distance(p)) < 2; }

std::int32_t CTriangle3d::ProjectOntoPlane(const CPlane& plane, const CVector3d& p, CVector3d& out) {
    const std::int32_t s = plane.Distance(p);
    out = p - plane.normal * s;
    return s;
}

void CTriangle3d::ClosestPoint(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p,
                               CVector3d& out) {
    // The Voronoi regions of the vertices, then of the edges, then the face.
    const CVector3d ab = b - a;
    const CVector3d ac = c - a;
    const CVector3d ap = p - a;
    const std::int32_t d1 = CVector3d::Dot(ab, ap);
    const std::int32_t d2 = CVector3d::Dot(ac, ap);
    if (d1 < 1 && d2 < 1) {
        out = a;
        return;
    }
    const CVector3d bp = p - b;
    const std::int32_t d3 = CVector3d::Dot(ab, bp);
    const std::int32_t d4 = CVector3d::Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) {
        out = b;
        return;
    }
    const std::int32_t vc = WrapSub32(M::Mul(d1, d4), M::Mul(d3, d2));
    if (vc < 1 && d1 >= 0 && d3 < 1) {
        out = a + ab * Fraction(d1, WrapSub32(d1, d3));
        return;
    }
    const CVector3d cp = p - c;
    const std::int32_t d5 = CVector3d::Dot(ab, cp);
    const std::int32_t d6 = CVector3d::Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) {
        out = c;
        return;
    }
    const std::int32_t vb = WrapSub32(M::Mul(d5, d2), M::Mul(d1, d6));
    if (vb < 1 && d2 >= 0 && d6 < 1) {
        out = a + ac * Fraction(d2, WrapSub32(d2, d6));
        return;
    }
    const std::int32_t va = WrapSub32(M::Mul(d3, d6), M::Mul(d5, d4));
    const std::int32_t towardC = WrapSub32(d4, d3);
    const std::int32_t awayFromC = WrapSub32(d5, d6);
    if (va < 1 && towardC >= 0 && awayFromC >= 0) {
        out = b + (c - b) * Fraction(towardC, WrapAdd32(towardC, awayFromC));
        return;
    }
    // Inside the face. Each weight is divided by the sum itself: a truncated
    // 1024 / sum would be 0 for any face of more than about 16 square units.
    const std::int32_t sum = WrapAdd32(WrapAdd32(va, vb), vc);
    out = a + ab * Fraction(vb, sum) + ac * Fraction(vc, sum);
}

bool CTriangle3d::SphereTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& centre,
                                std::int32_t radius) {
    CVector3d q;
    ClosestPoint(a, b, c, centre, q);
    return SquaredLength(q - centre) <= M::Mul(radius, radius);
}

bool CTriangle3d::SphereSweepTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c,
                                     const CVector3d& centre, std::int32_t radius, const CVector3d& start,
                                     const CVector3d& end, std::int32_t& t) {
    return SphereTouches(a, b, c, MovedBy(centre, start, end, t), radius);
}

bool CTriangle3d::SegmentTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p0,
                                 const CVector3d& p1, std::int32_t radius, std::int32_t tolerance) {
    if (StraddlesPlane(CPlane(a, b, c), p0, p1, tolerance)) {
        return true;
    }
    CVector3d q;
    ClosestPoint(a, b, c, p0, q);
    return SquaredLength(q - p0) < M::Mul(radius, radius);
}

bool CTriangle3d::SegmentSweepTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p0,
                                      const CVector3d& p1, std::int32_t radius, const CVector3d& start,
                                      const CVector3d& end, std::int32_t& t) {
    const CVector3d shift = MovedBy(CVector3d(0, 0, 0), start, end, t);
    return SegmentTouches(a, b, c, p0 + shift, p1 + shift, radius, 0);
}

bool CTriangle3d::IntersectSegment(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p,
                                   const CVector3d& q, std::int32_t& t) {
    const CVector3d ab = b - a;
    const CVector3d ac = c - a;
    const CVector3d qp = p - q;
    const CVector3d n = Crossed(ab, ac);
    const std::int32_t d = CVector3d::Dot(qp, n);
    if (d <= 0) {
        return false;  // parallel, or running out through the front
    }
    const CVector3d ap = p - a;
    t = CVector3d::Dot(ap, n);
    if (t < 0 || t > d) {
        return false;
    }
    const CVector3d e = Crossed(qp, ap);
    const std::int32_t v = CVector3d::Dot(ac, e);
    if (v < 0 || v > d) {
        return false;
    }
    const std::int32_t w = WrapNeg32(CVector3d::Dot(ab, e));
    if (w < 0 || WrapAdd32(v, w) > d) {
        return false;
    }
    t = M::Div(t, d);
    return true;
}

std::int32_t CTriangle3d::ContainsPoint(const CVector3d& a, const CVector3d& b, const CVector3d& c,
                                        const CVector3d& p) {
    const CVector3d pa = a - p;
    const CVector3d pb = b - p;
    const CVector3d pc = c - p;
    const std::int32_t ab = CVector3d::Dot(pa, pb);
    const std::int32_t ac = CVector3d::Dot(pa, pc);
    const std::int32_t bc = CVector3d::Dot(pb, pc);
    const std::int32_t cc = CVector3d::Dot(pc, pc);
    if (WrapSub32(M::Mul(bc, ac), M::Mul(cc, ab)) < 0) {
        return kOutside;
    }
    const std::int32_t bb = CVector3d::Dot(pb, pb);
    return WrapSub32(M::Mul(ab, bc), M::Mul(ac, bb)) < 0 ? kOutside : kInside;
}

void CTriangle3d::Barycentric(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p,
                              std::int32_t& u, std::int32_t& v, std::int32_t& w) {
    // The weights are ratios of doubled signed areas in the projection that
    // keeps the most area, whose own doubled area is a normal component.
    const CVector3d m = Crossed(b - a, c - a);
    const std::int32_t ax = M::Abs(m.x);
    const std::int32_t ay = M::Abs(m.y);
    const std::int32_t az = M::Abs(m.z);
    std::int32_t axis;
    std::int32_t area;
    if (ax >= ay && ax >= az) {
        axis = 1;
        area = m.x;
    } else if (ay < az) {
        axis = 0;
        area = m.z;
    } else {
        axis = 2;
        area = m.y;
    }
    if (area == 0) {
        u = M::kOne;
        v = w = 0;
        return;
    }
    const std::int32_t k = M::Reciprocal(area);
    CVector2d a2, b2, c2, p2;
    ProjectTriangleTo2d(axis, a, b, c, a2, b2, c2);
    ProjectTo2d(axis, p, p2);
    u = M::Mul(CTriangle2d::Side(p2, b2, c2), k);
    v = M::Mul(CTriangle2d::Side(p2, c2, a2), k);
    w = WrapSub32(WrapSub32(M::kOne, u), v);
}

void CTriangle3d::ClosestPointsToSegment(const CVector3d& a, const CVector3d& b, const CVector3d& c,
                                         const CVector3d& p, const CVector3d& q, CVector3d& onTriangle,
                                         CVector3d& onSegment, std::int32_t& t) {
    const CPlane plane(a, b, c);
    CVector3d pOnPlane;
    CVector3d qOnPlane;
    const std::int32_t sp = ProjectOntoPlane(plane, p, pOnPlane);
    const std::int32_t sq = ProjectOntoPlane(plane, q, qOnPlane);
    // A crossing inside the triangle is a point of both.
    CVector3d crossing;
    std::int32_t crossingT;
    if (OppositeSigns(sp, sq) && plane.IntersectSegment(p, q, crossing, crossingT) &&
        ContainsPoint(a, b, c, crossing) == kInside) {
        onTriangle = onSegment = crossing;
        t = crossingT;
        return;
    }
    // The nearest of the edges (a later edge wins a tie between edges), then
    // of the end points over the face (an edge wins a tie with them).
    struct Pair {
        CVector3d onTriangle, onSegment;
        std::int32_t t, distance;
    } edges[3];
    const CVector3d* const corners[] = {&a, &b, &c, &a};
    for (int i = 0; i < 3; ++i) {
        Pair& e = edges[i];
        std::int32_t s;
        CLineSegment3d::ClosestPoints(*corners[i], *corners[i + 1], p, q, e.onTriangle, e.onSegment, s, e.t);
        e.distance = SquaredLength(e.onSegment - e.onTriangle);
    }
    Pair best = edges[2];
    if (edges[0].distance < edges[1].distance && edges[0].distance < edges[2].distance) {
        best = edges[0];
    } else if (edges[1].distance < edges[2].distance) {
        best = edges[1];
    }
    const Pair ends[] = {{pOnPlane, p, 0, SquaredLength(p - pOnPlane)}, {qOnPlane, q, M::kOne, SquaredLength(q - qOnPlane)}};
    for (const Pair& end : ends) {
        if (end.distance < best.distance && ContainsPoint(a, b, c, end.onTriangle) == kInside) {
            best = end;
        }
    }
    onTriangle = best.onTriangle;
    onSegment = best.onSegment;
    t = best.t;
}

bool CTriangle3d::IntersectsPlane(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CPlane& plane) {
    const CPlane own(a, b, c);
    CVector3d direction;
    CVector3d point;
    if (own.IntersectPlane(plane, direction, point)) {
        return CrossesProjectedEdge(own.DominantAxis(), a, b, c, point, direction);
    }
    return OnPlane(plane, a);
}

bool CTriangle3d::IntersectsTriangle(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& d,
                                     const CVector3d& e, const CVector3d& f) {
    const CPlane first(a, b, c);
    const CPlane second(d, e, f);
    CVector3d direction;
    CVector3d point;
    if (first.IntersectPlane(second, direction, point)) {
        return CrossesProjectedEdge(first.DominantAxis(), a, b, c, point, direction) &&
               CrossesProjectedEdge(second.DominantAxis(), d, e, f, point, direction);
    }
    if (!OnPlane(first, d)) {
        return false;
    }
    const std::int32_t axis = first.DominantAxis();
    CVector2d a2, b2, c2, d2, e2, f2;
    ProjectTriangleTo2d(axis, a, b, c, a2, b2, c2);
    ProjectTriangleTo2d(axis, d, e, f, d2, e2, f2);
    return CTriangle2d::IntersectTriangle(a2, b2, c2, d2, e2, f2);
}

bool CTriangle3d::IsIsosceles() const {
    const std::int32_t ab = SquaredLength(b - a);
    const std::int32_t ac = SquaredLength(c - a);
    const std::int32_t bc = SquaredLength(c - b);
    return ab == ac || ab == bc || ac == bc;
}

bool CTriangle3d::IsEquilateral() const {
    const std::int32_t ab = SquaredLength(b - a);
    return ab == SquaredLength(c - a) && ab == SquaredLength(c - b);
}

bool SphereIntersectsSphere(const CVector3d& c0, std::int32_t r0, const CVector3d& c1, std::int32_t r1) {
    const std::int32_t reach = WrapAdd32(r0, r1);
    return SquaredLength(c1 - c0) <= M::Mul(reach, reach);
}

bool SphereIntersectsSegment(const CVector3d& centre, std::int32_t radius, const CVector3d& a, const CVector3d& b) {
    CVector3d q;
    CLineSegment3d::ClosestPoint(a, b, centre, q);
    return SquaredLength(q - centre) <= M::Mul(radius, radius);
}

bool SphereClassifyPlane(const CVector3d& centre, std::int32_t radius, const CPlane& plane, std::int32_t& side) {
    const std::int32_t s = plane.Distance(centre);
    if (s < WrapNeg32(radius)) {
        side = CPlane::kBehind;
        return false;
    }
    if (s <= radius) {
        side = CPlane::kOn;
        return true;
    }
    side = CPlane::kFront;
    return false;
}

bool SphereSweepPlane(const CVector3d& centre, std::int32_t radius, const CPlane& plane, const CVector3d& velocity,
                      std::int32_t& t, CVector3d& point) {
    const std::int32_t s = plane.Distance(centre);
    if (M::Abs(s) <= radius) {
        t = 0;
        point = centre;
        return true;
    }
    const std::int32_t den = CVector3d::Dot(plane.normal, velocity);
    if (M::Mul(den, s) >= 0) {
        return false;  // not moving toward the plane
    }
    // The sphere's surface meets the plane on the side the centre starts.
    const std::int32_t side = s < 1 ? WrapNeg32(radius) : radius;
    t = M::Div(WrapSub32(side, s), den);
    point = centre + velocity * t - plane.normal * side;
    return true;
}

bool SphereSweepSphere(const CVector3d& centreA, std::int32_t radiusA, const CVector3d& centreB, std::int32_t radiusB,
                       const CVector3d& velocityA, const CVector3d& velocityB, std::int32_t& t, CVector3d& point) {
    const CVector3d d = centreB - centreA;
    const CVector3d v = velocityB - velocityA;
    const std::int32_t reach = WrapAdd32(radiusA, radiusB);
    const std::int32_t k = WrapSub32(SquaredLength(d), M::Mul(reach, reach));
    if (k < 0) {
        t = 0;  // already overlapping
        return true;
    }
    const std::int32_t a = SquaredLength(v);
    if (a < 1) {
        return false;
    }
    const std::int32_t b = CVector3d::Dot(v, d);
    if (b >= 0) {
        return false;  // not approaching
    }
    const std::int32_t disc = WrapSub32(M::Mul(b, b), M::Mul(a, k));
    if (disc < 0) {
        return false;
    }
    // The first root of |d + v t| = rA + rB, and the point of contact on
    // the line between the centres at that time.
    t = M::Div(WrapSub32(WrapNeg32(b), M::Sqrt(disc)), a);
    const CVector3d gap = d + v * t;
    point = centreA + velocityA * t + gap * Fraction(radiusA, reach);
    return true;
}
