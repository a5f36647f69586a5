// A view over an indexed triangle mesh: a vertex array and a face array of
// vertex indices, both owned and kept consistent by the caller. The queries
// run the CTriangle3d tests over the faces in order.
#pragma once

#include <cstdint>

#include "platform/shared/math/CPlane.h"
#include "platform/shared/math/CVector3d.h"

struct CMeshFace {
    std::uint32_t corners[3];
};

class CTriangleMesh {
public:
    CTriangleMesh(std::int32_t vertexCount, std::int32_t faceCount, const CVector3d* vertices, const CMeshFace* faces)
        : vertexCount_(vertexCount), faceCount_(faceCount), vertices_(vertices), faces_(faces) {}

    std::int32_t VertexCount() const { return vertexCount_; }
    std::int32_t FaceCount() const { return faceCount_; }
    // Indices must be below the counts, corners below 3.
    const CVector3d& Vertex(std::uint32_t index) const;
    const CMeshFace& Face(std::uint32_t index) const;
    const CVector3d& FaceVertex(std::uint32_t face, std::uint32_t corner) const;

    // The first face, in order, that the test holds for goes to `face`;
    // false, with `face` untouched, when there is none.
    bool FirstFaceTouchingSphere(const CVector3d& centre, std::int32_t radius, std::int32_t& face) const;
    // CTriangle3d::IntersectSegment per face, with `scratch` as the place
    // for its hit time (which is not returned).
    bool FirstFaceHitBySegment(const CVector3d& p, const CVector3d& q, std::int32_t scratch, std::int32_t& face) const;
    bool FirstFaceIntersectingTriangle(const CVector3d& a, const CVector3d& b, const CVector3d& c,
                                       std::int32_t& face) const;
    bool FirstFaceIntersectingPlane(const CPlane& plane, std::int32_t& face) const;

    // The sphere (or segment p-q of a radius) moved by (end - start) scaled
    // by t against every face; a motion pointing away from vertex 0 tests
    // the start position instead. The first face hit at the earliest time
    // goes to `face`.
    bool SphereSweep(const CVector3d& centre, std::int32_t radius, const CVector3d& start, const CVector3d& end,
                     std::int32_t& t, std::int32_t& face) const;
    bool SegmentSweep(const CVector3d& p, const CVector3d& q, std::int32_t radius, const CVector3d& start,
                      const CVector3d& end, std::int32_t& t, std::int32_t& face) const;

private:
    template <typename Test>
    bool FirstFace(std::int32_t& face, Test test) const;
    template <typename Test>
    bool EarliestFace(std::int32_t& t, std::int32_t& face, Test test) const;

    std::int32_t vertexCount_;
    std::int32_t faceCount_;
    const CVector3d* vertices_;
    const CMeshFace* faces_;
};
