// ImageMagick as an independent reader and writer of BMP files: the tests
// run Debian's `convert` (another program of that name may stand earlier on
// PATH, so each candidate must report ImageMagick in -version).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/ByteWriter.h"

namespace magick {

// A picture as 0xRRGGBB values, top row first.
struct Picture {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Picture&) const = default;
};

// The path of ImageMagick's convert; empty when none is installed.
const std::string& Convert();

// Runs convert with the arguments (a shell fragment) and returns its
// standard output; fails the test when it does not end with 0.
std::string Run(const std::string& arguments);

// The pictures of image files as ImageMagick reads them, with the given
// operations applied first (e.g. "-transpose"); one run for all.
std::vector<Picture> Read(const std::vector<std::string>& paths, const std::string& operations = "");

// Writes the picture as an XPM file (text with its own colour table, which
// ImageMagick turns into a palette without quantising).
void WriteXpm(const std::string& path, const Picture& picture);

}  // namespace magick
