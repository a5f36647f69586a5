#include "platform/shared/graphics/2d/FixedColour.h"

namespace {

constexpr FixedColour kColours[] = {
    {1024, 0, 0, 0},  // black
};

}  // namespace

const FixedColour* GetColorBlack() { return &kColours[0]; }
