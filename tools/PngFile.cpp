#include "tools/PngFile.h"

#include <png.h>

namespace vktools {

bool ReadPng(const std::string& path, RgbaImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return false;
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr) == 0) {
        png_image_free(&png);
        return false;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.clear();
    for (std::size_t at = 0; at + 3 < bytes.size(); at += 4) {
        image.pixels.push_back(std::uint32_t{bytes[at + 3]} << 24 | std::uint32_t{bytes[at]} << 16 |
                               std::uint32_t{bytes[at + 1]} << 8 | bytes[at + 2]);
    }
    return true;
}

}  // namespace vktools
