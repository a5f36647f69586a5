// Contact tests of a circle against segments, polygons and a thick segment
// (a capsule) in the plane. Contact times are fixed fractions of the motion:
// 0 at the start position, 1024 at the end position.
#pragma once

#include <cstdint>

#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CVector2d.h"
#include "platform/shared/math/CVector3d.h"

class CCircle {
public:
    // What a swept test does with the end position at a contact.
    static constexpr std::int32_t kStop = 0;   // the centre stops at the contact
    static constexpr std::int32_t kSlide = 1;  // the rest of the motion slides along the edge

    // Whether the segment comes within the radius (radius2 is its square).
    // `closest` gets the segment's nearest point; `side`, when given, 2 while
    // touching, else the side of the centre (CLineSegment2d::Classify).
    static bool TouchesSegment(const CVector2d& centre, std::int32_t radius2, const CLineSegment2d& segment,
                               CVector2d& closest, std::int32_t* side = nullptr);

    // Whether the circle moving from `start` to `end` touches the segment;
    // `time` gets the estimated contact time (0 when it touches at the start).
    static bool SweepSegment(const CVector2d& start, std::int32_t radius, std::int32_t radius2, const CVector2d& end,
                             const CLineSegment2d& segment, std::int32_t& time);

    // SweepSegment, then at a contact the end position corrected by the mode:
    // kStop moves it back to the contact; kSlide (before the end of the
    // motion) keeps the rest of the motion along `slide`, or along the
    // segment when no direction is given.
    static bool SweepSegmentResponse(const CVector2d& start, std::int32_t radius, std::int32_t radius2,
                                     const CLineSegment2d& segment, CVector2d& end, std::int32_t& time,
                                     std::int32_t mode, const CVector2d* slide = nullptr);

    // SweepSegmentResponse against the edges of a closed polygon in order,
    // the corrections accumulating in `end`; stops after the second edge hit.
    // Returns whether any edge was hit.
    static bool SweepPolygon(const CVector2d& start, std::int32_t radius, const CVector2d* vertices,
                             std::int32_t count, CVector2d& end, std::int32_t mode, const CVector2d* slide = nullptr);

    // Moves the circle, in at most 20 passes, until it lies on the negative
    // side of every edge without touching any (the inside of a clockwise
    // polygon). Returns whether it got there; `position` gets the result.
    static bool PushOutOfPolygon(const CVector2d& centre, std::int32_t radius, const CVector2d* vertices,
                                 std::int32_t count, CVector2d& position);

    // Whether a circle moving with `circleVelocity` meets the segment
    // p0-p1 of radius segmentRadius moving with `segmentVelocity`, during the
    // motion; `time` gets the contact time.
    static bool SweepCapsule(const CVector2d& p0, const CVector2d& p1, std::int32_t segmentRadius,
                             const CVector2d& centre, std::int32_t radius, const CVector2d& segmentVelocity,
                             const CVector2d& circleVelocity, std::int32_t& time);
    // SweepCapsule in space, for a sphere.
    static bool SweepCapsule3d(const CVector3d& p0, const CVector3d& p1, std::int32_t segmentRadius,
                               const CVector3d& centre, std::int32_t radius, const CVector3d& segmentVelocity,
                               const CVector3d& sphereVelocity, std::int32_t& time);
    // Whether the segment p0-p1 of radius r0, moving by (a - b) scaled by k,
    // meets the segment s-q of radius r1; `time` gets the contact's fraction
    // of that motion. Without relative motion a contact is at time 0.
    static bool SweepCapsuleSegment3d(const CVector3d& p0, const CVector3d& p1, std::int32_t r0, const CVector3d& s,
                                      const CVector3d& q, std::int32_t r1, const CVector3d& a, const CVector3d& b,
                                      std::int32_t k, std::int32_t& time);
};
