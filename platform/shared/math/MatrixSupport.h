// Pieces shared by the matrix types: the operation count behind the drift
// control, and the work on the columns of a rotation part (the first three
// components of the first three rows, whatever the row type).
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector3d.h"

namespace matrix_support {

constexpr std::uint16_t kMaxOpCount = 65535;
// Squared component (0.902) from which a direction counts as near an axis.
constexpr std::int32_t kNearAxis = 924;

// Counts one rotation or product, and re-orthonormalises a matrix that asks
// for it once the count reaches its interval.
template <typename Matrix>
void CountOperation(Matrix& m) {
    if (m.opCount < kMaxOpCount) {
        ++m.opCount;
    }
    if (m.renormalize && m.opCount >= m.renormalizeInterval) {
        m.Orthonormalize();
    }
}

// Component 0, 1 or 2 of a row or vector.
template <typename Row>
std::int32_t At(const Row& row, int column) {
    return column == 0 ? row.x : (column == 1 ? row.y : row.z);
}

template <typename Row>
std::int32_t& Element(Row& row, int column) {
    return column == 0 ? row.x : (column == 1 ? row.y : row.z);
}

template <typename Row>
CVector3d Column(const Row* rows, int column) {
    return {At(rows[0], column), At(rows[1], column), At(rows[2], column)};
}

template <typename Row>
void SetColumns(Row* rows, const CVector3d& c0, const CVector3d& c1, const CVector3d& c2) {
    for (int r = 0; r < 3; ++r) {
        rows[r].x = At(c0, r);
        rows[r].y = At(c1, r);
        rows[r].z = At(c2, r);
    }
}

inline CVector3d Crossed(CVector3d a, const CVector3d& b) { return a.Cross(b); }

// Normalises column 0, makes column 1 orthogonal to it and normalises it,
// and sets column 2 to their cross product.
template <typename Row>
void Orthonormalize(Row* rows) {
    CVector3d c0 = Column(rows, 0);
    CVector3d c1 = Column(rows, 1);
    c0.Normalize();
    const std::int32_t k = CVector3d::Dot(c0, c1);
    if (k != 0) {
        c1 -= c0 * k;
    }
    c1.Normalize();
    SetColumns(rows, c0, c1, Crossed(c0, c1));
}

// The unit axis e_i less d scaled by d's component i, normalised: the part
// of the axis orthogonal to d.
inline CVector3d AwayFrom(const CVector3d& d, int axis) {
    const std::int32_t k = At(d, axis);
    CVector3d u = CVector3d(axis == 0 ? CMathFixed::kOne : 0, axis == 1 ? CMathFixed::kOne : 0,
                            axis == 2 ? CMathFixed::kOne : 0) -
                  d * k;
    return u.Normalize();
}

// A right-handed orthonormal basis whose column 2 is the direction.
template <typename Row>
void SetFrameZ(Row* rows, std::int32_t x, std::int32_t y, std::int32_t z) {
    CVector3d d(x, y, z);
    d.Normalize();
    if (CMathFixed::Mul(d.y, d.y) >= kNearAxis) {
        const CVector3d u = AwayFrom(d, 0);
        SetColumns(rows, u, Crossed(d, u), d);
    } else {
        const CVector3d u = AwayFrom(d, 1);
        SetColumns(rows, Crossed(u, d), u, d);
    }
}

// A right-handed orthonormal basis whose column 1 is the direction.
template <typename Row>
void SetFrameY(Row* rows, std::int32_t x, std::int32_t y, std::int32_t z) {
    CVector3d d(x, y, z);
    d.Normalize();
    if (CMathFixed::Mul(d.z, d.z) >= kNearAxis) {
        const CVector3d u = AwayFrom(d, 0);
        SetColumns(rows, u, d, Crossed(u, d));
    } else {
        const CVector3d u = AwayFrom(d, 2);
        SetColumns(rows, Crossed(d, u), d, u);
    }
}

// Rows of the rotation by an angle about the unit axis (x, y, z), which the
// caller normalises.
inline void AxisRotation(std::int32_t angle, std::int32_t x, std::int32_t y, std::int32_t z, CVector3d* rows) {
    using M = CMathFixed;
    const std::int32_t s = M::Sin(angle);
    const std::int32_t t = WrapSub32(M::kOne, M::Cos(angle));
    const std::int32_t xx = M::Mul(x, x), yy = M::Mul(y, y), zz = M::Mul(z, z);
    const std::int32_t txy = M::Mul(t, M::Mul(x, y)), txz = M::Mul(t, M::Mul(x, z)), tyz = M::Mul(t, M::Mul(y, z));
    const std::int32_t sx = M::Mul(s, x), sy = M::Mul(s, y), sz = M::Mul(s, z);
    // 1 - t (a^2 + b^2) on the diagonal, for the two other components a, b.
    const auto diagonal = [&](std::int32_t a2, std::int32_t b2) {
        return WrapAdd32(M::kOne, M::Mul(t, WrapSub32(WrapNeg32(a2), b2)));
    };
    rows[0].Set(diagonal(zz, yy), WrapAdd32(sz, txy), WrapSub32(txz, sy));
    rows[1].Set(WrapSub32(txy, sz), diagonal(zz, xx), WrapAdd32(sx, tyz));
    rows[2].Set(WrapAdd32(sy, txz), WrapSub32(tyz, sx), diagonal(yy, xx));
}

}  // namespace matrix_support
