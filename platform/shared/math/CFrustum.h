// A set of six planes bounding a view volume, built in camera space from
// the eye and the four corners of the near rectangle, to classify spheres.
#pragma once

#include <cstdint>

#include "platform/shared/math/CPlane.h"
#include "platform/shared/math/CVector3d.h"

struct CSphere {
    std::int32_t radius;
    CVector3d centre;
};

class CFrustum {
public:
    static constexpr std::int32_t kInside = 1;
    static constexpr std::int32_t kCrossing = 2;
    static constexpr std::int32_t kOutside = 3;

    // The four side planes through the eye and two neighbouring corners, the
    // near plane through the corners, and the far plane facing it at
    // farFactor times the corners' distance. The eye is expected at the
    // origin, looking along z.
    CFrustum(const CVector3d& eye, const CVector3d& c1, const CVector3d& c2, const CVector3d& c3, const CVector3d& c4,
             std::int32_t farFactor);
    // The eye and the four corners in one array.
    CFrustum(const CVector3d* points, std::int32_t farFactor)
        : CFrustum(points[0], points[1], points[2], points[3], points[4], farFactor) {}

    // kInside when the sphere lies in front of every plane, kOutside when
    // wholly behind one, kCrossing otherwise.
    std::int32_t ClassifySphere(const CSphere& sphere) const;

    CPlane planes[6];
};
