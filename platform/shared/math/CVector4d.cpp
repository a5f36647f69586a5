#include "platform/shared/math/CVector4d.h"

#include "platform/shared/core/Debug.h"

namespace {

using M = CMathFixed;

}  // namespace

CVector4d::CVector4d(const std::int32_t* values) {
    DebugAssert(values != nullptr, "..\\..\\platform\\shared\\math\\src\\CVector4d", 8);
    *this = CVector4d(values[0], values[1], values[2], values[3]);
}

void CVector4d::Set(const std::int32_t* values) {
    DebugAssert(values != nullptr, "..\\..\\platform\\shared\\math\\src\\CVector4d", 19);
    *this = CVector4d(values[0], values[1], values[2], values[3]);
}

CVector4d& CVector4d::operator=(const CVector3d& v) {
    x = v.x;
    y = v.y;
    z = v.z;
    return *this;
}

CVector4d& CVector4d::operator+=(const CVector4d& v) {
    *this = CVector4d(WrapAdd32(x, v.x), WrapAdd32(y, v.y), WrapAdd32(z, v.z), WrapAdd32(w, v.w));
    return *this;
}

CVector4d& CVector4d::operator-=(const CVector4d& v) {
    *this = CVector4d(WrapSub32(x, v.x), WrapSub32(y, v.y), WrapSub32(z, v.z), WrapSub32(w, v.w));
    return *this;
}

CVector4d& CVector4d::operator*=(std::int32_t s) {
    *this = CVector4d(M::Mul(x, s), M::Mul(y, s), M::Mul(z, s), M::Mul(w, s));
    return *this;
}

CVector4d& CVector4d::operator/=(std::int32_t s) {
    *this = CVector4d(M::Div(x, s), M::Div(y, s), M::Div(z, s), M::Div(w, s));
    return *this;
}

CVector4dh::CVector4dh(const std::int32_t* values, bool isDirection) {
    DebugAssert(values != nullptr, "..\\..\\platform\\shared\\math\\src\\CVector4dh", 14);
    *this = CVector4dh(values[0], values[1], values[2], isDirection);
}
