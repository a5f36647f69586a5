// PNG files read into 0xAARRGGBB pixels (libpng), for the content builder
// and the tests' golden frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vktools {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // rows top first, 0xAARRGGBB
};

// False when the file is missing or not a PNG it can read.
bool ReadPng(const std::string& path, RgbaImage& image);

}  // namespace vktools
