#include "tests/support/GoldenFrame.h"

#include <cstdlib>
#include <filesystem>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "tools/PngFile.h"

namespace {

// The back buffer as a 16-bit RGB 565 frame.
host::Frame BackBuffer565() {
    host::Frame frame;
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    if (surface == nullptr || !surface->GetSize(&frame.width, &frame.height)) return frame;
    surface->Lock(&bits, &pitch);
    const bool wide = surface->GetPixelFormat() == kPixelFormatXrgb8888;
    frame.bitCount = 16;
    frame.format = host::kDisplayRgb565;
    for (int y = 0; bits != nullptr && y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const std::uint8_t* at = bits + static_cast<std::ptrdiff_t>(y) * pitch + x * (wide ? 4 : 2);
            std::uint32_t pixel = at[0] | at[1] << 8;
            if (wide) pixel = (at[2] >> 3) << 11 | (at[1] >> 2) << 5 | at[0] >> 3;
            frame.pixels.push_back(static_cast<std::uint8_t>(pixel));
            frame.pixels.push_back(static_cast<std::uint8_t>(pixel >> 8));
        }
    }
    surface->Unlock();
    return frame;
}

}  // namespace

testing::AssertionResult MatchesGoldenFrame(const std::string& name) {
    const host::Frame actual = BackBuffer565();
    const std::string golden = std::string(VK_GOLDEN_DIR) + "/" + name + ".png";
    const char* update = std::getenv("VK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        return host::WriteFramePng(actual, golden.c_str()) ? testing::AssertionSuccess()
                                                            : testing::AssertionFailure() << "cannot write " << golden;
    }
    vktools::RgbaImage expected;
    if (!vktools::ReadPng(golden, expected)) return testing::AssertionFailure() << "cannot read " << golden;
    host::Frame diff{actual.width, actual.height, 32, host::kDisplayXrgb8888, {}};
    int differing = 0;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const std::uint32_t rgb = host::FramePixelRgb(actual, x, y);
            const bool inside = x < expected.width && y < expected.height;
            const bool same = inside && (expected.pixels[static_cast<std::size_t>(y * expected.width + x)] & 0xFFFFFF) == rgb;
            differing += same ? 0 : 1;
            const std::uint32_t shown = same ? (rgb >> 2) & 0x3F3F3F : 0xFF0000;
            for (int i = 0; i < 4; ++i) diff.pixels.push_back(static_cast<std::uint8_t>(shown >> (8 * i)));
        }
    }
    if (differing == 0 && expected.width == actual.width && expected.height == actual.height) {
        return testing::AssertionSuccess();
    }
    std::filesystem::create_directories(VK_GOLDEN_OUT);
    const std::string out = std::string(VK_GOLDEN_OUT) + "/" + name;
    host::WriteFramePng(actual, (out + ".actual.png").c_str());
    host::WriteFramePng(diff, (out + ".diff.png").c_str());
    return testing::AssertionFailure() << name << ": " << differing << " pixels differ (the golden is "
                                       << expected.width << " x " << expected.height << ", the frame " << actual.width
                                       << " x " << actual.height << "); see " << out << ".diff.png";
}
