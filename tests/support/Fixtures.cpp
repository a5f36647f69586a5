#include "tests/support/Fixtures.h"

#include <random>

std::vector<std::uint8_t> MakeSampleData(std::uint32_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> data;
    data.reserve(size);
    while (data.size() < size) {
        const std::uint32_t kind = rng() % 3;
        const std::uint32_t run = 1 + rng() % 64;
        const auto value = static_cast<std::uint8_t>(rng());
        for (std::uint32_t i = 0; i < run && data.size() < size; ++i) {
            if (kind == 0) data.push_back(value);
            else if (kind == 1) data.push_back(static_cast<std::uint8_t>('a' + (value + i) % 26));
            else data.push_back(static_cast<std::uint8_t>(rng()));
        }
    }
    return data;
}
