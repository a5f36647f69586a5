#include "platform/shared/math/CVector2d.h"

#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CMatrix2d.h"
#include "platform/shared/math/SegmentMath.h"

void CVector2d::Lerp(const CVector2d& to, std::int32_t t) {
    x = WrapAdd32(x, CMathFixed::Mul(t, WrapSub32(to.x, x)));
    y = WrapAdd32(y, CMathFixed::Mul(t, WrapSub32(to.y, y)));
}

void CVector2d::Rotate(std::int32_t angle) {
    if (angle == 0) {
        return;
    }
    const std::int32_t s = CMathFixed::Sin(angle);
    const std::int32_t c = CMathFixed::Cos(angle);
    const std::int32_t oldX = x;
    x = WrapAdd32(CMathFixed::Mul(c, oldX), CMathFixed::Mul(-s, y));
    y = WrapAdd32(CMathFixed::Mul(s, oldX), CMathFixed::Mul(c, y));
}

std::int32_t CVector2d::Angle() const {
    CVector2d unit = *this;
    unit.Normalize();
    std::int32_t angle = CMathFixed::ACos(unit.x);
    if (y < 0 && angle != 0) {
        angle = CMathFixed::kAngle360 - angle;
    }
    return angle;
}

std::int32_t CVector2d::AngleBetween(const CVector2d& a, const CVector2d& b) {
    const std::int32_t lengths = CMathFixed::Mul(a.Length(), b.Length());
    if (lengths == 0) {
        return 0;
    }
    return CMathFixed::ACos(CMathFixed::Div(Dot(a, b), lengths));
}

std::int32_t CVector2d::AngleTo(const CVector2d& a, const CVector2d& b) {
    std::int32_t turn = b.Angle() - a.Angle();
    if (turn <= -CMathFixed::kAngle180) {
        turn += CMathFixed::kAngle360;
    } else if (turn >= CMathFixed::kAngle180) {
        turn -= CMathFixed::kAngle360;
    }
    return turn;
}

std::int32_t CVector2d::DistanceToSegment(const CVector2d& p, const CVector2d& start, const CVector2d& end,
                                          CVector2d& closest) {
    segment_math::ClosestPoint(start, end, p, closest);
    return (p - closest).Length();
}

std::int32_t CVector2d::DistanceToSegment(const CVector2d& p, const CLineSegment2d& segment, CVector2d& closest) {
    return DistanceToSegment(p, segment.start, segment.end, closest);
}

std::int32_t CVector2d::SideOfLine(const CVector2d& p, const CVector2d& a, const CVector2d& b) {
    return WrapSub32(CMathFixed::Mul(WrapSub32(b.x, a.x), WrapSub32(p.y, a.y)),
                     CMathFixed::Mul(WrapSub32(p.x, a.x), WrapSub32(b.y, a.y)));
}

std::int32_t CVector2d::SideOfLine(const CVector2d& p, const CLineSegment2d& segment) {
    return SideOfLine(p, segment.start, segment.end);
}

std::int32_t CVector2d::WindingNumber(const CVector2d& p, const CVector2d* vertices, std::int32_t count) {
    std::int32_t winding = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const CVector2d& e0 = vertices[i];
        const CVector2d& e1 = vertices[i + 1 < count ? i + 1 : 0];
        if (e0.y > p.y) {
            if (e1.y <= p.y && SideOfLine(p, e0, e1) <= 0) {
                --winding;
            }
        } else if (e1.y > p.y && SideOfLine(p, e0, e1) >= 0) {
            ++winding;
        }
    }
    return winding;
}

CVector2d& CVector2d::operator*=(const CMatrix2d& m) {
    *this = m * *this;
    return *this;
}

CVector2d operator*(const CMatrix2d& m, const CVector2d& v) {
    return {WrapAdd32(CMathFixed::Mul(m.rows[0].x, v.x), CMathFixed::Mul(m.rows[1].x, v.y)),
            WrapAdd32(CMathFixed::Mul(m.rows[0].y, v.x), CMathFixed::Mul(m.rows[1].y, v.y))};
}
