// Random numbers: the MT19937 generator, and a reproducible source of k-bit
// values drawn from caller-given seed bytes.
#pragma once

#include <cstdint>

class CRandGen {
public:
    // Seeded from the seconds since 1970.
    CRandGen();
    virtual ~CRandGen() = default;

    void Seed(std::uint32_t seed);
    std::uint32_t Next();
    // Next() modulo n; n must not be 0.
    std::uint32_t NextMod(std::uint32_t n) { return Next() % n; }
    // low + Next() modulo (high + 1 - low), unsigned: low..high inclusive.
    std::uint32_t NextRange(std::uint32_t low, std::uint32_t high) { return low + Next() % (high + 1 - low); }

private:
    static constexpr std::int32_t kStateSize = 624;

    std::int32_t m_index = kStateSize;
    std::uint32_t m_matrix[2] = {0, 0x9908B0DF};
    std::uint32_t m_state[kStateSize] = {};
};

class CSyncRand {
public:
    CSyncRand() = default;
    virtual ~CSyncRand() { FreeSeed(); }

    CSyncRand(const CSyncRand&) = delete;
    CSyncRand& operator=(const CSyncRand&) = delete;

    // Copies the seed; values of bitsPerValue bits are then read from its
    // bits, least significant bit of each byte first, wrapping from the end
    // of the seed to its start. False when the copy cannot be allocated.
    bool Init(const std::uint8_t* seed, std::uint8_t byteCount, std::uint8_t bitsPerValue);
    void SetPosition(std::int32_t bit);
    std::uint16_t Next();
    // A value below n without bias: the last, incomplete group is redrawn.
    std::uint16_t NextMod(std::int16_t n);

    std::int32_t GetPosition() const { return m_position; }
    std::int32_t GetRange() const { return m_range; }

private:
    void FreeSeed();

    std::int32_t m_position = 0;
    std::int32_t m_bitCount = 0;
    std::int32_t m_bitsPerValue = 0;
    std::int32_t m_range = 0;
    std::int32_t m_drawsLeft = 0;
    std::uint8_t* m_seed = nullptr;
};
