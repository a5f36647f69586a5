// A segment in space and the 3D counterparts of the 2D segment routines.
// Parameters along a segment are fixed fractions: 0 at the start, 1024 at
// the end.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector3d.h"

class CLineSegment3d {
public:
    // Leaves both points unset.
    CLineSegment3d() = default;
    CLineSegment3d(const CVector3d& start_, const CVector3d& end_) : start(start_), end(end_) {}

    // Parameter of the point q of a-b nearest to p; a zero-length segment
    // gives its start.
    static std::int32_t ClosestPoint(const CVector3d& a, const CVector3d& b, const CVector3d& p, CVector3d& q);
    // p minus the nearest point of the segment, also written to `offset`.
    static CVector3d ClosestOffset(const CVector3d& a, const CVector3d& b, const CVector3d& p, CVector3d& offset,
                                   std::int32_t& t);
    // Nearest points c1 of p1-q1 and c2 of p2-q2 with their parameters s and
    // t. A segment whose squared length is 1/1024 or less counts as a point.
    static void ClosestPoints(const CVector3d& p1, const CVector3d& q1, const CVector3d& p2, const CVector3d& q2,
                              CVector3d& c1, CVector3d& c2, std::int32_t& s, std::int32_t& t);
    // Crossing of the lines a0-a1 (t) and b0-b1 (u), found in the plane
    // projection that keeps the most area. False when the four points are
    // not coplanar (b1 1/1024 or more from the plane of a0, a1, b0, or b0
    // from that of a0, a1, b1 when b0 lies on the line of a), when all four
    // lie on one line, or when the lines are parallel.
    static bool IntersectCoplanar(const CVector3d& a0, const CVector3d& a1, const CVector3d& b0, const CVector3d& b1,
                                  std::int32_t& t, std::int32_t& u);

    CVector3d start;
    CVector3d end;
};
