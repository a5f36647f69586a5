#include "platform/shared/math/CCircle.h"

#include "platform/shared/core/Debug.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CCircle";

using M = CMathFixed;

constexpr std::int32_t kMaxPushPasses = 20;
// The far path of a capsule sweep is ten motions long, and 102/1024 brings
// its parameter back to the scale of one motion.
constexpr std::int32_t kTenTimes = 10 * M::kOne;
constexpr std::int32_t kOneTenth = 102;

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
        time = M::Div(WrapSub32(l0, radius2), WrapAdd32(l0, l1));
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
    const CVector2d motion = circleVelocity - segmentVelocity;
    std::int32_t t;
    std::int32_t u;
    if (CLineSegment2d::IntersectLines(p0, p1, centre, centre + motion, t, u)) {
        if (u < 0) {
            // Moving away from the segment's line.
            time = 0;
            return false;
        }
        if (t >= 0 && t < 1) {
            CVector2d nearest;
            CLineSegment2d::ClosestPoint(p0, p1, centre, nearest);
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
    // find the closest approach of the circle's path, ten motions long.
    const bool fromP0 = CVector2d::Dot(p0 - centre, p0 - centre) < CVector2d::Dot(p1 - centre, p1 - centre);
    CVector2d onSegment;
    CVector2d onPath;
    std::int32_t s;
    CLineSegment2d::ClosestPoints(fromP0 ? p0 : p1, fromP0 ? p1 : p0, centre, centre + motion * kTenTimes, onSegment,
                                  onPath, s, t);
    time = M::Mul(t, kOneTenth);
    const std::int32_t reach = WrapAdd32(segmentRadius, radius);
    const CVector2d gap = onSegment - onPath;
    return CVector2d::Dot(gap, gap) < M::Mul(reach, reach) && time > 0;
}
