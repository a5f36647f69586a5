// The action engine's math entry points for its behaviours: plain-integer
// distances and square roots, and the fixed-point sine, cosine and arc sine.
#pragma once

#include <cstdint>

#include "platform/shared/core/Wrap.h"
#include "platform/shared/math/CMath.h"
#include "platform/shared/math/CMathFixed.h"

// Integer square root rounded down; values with the top bit set give 0.
inline std::int32_t AZ_Sqrt(std::uint32_t value) { return CMath::Sqrt(static_cast<std::int32_t>(value)); }

// sqrt(dx^2 + dy^2) rounded down, with 32-bit products and sum: a sum beyond
// 2^31 - 1 wraps, and one that reads negative gives 0.
inline std::int32_t AZ_Length(std::int32_t dx, std::int32_t dy) {
    return CMath::Sqrt(WrapAdd32(WrapMul32(dx, dx), WrapMul32(dy, dy)));
}

inline std::int32_t AZ_Distance(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    return AZ_Length(WrapSub32(x1, x0), WrapSub32(y1, y0));
}

inline std::int32_t AZ_Sin(std::int32_t angle) { return CMathFixed::Sin(angle); }
inline std::int32_t AZ_Cos(std::int32_t angle) { return CMathFixed::Cos(angle); }
inline std::int32_t AZ_ASin(std::int32_t x) { return CMathFixed::ASin(x); }
