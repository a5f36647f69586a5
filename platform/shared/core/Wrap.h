// 32-bit wrap-around arithmetic. The game relies on two's-complement
// wrapping of 32-bit sums and products; signed overflow is undefined in C++,
// so every such place goes through these helpers, which compute in unsigned
// arithmetic and convert back (modular since C++20).
#pragma once

#include <cstdint>

constexpr std::int32_t WrapAdd32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::int32_t WrapSub32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

constexpr std::int32_t WrapMul32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

constexpr std::int32_t WrapNeg32(std::int32_t a) {
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a));
}

// Low 32 bits of a 64-bit value, as the original's truncating stores do.
constexpr std::int32_t Low32(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint64_t>(v)); }

// Arithmetic right shift of a signed value (guaranteed by C++20).
constexpr std::int32_t Sar32(std::int32_t v, unsigned shift) { return v >> shift; }
constexpr std::int64_t Sar64(std::int64_t v, unsigned shift) { return v >> shift; }

// Left shift that keeps the low 32 bits, for values that may be negative.
constexpr std::int32_t Shl32(std::int32_t v, unsigned shift) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) << shift);
}

// Magnitude of a signed value as an unsigned number; exact for INT32_MIN too.
constexpr std::uint32_t Magnitude32(std::int32_t v) {
    return v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
}
