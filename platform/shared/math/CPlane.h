// An oriented plane in space: the points p with Dot(normal, p) = d. The
// signed distance Dot(normal, p) - d is a true distance when the normal has
// length 1024.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector3d.h"

class CPlane {
public:
    // Classification of a signed distance.
    static constexpr std::int32_t kFront = 1;
    static constexpr std::int32_t kOn = 2;
    static constexpr std::int32_t kBehind = 3;

    // Leaves the normal and d unset.
    CPlane() = default;
    // The normal from words 0-2, d from word 3; `values` must not be null.
    explicit CPlane(const std::int32_t* values);
    // The plane through a, b and c: its normal faces the side from which
    // they run counter-clockwise. Collinear points give a zero normal, d 0.
    CPlane(const CVector3d& a, const CVector3d& b, const CVector3d& c) { Set(a, b, c); }
    void Set(const std::int32_t* values);
    void Set(const CVector3d& a, const CVector3d& b, const CVector3d& c);

    std::int32_t Distance(const CVector3d& p) const { return WrapSub32(CVector3d::Dot(normal, p), d); }
    static std::int32_t Classify(std::int32_t distance) {
        return distance > 0 ? kFront : (distance == 0 ? kOn : kBehind);
    }
    // The projection to 2D that keeps the most area: 0 keeps (x, y), 1 keeps
    // (y, z), 2 keeps (z, x); ties go to z, then x. The normal must not be 0.
    std::int32_t DominantAxis() const;
    // Scales the normal to length 1024, and d with it; a zero normal stays.
    void Normalize();

    // The scalar applied to each normal component and to d.
    CPlane& operator+=(std::int32_t s);
    CPlane& operator-=(std::int32_t s);
    CPlane& operator*=(std::int32_t s);
    CPlane& operator/=(std::int32_t s);

    // Where the segment p0-p1 crosses the plane. t gets the parameter of the
    // crossing of the line unless the segment runs (nearly) parallel; the
    // point is written, and true returned, only when t lies in [0, 1024].
    bool IntersectSegment(const CVector3d& p0, const CVector3d& p1, CVector3d& point, std::int32_t& t) const;
    // The direction of the line where this plane meets `other` (always
    // written); false for parallel planes.
    bool IntersectionDirection(const CPlane& other, CVector3d& direction) const;
    // The same, and a point on both planes: the line's point nearest the
    // origin.
    bool IntersectPlane(const CPlane& other, CVector3d& direction, CVector3d& point) const;
    // The point common to three planes; false when they share no single
    // point.
    static bool IntersectPlanes(const CPlane& a, const CPlane& b, const CPlane& c, CVector3d& point);

    CVector3d normal;
    std::int32_t d;
};
