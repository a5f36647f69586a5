#include "platform/shared/math/CCircle.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/CLineSegment3d.h"
#include "platform/shared/math/CTriangle3d.h"
#include "platform/shared/math/SegmentMath.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CCircle";

using M = CMathFixed;

constexpr std::int32_t kMaxPushPasses = 20;

// Squared distance of p from the segment, the offset from the nearest point
// going to `offset`.
std::int32_t SquaredDistance(const CLineSegment2d& segment, const CVector2d& p, CVector2d& offset) {
    std::int32_t t;
    CLineSegment2d::ClosestOffset(segment, p, offset, t);
    return CVector2d::Dot(offset, offset);
}

CLineSegment2d PolygonEdge(const CVector2d* vertices, std::int32_t count, std::int32_t index) {
    const CVector2d* edgeStart;
    const CVector2d* edgeEnd;
    CLineSegment2d::GetPolygonEdge(vertices, count, index, &edgeStart, &edgeEnd);
    return {*edgeStart, *edgeEnd};
}

}  // namespace

bool CCircle::TouchesSegment(const CVector2d& centre, std::int32_t radius2, const CLineSegment2d& segment,
                             CVector2d& closest, std::int32_t* side) {
    CVector2d offset;
    const bool touching = SquaredDistance(segment, centre, offset) <= radius2;
    closest = centre - offset;
    if (side != nullptr) {
        *side = touching ? CLineSegment2d::kOnLine : CLineSegment2d::Classify(segment, centre);
    }
    return touching;
}

bool CCircle::SweepSegment(const CVector2d& start, std::int32_t /*radius*/, std::int32_t radius2,
                           const CVector2d& end, const CLineSegment2d& segment, std::int32_t& time) {
    time = 0;
    CVector2d offset0;
    const std::int32_t l0 = SquaredDistance(segment, start, offset0);
    if (l0 <= radius2) {
        return true;
    }
    CVector2d offset1;
    const std::int32_t l1 = SquaredDistance(segment, end, offset1);
    // Within reach at the end, or the centre crossed the segment's line.
    if (l1 <= radius2 || CVector2d::Dot(offset0, offset1) < 0) {
        // Both distances 0 (a negative squared radius) or a sum that wraps
        // to 0 leave nothing to divide by: the contact is at the start.
        const std::int32_t both = WrapAdd32(l0, l1);
        time = both != 0 ? M::Div(WrapSub32(l0, radius2), both) : 0;
        return true;
    }
    return false;
}

bool CCircle::SweepSegmentResponse(const CVector2d& start, std::int32_t radius, std::int32_t radius2,
                                   const CLineSegment2d& segment, CVector2d& end, std::int32_t& time,
                                   std::int32_t mode, const CVector2d* slide) {
    DebugAssert(mode == kStop || mode == kSlide, kSourcePath, 110);
    if (!SweepSegment(start, radius, radius2, end, segment, time)) {
        return false;
    }
    const CVector2d contact = start + (end - start) * time;
    if (mode == kStop) {
        end = contact;
    } else if (time < M::kOne) {
        const CVector2d rest = end - contact;
        CVector2d along = segment.end - segment.start;
        if (slide != nullptr) {
            along = *slide;
        } else {
            along.Normalize();
        }
        end = contact + along * CVector2d::Dot(rest, along);
    }
    return true;
}

bool CCircle::SweepPolygon(const CVector2d& start, std::int32_t radius, const CVector2d* vertices,
                           std::int32_t count, CVector2d& end, std::int32_t mode, const CVector2d* slide) {
    const std::int32_t radius2 = M::Mul(radius, radius);
    std::int32_t hits = 0;
    for (std::int32_t i = 0; i < count && hits < 2; ++i) {
        std::int32_t time;
        if (SweepSegmentResponse(start, radius, radius2, PolygonEdge(vertices, count, i), end, time, mode, slide)) {
            ++hits;
        }
    }
    return hits != 0;
}

