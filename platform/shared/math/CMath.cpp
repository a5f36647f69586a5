#include "platform/shared/math/CMath.h"

#include "platform/shared/core/Debug.h"

const std::uint8_t SqrtSeedTable[256] = {
    0, 16, 22, 27, 32, 35, 39, 42, 45, 48, 50, 53, 55, 57, 59, 61,
    64, 65, 67, 69, 71, 73, 75, 76, 78, 80, 81, 83, 84, 86, 87, 89,
    90, 91, 93, 94, 96, 97, 98, 99, 101, 102, 103, 104, 106, 107, 108, 109,
    110, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126,
    128, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142,
    143, 144, 144, 145, 146, 147, 148, 149, 150, 150, 151, 152, 153, 154, 155, 155,
    156, 157, 158, 159, 160, 160, 161, 162, 163, 163, 164, 165, 166, 167, 167, 168,
    169, 170, 170, 171, 172, 173, 173, 174, 175, 176, 176, 177, 178, 178, 179, 180,
    181, 181, 182, 183, 183, 184, 185, 185, 186, 187, 187, 188, 189, 189, 190, 191,
    192, 192, 193, 193, 194, 195, 195, 196, 197, 197, 198, 199, 199, 200, 201, 201,
    202, 203, 203, 204, 204, 205, 206, 206, 207, 208, 208, 209, 209, 210, 211, 211,
    212, 212, 213, 214, 214, 215, 215, 216, 217, 217, 218, 218, 219, 219, 220, 221,
    221, 222, 222, 223, 224, 224, 225, 225, 226, 226, 227, 227, 228, 229, 229, 230,
    230, 231, 231, 232, 232, 233, 234, 234, 235, 235, 236, 236, 237, 237, 238, 238,
    239, 240, 240, 241, 241, 242, 242, 243, 243, 244, 244, 245, 245, 246, 246, 247,
    247, 248, 248, 249, 249, 250, 250, 251, 251, 252, 252, 253, 253, 254, 254, 255,
};

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CMath";

// One Newton step toward sqrt(x) from the estimate y (y > 0).
inline std::uint32_t NewtonStep(std::uint32_t x, std::uint32_t y) { return (y + 1 + x / y) >> 1; }

}  // namespace

std::int32_t CMath::Sqrt(std::int32_t value) {
    if (value < 0) {
        return 0;
    }
    const auto x = static_cast<std::uint32_t>(value);
    std::uint32_t y;
    if (x < 256) {
        return SqrtSeedTable[x] >> 4;
    }
    if (x < 65536) {
        // The seeds are exact enough here that the final correction suffices.
        if (x < 1024) {
            y = (SqrtSeedTable[x >> 2] >> 3) + 1u;
        } else if (x < 4096) {
            y = (SqrtSeedTable[x >> 4] >> 2) + 1u;
        } else if (x < 16384) {
            y = (SqrtSeedTable[x >> 6] >> 1) + 1u;
        } else {
            y = SqrtSeedTable[x >> 8] + 1u;
        }
    } else if (x < 16777216) {
        if (x < 262144) {
            y = SqrtSeedTable[x >> 10] * 2u;
        } else if (x < 1048576) {
            y = SqrtSeedTable[x >> 12] * 4u;
        } else if (x < 4194304) {
            y = SqrtSeedTable[x >> 14] * 8u;
        } else {
            y = SqrtSeedTable[x >> 16] * 16u;
        }
        y = NewtonStep(x, y);
    } else {
        if (x < 67108864) {
            y = SqrtSeedTable[x >> 18] * 32u;
        } else if (x < 268435456) {
            y = SqrtSeedTable[x >> 20] * 64u;
        } else if (x < 1073741824) {
            y = SqrtSeedTable[x >> 22] * 128u;
        } else {
            y = SqrtSeedTable[x >> 24] * 256u;
        }
        DebugAssert(y != 0, kSourcePath, 83);
        y = NewtonStep(x, NewtonStep(x, y));
    }
    // The estimate is at most one too large.
    if (y * y > x) {
        --y;
    }
    return static_cast<std::int32_t>(y);
}
