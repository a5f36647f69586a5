// Triangles in space with their tests against points, segments, spheres,
// planes and other triangles, and the sphere tests beside them. Problems
// that reduce to the plane are projected along the axis the triangle's
// plane names (CPlane::DominantAxis) and handed to CTriangle2d. Times are
// fixed fractions of a motion, 0 to 1024.
#pragma once

#include <cstdint>

#include "platform/shared/math/CPlane.h"
#include "platform/shared/math/CVector2d.h"
#include "platform/shared/math/CVector3d.h"

class CTriangle3d {
public:
    static constexpr std::int32_t kInside = 1;
    static constexpr std::int32_t kOutside = 3;

    // Leaves the vertices unset.
    CTriangle3d() = default;
    CTriangle3d(const CVector3d& a_, const CVector3d& b_, const CVector3d& c_) : a(a_), b(b_), c(c_) {}

    // Axis 0 keeps (x, y), 1 keeps (y, z), any other (z, x).
    static void ProjectTo2d(std::int32_t axis, const CVector3d& p, CVector2d& out);
    static void ProjectTriangleTo2d(std::int32_t axis, const CVector3d& a, const CVector3d& b, const CVector3d& c,
                                    CVector2d& a2, CVector2d& b2, CVector2d& c2);
    // Whether p0-p1 reaches the plane: an end within the tolerance of it, or
    // the ends on opposite sides.
    static bool StraddlesPlane(const CPlane& plane, const CVector3d& p0, const CVector3d& p1, std::int32_t tolerance);
    // Whether p lies within 1/1024 of the plane.
    static bool OnPlane(const CPlane& plane, const CVector3d& p);
    // Writes p moved onto the plane and returns its signed distance.
    static std::int32_t ProjectOntoPlane(const CPlane& plane, const CVector3d& p, CVector3d& out);

    // The point of the triangle nearest to p.
    static void ClosestPoint(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p,
                             CVector3d& out);
    // Whether the sphere reaches the triangle.
    static bool SphereTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& centre,
                              std::int32_t radius);
    // SphereTouches with the sphere moved by (end - start) scaled by t; a t
    // of 0 or less becomes 0 and leaves the sphere where it is.
    static bool SphereSweepTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& centre,
                                   std::int32_t radius, const CVector3d& start, const CVector3d& end, std::int32_t& t);
    // Whether the segment reaches the triangle's plane (StraddlesPlane), or
    // its start lies closer than the radius to the triangle.
    static bool SegmentTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p0,
                               const CVector3d& p1, std::int32_t radius, std::int32_t tolerance);
    // SegmentTouches (tolerance 0) with the segment moved as in
    // SphereSweepTouches.
    static bool SegmentSweepTouches(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p0,
                                    const CVector3d& p1, std::int32_t radius, const CVector3d& start,
                                    const CVector3d& end, std::int32_t& t);
    // Whether the segment p-q crosses the triangle from its front (the side
    // its normal faces); t gets the fraction from p to the crossing.
    static bool IntersectSegment(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p,
                                 const CVector3d& q, std::int32_t& t);
    // kInside or kOutside for a point in the triangle's plane; the boundary
    // is inside.
    static std::int32_t ContainsPoint(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p);
    // Weights of a, b and c for a point in the triangle's plane, summing to
    // 1024. A degenerate triangle gives (1024, 0, 0).
    static void Barycentric(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p,
                            std::int32_t& u, std::int32_t& v, std::int32_t& w);
    // The nearest pair of a point on the triangle and one on the segment p-q,
    // with the latter's parameter t.
    static void ClosestPointsToSegment(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& p,
                                       const CVector3d& q, CVector3d& onTriangle, CVector3d& onSegment,
                                       std::int32_t& t);
    // Whether the plane meets the triangle near the point of their common
    // line nearest the origin (within one length of its direction), or, for
    // parallel planes, lies on it.
    static bool IntersectsPlane(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CPlane& plane);
    // Whether the triangles a-b-c and d-e-f meet, tested in the same way.
    static bool IntersectsTriangle(const CVector3d& a, const CVector3d& b, const CVector3d& c, const CVector3d& d,
                                   const CVector3d& e, const CVector3d& f);

    // Whether at least two, or all three, sides have equal squared lengths.
    bool IsIsosceles() const;
    bool IsEquilateral() const;

    CVector3d a;
    CVector3d b;
    CVector3d c;
};

// Whether two spheres overlap or touch.
bool SphereIntersectsSphere(const CVector3d& c0, std::int32_t r0, const CVector3d& c1, std::int32_t r1);
// Whether the sphere reaches the segment a-b.
bool SphereIntersectsSegment(const CVector3d& centre, std::int32_t radius, const CVector3d& a, const CVector3d& b);
// Side of the sphere: CPlane::kBehind wholly behind, kOn reaching the plane
// (the result true), kFront wholly in front.
bool SphereClassifyPlane(const CVector3d& centre, std::int32_t radius, const CPlane& plane, std::int32_t& side);
// When the sphere moving by `velocity` per 1024 of t first touches the
// plane, and where on the plane (any future time: t is not clamped). False,
// with nothing written, when it does not move toward the plane.
bool SphereSweepPlane(const CVector3d& centre, std::int32_t radius, const CPlane& plane, const CVector3d& velocity,
                      std::int32_t& t, CVector3d& point);
// When two moving spheres first touch, and the contact point between them
// at that time. Overlapping spheres give t 0 and leave the point.
bool SphereSweepSphere(const CVector3d& centreA, std::int32_t radiusA, const CVector3d& centreB, std::int32_t radiusB,
                       const CVector3d& velocityA, const CVector3d& velocityB, std::int32_t& t, CVector3d& point);
