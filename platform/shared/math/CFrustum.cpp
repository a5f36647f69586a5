#include "platform/shared/math/CFrustum.h"

#include "platform/shared/math/CTriangle3d.h"
#include "platform/shared/math/CVector2d.h"

namespace {

using M = CMathFixed;

CVector3d Midpoint(const CVector3d& a, const CVector3d& b) {
    const CVector3d half = b - a;
    return a + CVector3d(Sar32(half.x, 1), Sar32(half.y, 1), Sar32(half.z, 1));
}

}  // namespace

CFrustum::CFrustum(const CVector3d& eye, const CVector3d& c1, const CVector3d& c2, const CVector3d& c3,
                   const CVector3d& c4, std::int32_t farFactor)
    : planes{{eye, c4, c1}, {eye, c1, c2}, {eye, c2, c3}, {eye, c3, c4}, {c1, c2, c4}, {}} {
    // The far plane passes through the ray from the eye through c1 at the
    // distance R x farFactor, where R combines the distance to the corners'
    // centre with the planar (x, y) length of c1.
    const CVector3d centre = Midpoint(Midpoint(c1, c4), Midpoint(c2, c3));
    const std::int32_t l = (centre - eye).Length();
    const std::int32_t w = CVector2d(c1.x, c1.y).Length();
    const std::int32_t r = M::Sqrt(WrapAdd32(M::Mul(w, w), M::Mul(l, l)));
    CVector3d toCorner = c1 - eye;
    const CVector3d farPoint = toCorner.Normalize() * M::Mul(r, farFactor);
    planes[5].normal = CVector3d(0, 0, 0) - planes[4].normal;
    planes[5].d = CVector3d::Dot(planes[5].normal, farPoint);
}

std::int32_t CFrustum::ClassifySphere(const CSphere& sphere) const {
    bool inside = true;
    for (int i = 5; i >= 0; --i) {
        std::int32_t side;
        SphereClassifyPlane(sphere.centre, sphere.radius, planes[i], side);
        if (side == CPlane::kBehind) {
            return kOutside;
        }
        inside = inside && side == CPlane::kFront;
    }
    return inside ? kInside : kCrossing;
}
