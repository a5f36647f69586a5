#pragma once

#include <cstdint>
#include <vector>

// size bytes of repeatable, partly compressible data (runs, text and noise).
std::vector<std::uint8_t> MakeSampleData(std::uint32_t size, std::uint32_t seed);
