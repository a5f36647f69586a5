// Four-component 22.10 fixed-point vectors: CVector4d, four plain
// components (the row of a CMatrix4d), and CVector4dh, a homogeneous 3D
// vector whose w is 0 for a direction and 1024 for a point (the row of a
// CMatrix4dh).
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector3d.h"

class CVector4d {
public:
    // Leaves the components unset.
    CVector4d() = default;
    constexpr CVector4d(std::int32_t x_, std::int32_t y_, std::int32_t z_, std::int32_t w_)
        : x(x_), y(y_), z(z_), w(w_) {}
    // Copies four words; `values` must not be null.
    explicit CVector4d(const std::int32_t* values);
    void Set(const std::int32_t* values);

    // Copies x, y and z; w keeps its value.
    CVector4d& operator=(const CVector3d& v);
    CVector4d& operator+=(const CVector4d& v);
    CVector4d& operator-=(const CVector4d& v);
    // The scalar added to (taken from) every component.
    CVector4d& operator+=(std::int32_t s) { return *this += CVector4d(s, s, s, s); }
    CVector4d& operator-=(std::int32_t s) { return *this -= CVector4d(s, s, s, s); }
    CVector4d& operator*=(std::int32_t s);
    // s must not be 0.
    CVector4d& operator/=(std::int32_t s);

    std::int32_t x;
    std::int32_t y;
    std::int32_t z;
    std::int32_t w;
};

class CVector4dh {
public:
    // Leaves the components unset.
    CVector4dh() = default;
    // x, y, z copied from three words (`values` must not be null); w is 0
    // for a direction and 1024 for a point.
    CVector4dh(const std::int32_t* values, bool isDirection);
    CVector4dh(std::int32_t x_, std::int32_t y_, std::int32_t z_, bool isDirection)
        : x(x_), y(y_), z(z_), w(isDirection ? 0 : CMathFixed::kOne) {}
    CVector4dh(const CVector3d& v, bool isDirection) : CVector4dh(v.x, v.y, v.z, isDirection) {}

    // Copies x, y and z; w keeps its value, so a point stays a point.
    CVector4dh& operator=(const CVector3d& v) {
        x = v.x;
        y = v.y;
        z = v.z;
        return *this;
    }

    std::int32_t x;
    std::int32_t y;
    std::int32_t z;
    std::int32_t w;
};
