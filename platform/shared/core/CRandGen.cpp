#include "platform/shared/core/CRandGen.h"

#include <algorithm>
#include <new>

#include "platform/shared/core/Clock.h"
#include "platform/shared/core/Debug.h"

CRandGen::CRandGen() { Seed(GetSecondsSince1970()); }

void CRandGen::Seed(std::uint32_t seed) {
    m_state[0] = seed;
    for (std::int32_t i = 1; i < kStateSize; ++i) {
        const std::uint32_t prev = m_state[i - 1];
        m_state[i] = 1812433253u * (prev ^ (prev >> 30)) + static_cast<std::uint32_t>(i);
    }
    m_index = kStateSize;
}

std::uint32_t CRandGen::Next() {
    constexpr std::int32_t kMiddle = 397;
    constexpr std::uint32_t kUpper = 0x80000000u;
    constexpr std::uint32_t kLower = 0x7FFFFFFFu;
    if (m_index >= kStateSize) {
        std::int32_t k = 0;
        for (; k < kStateSize - kMiddle; ++k) {
            const std::uint32_t y = (m_state[k] & kUpper) | (m_state[k + 1] & kLower);
            m_state[k] = m_state[k + kMiddle] ^ (y >> 1) ^ m_matrix[y & 1];
        }
        for (; k < kStateSize - 1; ++k) {
            const std::uint32_t y = (m_state[k] & kUpper) | (m_state[k + 1] & kLower);
            m_state[k] = m_state[k + (kMiddle - kStateSize)] ^ (y >> 1) ^ m_matrix[y & 1];
        }
        const std::uint32_t y = (m_state[kStateSize - 1] & kUpper) | (m_state[0] & kLower);
        m_state[kStateSize - 1] = m_state[kMiddle - 1] ^ (y >> 1) ^ m_matrix[y & 1];
        m_index = 0;
    }
    std::uint32_t y = m_state[m_index++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

namespace {
constexpr const char* kSyncSource = "CSyncRand";
}

void CSyncRand::FreeSeed() {
    delete[] m_seed;
    m_seed = nullptr;
}

bool CSyncRand::Init(const std::uint8_t* seed, std::uint8_t byteCount, std::uint8_t bitsPerValue) {
    const std::int32_t bits = byteCount * 8;
    DebugAssert(seed != nullptr, kSyncSource, 44);
    DebugAssert(bitsPerValue < bits, kSyncSource, 45);
    DebugAssert(bitsPerValue == 0 || bits % bitsPerValue != 0, kSyncSource, 46);
    FreeSeed();
    m_seed = new (std::nothrow) std::uint8_t[byteCount];
    if (m_seed == nullptr) {
        // No seed, nothing to draw: Next asserts instead of reading the old
        // counts over a missing seed.
        m_bitCount = 0;
        m_drawsLeft = 0;
        m_position = 0;
        return false;
    }
    std::copy(seed, seed + byteCount, m_seed);
    m_bitCount = bits;
    m_bitsPerValue = bitsPerValue;
    // 2^k as a signed 32-bit value; 0 from k = 31 on (2^31 does not fit),
    // never through an oversized shift.
    m_range = bitsPerValue < 31 ? (1 << bitsPerValue) : 0;
    m_position = 0;
    m_drawsLeft = bits;
    return true;
}

void CSyncRand::SetPosition(std::int32_t bit) {
    // A negative bit would be read far outside the seed.
    DebugAssert(bit >= 0 && bit < m_bitCount, kSyncSource, 74);
    m_position = bit;
}

std::uint16_t CSyncRand::Next() {
    DebugAssert(m_drawsLeft >= 1, kSyncSource, 107);
    std::int32_t remaining = m_bitsPerValue;
    std::uint16_t value = 0;
    auto position = static_cast<std::uint16_t>(m_position);
    const auto bitCount = static_cast<std::uint16_t>(m_bitCount);
    while (remaining > 0) {
        if (position == bitCount) position = 0;
        const std::int32_t offset = position % 8;
        const std::int32_t take = std::min(8 - offset, remaining);
        remaining -= take;
        const std::uint32_t bits = (static_cast<std::uint32_t>(m_seed[position / 8]) >> offset) & ((1u << take) - 1);
        // Bits that would land above the 16-bit value fall away.
        if (remaining < 16) value = static_cast<std::uint16_t>(value | (bits << remaining));
        position = static_cast<std::uint16_t>(position + take);
    }
    m_position = position;
    --m_drawsLeft;
    return value;
}

std::uint16_t CSyncRand::NextMod(std::int16_t n) {
    DebugAssert(n >= 1, kSyncSource, 88);
    DebugAssert(n < m_range, kSyncSource, 89);
    if (n < 1) return 0;
    std::uint16_t value;
    do {
        value = Next();
    } while (value / n == m_range / n);
    return static_cast<std::uint16_t>(value % n);
}
