// Segment algorithms shared by the 2D and 3D vector types: both offer + and
// -, scaling by a fixed scalar (each component through Mul), a static Dot
// and Length. Segment parameters are fixed fractions: 0 at the start, 1024
// at the end.
#pragma once

#include <cstdint>

#include "platform/shared/math/CMathFixed.h"

namespace segment_math {

// Squared length at or below which ClosestPoints takes a segment as a point.
constexpr std::int32_t kPointTolerance = 1;

// num / den as a fixed fraction clamped to [0, 1024], truncated toward zero;
// den must not be 0 and its magnitude must stay below 2^53.
constexpr std::int32_t UnitRatio(std::int64_t num, std::int64_t den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    if (num <= 0) return 0;
    if (num >= den) return CMathFixed::kOne;
    return static_cast<std::int32_t>(num * CMathFixed::kOne / den);
}

// Parameter of the point q of a-b nearest to p; a zero-length segment gives
// its start.
template <typename V>
std::int32_t ClosestPoint(const V& a, const V& b, const V& p, V& q) {
    const V ab = b - a;
    const std::int32_t d = V::Dot(p - a, ab);
    if (d <= 0) {
        q = a;
        return 0;
    }
    const std::int32_t l = V::Dot(ab, ab);
    if (d >= l) {
        q = b;
        return CMathFixed::kOne;
    }
    const std::int32_t t = CMathFixed::Div(d, l);
    q = a + ab * t;
    return t;
}

// Nearest points c1 of p1-q1 and c2 of p2-q2 with their parameters s and t.
// The products of two dot products are taken in 64 bits: they pass 32 bits
// once the two lengths multiply to more than about 1448 square units (an
// 8-unit segment against the ten-motion path of a 20-unit motion).
template <typename V>
void ClosestPoints(const V& p1, const V& q1, const V& p2, const V& q2, V& c1, V& c2, std::int32_t& s,
                   std::int32_t& t) {
    using M = CMathFixed;
    const V d1 = q1 - p1;
    const V d2 = q2 - p2;
    const V r = p1 - p2;
    const std::int32_t a = V::Dot(d1, d1);
    const std::int32_t e = V::Dot(d2, d2);
    const std::int32_t f = V::Dot(d2, r);
    if (a <= kPointTolerance && e <= kPointTolerance) {
        c1 = p1;
        c2 = p2;
        s = t = 0;
        return;
    }
    if (a <= kPointTolerance) {
        s = 0;
        t = UnitRatio(f, e);
    } else {
        const std::int32_t c = V::Dot(d1, r);
        if (e <= kPointTolerance) {
            t = 0;
            s = UnitRatio(-std::int64_t{c}, a);
        } else {
            const std::int32_t b = V::Dot(d1, d2);
            const std::int64_t den = M::WideMul(a, e) - M::WideMul(b, b);
            s = den > 1 || den < -1 ? UnitRatio(M::WideMul(b, f) - M::WideMul(c, e), den) : 0;
            const std::int64_t tn = M::WideMul(b, s) + f;
            if (tn < 0) {
                t = 0;
                s = UnitRatio(-std::int64_t{c}, a);
            } else if (tn > e) {
                t = M::kOne;
                s = UnitRatio(std::int64_t{b} - c, a);
            } else {
                t = UnitRatio(tn, e);
            }
        }
    }
    c1 = p1 + d1 * s;
    c2 = p2 + d2 * t;
}

// Contact of a circle (sphere) of the given radius at `centre`, moving with
// circleVelocity, with the segment p0-p1 of radius segmentRadius moving with
// segmentVelocity. `crossLines(a0, a1, b0, b1, t, u)` crosses the segment's
// line with the path's.
template <typename V, typename CrossLines>
bool SweepCapsule(const V& p0, const V& p1, std::int32_t segmentRadius, const V& centre, std::int32_t radius,
                  const V& segmentVelocity, const V& circleVelocity, std::int32_t& time, CrossLines crossLines) {
    using M = CMathFixed;
    // The far path is ten motions long: its parameter times ten is the time
    // on one motion.
    constexpr std::int32_t kTenTimes = 10 * M::kOne;
    const V motion = circleVelocity - segmentVelocity;
    std::int32_t t;
    std::int32_t u;
    if (crossLines(p0, p1, centre, centre + motion, t, u)) {
        if (u < 0) {
            // Moving away from the segment's line.
            time = 0;
            return false;
        }
        if (t >= 0 && t < 1) {
            V nearest;
            ClosestPoint(p0, p1, centre, nearest);
            const std::int32_t distance = (nearest - centre).Length();
            if (distance == 0) {
                time = 0;
                return true;
            }
            time = M::Div(M::Mul(u, WrapSub32(WrapSub32(distance, segmentRadius), radius)), distance);
            return true;
        }
    }
    // Walk the segment from its end nearer to the centre (p1 on a tie) and
    // find the closest approach of the path.
    const bool fromP0 = V::Dot(p0 - centre, p0 - centre) < V::Dot(p1 - centre, p1 - centre);
    V onSegment;
    V onPath;
    std::int32_t s;
    ClosestPoints(fromP0 ? p0 : p1, fromP0 ? p1 : p0, centre, centre + motion * kTenTimes, onSegment, onPath, s, t);
    time = M::Mul(t, kTenTimes);
    const std::int32_t reach = WrapAdd32(segmentRadius, radius);
    const V gap = onSegment - onPath;
    return V::Dot(gap, gap) < M::Mul(reach, reach) && time > 0;
}

}  // namespace segment_math
