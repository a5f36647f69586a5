// A segment in the plane and the 2D routines built on it: line crossings by
// parameters, closest points, the side of a line, rectangle tests and the
// walk over a closed polygon's edges. A parameter along a segment is a fixed
// fraction: 0 at the start, 1024 at the end.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector2d.h"

class CLineSegment2d {
public:
    // Side of a directed line: to the right (y up), on it, to the left.
    static constexpr std::int32_t kNegativeSide = 1;
    static constexpr std::int32_t kOnLine = 2;
    static constexpr std::int32_t kPositiveSide = 3;

    // Leaves both points unset.
    CLineSegment2d() = default;
    CLineSegment2d(const CVector2d& start_, const CVector2d& end_) : start(start_), end(end_) {}
    CLineSegment2d(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) : start(x0, y0), end(x1, y1) {}

    CLineSegment2d& Set(const CVector2d& start_, const CVector2d& end_) {
        start = start_;
        end = end_;
        return *this;
    }

    // Crossing of the lines through a0-a1 and b0-b1: t along a, u along b.
    // False for parallel lines, with t and u untouched. The segments
    // themselves cross when both parameters lie in [0, 1024].
    static bool IntersectLines(const CVector2d& a0, const CVector2d& a1, const CVector2d& b0, const CVector2d& b1,
                               std::int32_t& t, std::int32_t& u);
    static bool Intersect(const CLineSegment2d& a, const CLineSegment2d& b, std::int32_t& t, std::int32_t& u) {
        return IntersectLines(a.start, a.end, b.start, b.end, t, u);
    }

    // Parameter of the point q of a-b nearest to p; a zero-length segment
    // gives its start.
    static std::int32_t ClosestPoint(const CVector2d& a, const CVector2d& b, const CVector2d& p, CVector2d& q);
    // p minus the nearest point of the segment, also written to `offset`.
    static CVector2d ClosestOffset(const CVector2d& a, const CVector2d& b, const CVector2d& p, CVector2d& offset,
                                   std::int32_t& t);
    static CVector2d ClosestOffset(const CLineSegment2d& s, const CVector2d& p, CVector2d& offset, std::int32_t& t) {
        return ClosestOffset(s.start, s.end, p, offset, t);
    }

    // Side of p against the directed line a to b.
    static std::int32_t Classify(const CVector2d& a, const CVector2d& b, const CVector2d& p);
    static std::int32_t Classify(const CLineSegment2d& s, const CVector2d& p) { return Classify(s.start, s.end, p); }

    // Nearest points c1 of p1-q1 and c2 of p2-q2 with their parameters s and
    // t. A segment whose squared length is 1/1024 or less counts as a point.
    static void ClosestPoints(const CVector2d& p1, const CVector2d& q1, const CVector2d& p2, const CVector2d& q2,
                              CVector2d& c1, CVector2d& c2, std::int32_t& s, std::int32_t& t);

    // Whether min <= p < max on both axes: the maximum edges are outside.
    static bool PointInRect(const CVector2d& p, const CVector2d& min, const CVector2d& max) {
        return p.x >= min.x && p.x < max.x && p.y >= min.y && p.y < max.y;
    }
    // Whether the segment a-b meets the rectangle min-max.
    static bool IntersectsRect(const CVector2d& a, const CVector2d& b, const CVector2d& min, const CVector2d& max);

    // Edge `index` of the closed polygon vertices[0..count): its start and end
    // vertex and, when asked, the vertex after the end.
    static void GetPolygonEdge(const CVector2d* vertices, std::int32_t count, std::int32_t index,
                               const CVector2d** edgeStart, const CVector2d** edgeEnd,
                               const CVector2d** next = nullptr);

    CVector2d start;
    CVector2d end;
};