bool CCircle::PushOutOfPolygon(const CVector2d& centre, std::int32_t radius, const CVector2d* vertices,
                               std::int32_t count, CVector2d& position) {
    DebugAssert(vertices != nullptr, kSourcePath, 157);
    position = centre;
    const std::int32_t radius2 = M::Mul(radius, radius);
    // The nearest edge on the wrong side; kept from pass to pass.
    std::int32_t bestDistance = INT32_MAX;
    std::int32_t bestIndex = -1;
    CVector2d bestDirection(0, 0);
    CLineSegment2d bestEdge;
    bool done = false;
    for (std::int32_t pass = 0; pass < kMaxPushPasses && !done; ++pass) {
        done = true;
        for (std::int32_t i = 0; i < count; ++i) {
            if (i == bestIndex) {
                continue;
            }
            const CLineSegment2d edge = PolygonEdge(vertices, count, i);
            CVector2d nearest;
            std::int32_t side;
            TouchesSegment(position, radius2, edge, nearest, &side);
            if (side == CLineSegment2d::kNegativeSide) {
                continue;
            }
            done = false;
            const CVector2d direction = nearest - position;
            const std::int32_t distance = direction.Length();
            if (distance != 0 && distance < bestDistance) {
                bestDistance = distance;
                bestDirection = direction;
                bestEdge = edge;
                bestIndex = i;
            }
        }
        // Every edge on the wrong side may have had the centre on it: with
        // no direction known yet there is nothing to push along.
        if (!done && bestIndex >= 0) {
            const bool inside = CLineSegment2d::Classify(bestEdge, position) == CLineSegment2d::kNegativeSide;
            const std::int32_t push = inside ? WrapSub32(bestDistance, radius) : WrapAdd32(bestDistance, radius);
            position += (bestDirection / bestDistance) * push;
        }
    }
    return done;
}

bool CCircle::SweepCapsule(const CVector2d& p0, const CVector2d& p1, std::int32_t segmentRadius,
                           const CVector2d& centre, std::int32_t radius, const CVector2d& segmentVelocity,
                           const CVector2d& circleVelocity, std::int32_t& time) {
    return segment_math::SweepCapsule(p0, p1, segmentRadius, centre, radius, segmentVelocity, circleVelocity, time,
                                      CLineSegment2d::IntersectLines);
}

bool CCircle::SweepCapsule3d(const CVector3d& p0, const CVector3d& p1, std::int32_t segmentRadius,
                             const CVector3d& centre, std::int32_t radius, const CVector3d& segmentVelocity,
                             const CVector3d& sphereVelocity, std::int32_t& time) {
    return segment_math::SweepCapsule(p0, p1, segmentRadius, centre, radius, segmentVelocity, sphereVelocity, time,
                                      CLineSegment3d::IntersectCoplanar);
}

bool CCircle::SweepCapsuleSegment3d(const CVector3d& p0, const CVector3d& p1, std::int32_t r0, const CVector3d& s,
                                    const CVector3d& q, std::int32_t r1, const CVector3d& a, const CVector3d& b,
                                    std::int32_t k, std::int32_t& time) {
    // The moving segment sweeps the quad p0, p1, p1 + v, p0 + v: two
    // triangles. A point's time is its distance along v over v's length.
    const CVector3d v = (a - b) * k;
    const std::int32_t v2 = CVector3d::Dot(v, v);
    const std::int32_t inverse = v2 != 0 ? M::Div(k, v2) : 0;
    const auto timeOf = [&](const CVector3d& p) { return M::Mul(CVector3d::Dot(p - p0, v), inverse); };
    const CVector3d e0 = p0 + v;
    const CVector3d e1 = p1 + v;
    const CTriangle3d sweep[] = {{p0, p1, e0}, {p1, e0, e1}};
    for (const CTriangle3d& t : sweep) {
        std::int32_t h;
        if (CTriangle3d::IntersectSegment(t.a, t.b, t.c, s, q, h)) {
            time = timeOf(s + (q - s) * h);
            return true;
        }
    }
    const std::int32_t reach = WrapAdd32(r0, r1);
    const std::int32_t reach2 = M::Mul(reach, reach);
    for (const CTriangle3d& t : sweep) {
        CVector3d onTriangle;
        CVector3d onSegment;
        std::int32_t u;
        CTriangle3d::ClosestPointsToSegment(t.a, t.b, t.c, s, q, onTriangle, onSegment, u);
        const CVector3d gap = onSegment - onTriangle;
        if (CVector3d::Dot(gap, gap) < reach2) {
            time = timeOf(onTriangle);
            return true;
        }
    }
    return false;
}
