#include "platform/shared/math/CTriangleMesh.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/CTriangle3d.h"

namespace {

constexpr const char* kHeaderPath = "..\\..\\platform\\shared\\math\\inc\\CTriangleMesh";
// Later than any sweep time.
constexpr std::int32_t kNoTime = 100 * CMathFixed::kOne;

}  // namespace

const CVector3d& CTriangleMesh::Vertex(std::uint32_t index) const {
    DebugAssert(index < static_cast<std::uint32_t>(vertexCount_), kHeaderPath, 84);
    return vertices_[index];
}

const CMeshFace& CTriangleMesh::Face(std::uint32_t index) const {
    DebugAssert(index < static_cast<std::uint32_t>(faceCount_), kHeaderPath, 107);
    return faces_[index];
}

const CVector3d& CTriangleMesh::FaceVertex(std::uint32_t face, std::uint32_t corner) const {
    DebugAssert(corner < 3, kHeaderPath, 124);
    return Vertex(Face(face).corners[corner]);
}

template <typename Test>
bool CTriangleMesh::FirstFace(std::int32_t& face, Test test) const {
    for (std::int32_t i = 0; i < faceCount_; ++i) {
        const auto n = static_cast<std::uint32_t>(i);
        if (test(FaceVertex(n, 0), FaceVertex(n, 1), FaceVertex(n, 2))) {
            face = i;
            return true;
        }
    }
    return false;
}

template <typename Test>
bool CTriangleMesh::EarliestFace(std::int32_t& t, std::int32_t& face, Test test) const {
    bool hit = false;
    std::int32_t best = kNoTime;
    for (std::int32_t i = 0; i < faceCount_; ++i) {
        const auto n = static_cast<std::uint32_t>(i);
        if (test(FaceVertex(n, 0), FaceVertex(n, 1), FaceVertex(n, 2))) {
            hit = true;
            if (t < best) {
                best = t;
                face = i;
                if (t == 0) {
                    break;
                }
            }
        }
    }
    return hit;
}

bool CTriangleMesh::FirstFaceTouchingSphere(const CVector3d& centre, std::int32_t radius, std::int32_t& face) const {
    return FirstFace(face, [&](const CVector3d& a, const CVector3d& b, const CVector3d& c) {
        return CTriangle3d::SphereTouches(a, b, c, centre, radius);
    });
}

bool CTriangleMesh::FirstFaceHitBySegment(const CVector3d& p, const CVector3d& q, std::int32_t scratch,
                                          std::int32_t& face) const {
    return FirstFace(face, [&](const CVector3d& a, const CVector3d& b, const CVector3d& c) {
        return CTriangle3d::IntersectSegment(a, b, c, p, q, scratch);
    });
}

bool CTriangleMesh::FirstFaceIntersectingTriangle(const CVector3d& a, const CVector3d& b, const CVector3d& c,
                                                  std::int32_t& face) const {
    return FirstFace(face, [&](const CVector3d& d, const CVector3d& e, const CVector3d& f) {
        return CTriangle3d::IntersectsTriangle(d, e, f, a, b, c);
    });
}

bool CTriangleMesh::FirstFaceIntersectingPlane(const CPlane& plane, std::int32_t& face) const {
    return FirstFace(face, [&](const CVector3d& a, const CVector3d& b, const CVector3d& c) {
        return CTriangle3d::IntersectsPlane(a, b, c, plane);
    });
}

bool CTriangleMesh::SphereSweep(const CVector3d& centre, std::int32_t radius, const CVector3d& start,
                                const CVector3d& end, std::int32_t& t, std::int32_t& face) const {
    if (faceCount_ == 0) {
        return false;
    }
    if (CVector3d::Dot(Vertex(0) - centre, end - start) < 0) {
        t = 0;
        return FirstFaceTouchingSphere(centre, radius, face);
    }
    return EarliestFace(t, face, [&](const CVector3d& a, const CVector3d& b, const CVector3d& c) {
        return CTriangle3d::SphereSweepTouches(a, b, c, centre, radius, start, end, t);
    });
}

bool CTriangleMesh::SegmentSweep(const CVector3d& p, const CVector3d& q, std::int32_t radius, const CVector3d& start,
                                 const CVector3d& end, std::int32_t& t, std::int32_t& face) const {
    if (faceCount_ == 0) {
        return false;
    }
    if (CVector3d::Dot(Vertex(0) - p, end - start) < 0) {
        t = 0;
        return FirstFaceHitBySegment(p, q, 0, face);
    }
    return EarliestFace(t, face, [&](const CVector3d& a, const CVector3d& b, const CVector3d& c) {
        return CTriangle3d::SegmentSweepTouches(a, b, c, p, q, radius, start, end, t);
    });
}
