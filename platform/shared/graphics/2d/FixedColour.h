// The graphics device's colour: four signed 22.10 fixed-point channels in
// the order a, r, g, b, each 0 to 1024 where 1024 is full intensity.
#pragma once

#include <cstdint>

struct FixedColour {
    std::int32_t a;
    std::int32_t r;
    std::int32_t g;
    std::int32_t b;

    bool operator==(const FixedColour&) const = default;
};

// Opaque black {1024, 0, 0, 0}, the first entry of the constant colour table.
const FixedColour* GetColorBlack();
