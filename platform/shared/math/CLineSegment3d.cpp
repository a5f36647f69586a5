#include "platform/shared/math/CLineSegment3d.h"

#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CPlane.h"
#include "platform/shared/math/CTriangle3d.h"
#include "platform/shared/math/SegmentMath.h"

std::int32_t CLineSegment3d::ClosestPoint(const CVector3d& a, const CVector3d& b, const CVector3d& p, CVector3d& q) {
    return segment_math::ClosestPoint(a, b, p, q);
}

CVector3d CLineSegment3d::ClosestOffset(const CVector3d& a, const CVector3d& b, const CVector3d& p,
                                        CVector3d& offset, std::int32_t& t) {
    CVector3d q;
    t = ClosestPoint(a, b, p, q);
    offset = p - q;
    return offset;
}

void CLineSegment3d::ClosestPoints(const CVector3d& p1, const CVector3d& q1, const CVector3d& p2,
                                   const CVector3d& q2, CVector3d& c1, CVector3d& c2, std::int32_t& s,
                                   std::int32_t& t) {
    segment_math::ClosestPoints(p1, q1, p2, q2, c1, c2, s, t);
}

bool CLineSegment3d::IntersectCoplanar(const CVector3d& a0, const CVector3d& a1, const CVector3d& b0,
                                       const CVector3d& b1, std::int32_t& t, std::int32_t& u) {
    // With b0 on the line of a, the plane through a and b1 holds all four
    // points if b0 lies in it; all four on one line span no plane.
    const auto spansNoPlane = [](const CPlane& p) { return p.normal.x == 0 && p.normal.y == 0 && p.normal.z == 0; };
    CPlane plane(a0, a1, b0);
    const CVector3d* fourth = &b1;
    if (spansNoPlane(plane)) {
        plane.Set(a0, a1, b1);
        fourth = &b0;
    }
    // A point far behind the plane is as far from it as one in front.
    if (spansNoPlane(plane) || CMathFixed::Abs(plane.Distance(*fourth)) >= 1) {
        return false;
    }
    CVector2d a2[2];
    CVector2d b2[2];
    const std::int32_t axis = plane.DominantAxis();
    CTriangle3d::ProjectTo2d(axis, a0, a2[0]);
    CTriangle3d::ProjectTo2d(axis, a1, a2[1]);
    CTriangle3d::ProjectTo2d(axis, b0, b2[0]);
    CTriangle3d::ProjectTo2d(axis, b1, b2[1]);
    return CLineSegment2d::Intersect(CLineSegment2d(a2[0], a2[1]), CLineSegment2d(b2[0], b2[1]), t, u);
}
