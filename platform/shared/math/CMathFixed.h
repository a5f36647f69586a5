// 22.10 fixed-point arithmetic and table-driven trigonometry.
//
// A fixed value v stands for v / 1024. Angles are degrees * 1024, so a full
// turn is 368640. Every operation is static and keeps no state.
#pragma once

#include <cstdint>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Wrap.h"
#include "platform/shared/math/CMath.h"

// floor(1024 * sin(i * 90/255 degrees)) for i = 0..254, exact (entry 85 is
// the sine of 30 degrees, 512). 90 degrees itself has no entry.
extern const std::int32_t SinTable[255];
// floor(1024 * arcsin(i / 255) in degrees) for i = 0..254.
extern const std::int32_t ASinTable[255];

class CMathFixed {
public:
    static constexpr std::int32_t kFracBits = 10;
    static constexpr std::int32_t kOne = 1024;
    static constexpr std::int32_t kPi = 3216;
    static constexpr std::int32_t kPiSquared = 10106;
    static constexpr std::int32_t kFifteen = 15360;
    static constexpr std::int32_t kThirtyThree = 33792;
    static constexpr std::int32_t kAngle45 = 46080;
    static constexpr std::int32_t kAngle90 = 92160;
    static constexpr std::int32_t kAngle180 = 184320;
    static constexpr std::int32_t kAngle270 = 276480;
    static constexpr std::int32_t kAngle360 = 368640;
    static constexpr std::int32_t kTen = 10;
    // Exclusive bound on the magnitude of an arc-sine argument.
    static constexpr std::int32_t kASinBound = 1034;

    // a * b, rounded toward minus infinity, low 32 bits.
    static constexpr std::int32_t Mul(std::int32_t a, std::int32_t b) {
        return Low32(Sar64(static_cast<std::int64_t>(a) * b, kFracBits));
    }

    // a * b, rounded toward minus infinity, kept in 64 bits: Mul for
    // products that do not fit in 32.
    static constexpr std::int64_t WideMul(std::int32_t a, std::int32_t b) {
        return Sar64(static_cast<std::int64_t>(a) * b, kFracBits);
    }

    // a / b, truncated toward zero, low 32 bits. b must not be 0.
    static constexpr std::int32_t Div(std::int32_t a, std::int32_t b) {
        return Low32(static_cast<std::int64_t>(a) * kOne / b);
    }

    static constexpr std::int32_t Lerp(std::int32_t a, std::int32_t b, std::int32_t t) {
        return WrapAdd32(a, Mul(WrapSub32(b, a), t));
    }

    // 1024 / x; x must not be 0.
    static constexpr std::int32_t Reciprocal(std::int32_t x) { return Div(kOne, x); }

    static constexpr std::int32_t SubMul(std::int32_t a, std::int32_t b, std::int32_t c) {
        return WrapSub32(a, Mul(b, c));
    }

    // Position of an item of extent size inside [a, b]: t = u = 0 gives the
    // leading edge, 512 the centre, 1024 the trailing edge.
    static constexpr std::int32_t AlignInRange(std::int32_t a, std::int32_t b, std::int32_t size, std::int32_t t,
                                               std::int32_t u) {
        return WrapSub32(Lerp(a, b, t), Mul(size, u));
    }

    static constexpr std::int32_t Abs(std::int32_t x) { return x < 0 ? WrapNeg32(x) : x; }

    static constexpr std::int32_t Clamp(std::int32_t x, std::int32_t low, std::int32_t high) {
        return x < low ? low : (x >= high ? high : x);
    }

    // Root of a fixed value with a resolution of 1/32; 0 for negative x.
    static std::int32_t Sqrt(std::int32_t x) { return CMath::Sqrt(x) * 32; }

    static std::int32_t Sin(std::int32_t angle);
    static std::int32_t Cos(std::int32_t angle) { return Sin(WrapAdd32(angle, kAngle90)); }

    // x clamped to [-1024, 1024]; |x| must be below 1034.
    static std::int32_t ClampUnit(std::int32_t x) {
        DebugAssert(Magnitude32(x) < static_cast<std::uint32_t>(kASinBound), "..\\..\\platform\\shared\\math\\inc\\CMathFixed", 250);
        return Clamp(x, -kOne, kOne);
    }

    // Angle in [-92160, 92160]. Arguments beyond +-1 give +-90 degrees.
    static std::int32_t ASin(std::int32_t x);
    // Angle in [0, 184320].
    static std::int32_t ACos(std::int32_t x) { return kAngle90 - ASin(x); }

    // Angle of the vector (x, y) in (-184320, 184320]; 0 for a vector too
    // short to have a length at this resolution.
    static std::int32_t ATan2(std::int32_t y, std::int32_t x);
    static std::int32_t ATan(std::int32_t y) { return ATan2(y, kOne); }
    // The same for plain integers.
    static std::int32_t ATan2Int(std::int32_t y, std::int32_t x);

    // Roots of a*t^2 + b*t + c = 0. Writes both (root1 the larger for a > 0)
    // and returns true, or returns false with the outputs untouched when
    // there is no real root or the equation is not quadratic.
    static bool SolveQuadratic(std::int32_t* root1, std::int32_t* root2, std::int32_t a, std::int32_t b,
                               std::int32_t c);
};
