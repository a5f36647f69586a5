// A triangle in the plane with its containment, crossing and barycentric
// tests. Points on an edge count as inside; both windings work.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector2d.h"

class CTriangle2d {
public:
    static constexpr std::int32_t kInside = 1;
    static constexpr std::int32_t kCrossing = 2;
    static constexpr std::int32_t kOutside = 3;

    // Leaves the vertices unset.
    CTriangle2d() = default;
    CTriangle2d(const CVector2d& a_, const CVector2d& b_, const CVector2d& c_) : a(a_), b(b_), c(c_) {}

    // Doubled signed area of e0, e1, p: positive when p lies to the left of
    // the directed line e0 to e1 (y up).
    static std::int32_t Side(const CVector2d& e0, const CVector2d& e1, const CVector2d& p) {
        return CVector2d::SideOfLine(p, e0, e1);
    }

    // kInside or kOutside.
    static std::int32_t ContainsPoint(const CVector2d& a, const CVector2d& b, const CVector2d& c, const CVector2d& p);
    // kCrossing when s0-s1 crosses an edge; otherwise kInside or kOutside by
    // the start point alone.
    static std::int32_t IntersectSegment(const CVector2d& a, const CVector2d& b, const CVector2d& c,
                                         const CVector2d& s0, const CVector2d& s1);
    // The first edge (a-b, b-c, c-a) that s0-s1 crosses: t along the edge,
    // u along the segment. False, with t and u untouched, when none is.
    static bool IntersectEdges(const CVector2d& a, const CVector2d& b, const CVector2d& c, const CVector2d& s0,
                               const CVector2d& s1, std::int32_t& t, std::int32_t& u);
    // Whether the triangles a0-a1-a2 and b0-b1-b2 overlap.
    static bool IntersectTriangle(const CVector2d& a0, const CVector2d& a1, const CVector2d& a2, const CVector2d& b0,
                                  const CVector2d& b1, const CVector2d& b2);
    // Weights of a, b and c for p, summing to 1024. A degenerate triangle
    // gives (1024, 0, 0).
    static void Barycentric(const CVector2d& a, const CVector2d& b, const CVector2d& c, const CVector2d& p,
                            std::int32_t& wa, std::int32_t& wb, std::int32_t& wc);

    // The unsigned area: half the magnitude of Side(a, b, c).
    std::int32_t Area() const { return CMathFixed::Abs(CMathFixed::Mul(Side(a, b, c), 512)); }

    // Whether at least two, or all three, sides have equal squared lengths.
    bool IsIsosceles() const;
    bool IsEquilateral() const;

    CVector2d a;
    CVector2d b;
    CVector2d c;
};
