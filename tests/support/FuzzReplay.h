// Replays a fuzz target's seeds as an ordinary test: each seed whole, cut
// short at a few lengths, and in damaged copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "tools/ByteWriter.h"

inline void ReplayFuzzSeeds(int (*target)(const std::uint8_t*, std::size_t), const std::vector<vktools::Bytes>& seeds) {
    std::mt19937 rng(2024);
    for (const auto& seed : seeds) {
        target(seed.data(), seed.size());
        const std::size_t step = seed.size() / 24 + 1;
        for (std::size_t n = 0; n < seed.size(); n += step) target(seed.data(), n);
        for (int round = 0; round < 24 && !seed.empty(); ++round) {
            vktools::Bytes damaged = seed;
            for (int k = 0; k < 1 + round % 3; ++k) {
                damaged[rng() % damaged.size()] = static_cast<std::uint8_t>(round % 2 ? rng() : 0xFF);
            }
            target(damaged.data(), damaged.size());
        }
    }
}
