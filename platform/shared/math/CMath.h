// Integer square root.
#pragma once

#include <cstdint>

// floor(16 * sqrt(i)) for i = 0..255: the seeds of the square root.
extern const std::uint8_t SqrtSeedTable[256];

class CMath {
public:
    // floor(sqrt(x)) for every x in [0, 2^31); 0 for negative x.
    static std::int32_t Sqrt(std::int32_t x);
};
