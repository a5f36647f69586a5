#include "tests/support/GoldenFrame.h"

#include <cstdlib>
#include <filesystem>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "tools/PngFile.h"

namespace {

// The back buffer as a 16-bit RGB 565 frame.
host::Frame BackBuffer565() {
    host::Frame frame{0, 0, 16, host::kDisplayRgb565, {}};
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    if (surface == nullptr || !surface->GetSize(&frame.width, &frame.height)) return frame;
    surface->Lock(&bits, &pitch);
    const bool wide = surface->GetPixelFormat() == kPixelFormatXrgb8888;
    for (int y = 0; bits != nullptr && y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const std::uint8_t* at = bits + static_cast<std::ptrdiff_t>(y) * pitch + x * (wide ? 4 : 2);
            const std::uint32_t pixel = wide ? (at[2] >> 3) << 11 | (at[1] >> 2) << 5 | at[0] >> 3 : at[0] | at[1] << 8;
            frame.pixels.insert(frame.pixels.end(), {std::uint8_t(pixel), std::uint8_t(pixel >> 8)});
        }
    }
    surface->Unlock();
    return frame;
}

}  // namespace

testing::AssertionResult MatchesGoldenFrame(const std::string& name) {
    const host::Frame actual = BackBuffer565();
    const std::string golden = VK_GOLDEN_DIR "/" + name + ".png";
    if (const char* update = std::getenv("VK_UPDATE_GOLDEN"); update != nullptr && std::string(update) == "1") {
        if (host::WriteFramePng(actual, golden.c_str())) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "cannot write " << golden;
    }
    vktools::RgbaImage expected;
    if (!vktools::ReadPng(golden, expected)) return testing::AssertionFailure() << "cannot read " << golden;
    // Differing pixels red, the others dimmed.
    host::Frame diff{actual.width, actual.height, 32, host::kDisplayXrgb8888, {}};
    int differing = expected.width == actual.width && expected.height == actual.height ? 0 : -1;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const std::uint32_t rgb = host::FramePixelRgb(actual, x, y);
            const bool same = differing >= 0 && (expected.pixels[std::size_t(y) * expected.width + x] & 0xFFFFFF) == rgb;
            differing += same || differing < 0 ? 0 : 1;
            const std::uint32_t shown = same ? (rgb >> 2) & 0x3F3F3F : 0xFF0000;
            diff.pixels.insert(diff.pixels.end(), {std::uint8_t(shown), std::uint8_t(shown >> 8), std::uint8_t(shown >> 16), 0});
        }
    }
    if (differing == 0) return testing::AssertionSuccess();
    std::filesystem::create_directories(VK_GOLDEN_OUT);
    const std::string out = VK_GOLDEN_OUT "/" + name;
    host::WriteFramePng(actual, (out + ".actual.png").c_str());
    host::WriteFramePng(diff, (out + ".diff.png").c_str());
    return testing::AssertionFailure() << name << ": " << (differing < 0 ? "another size" : std::to_string(differing))
                                       << " pixels differ; see " << out << ".diff.png";
}
