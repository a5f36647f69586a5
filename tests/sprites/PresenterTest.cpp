#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Clock.h"
#include "host/DDraw.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/sprites/SpriteWorld.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/Magick.h"
#include "tests/support/TempDir.h"

namespace {

constexpr std::uint32_t kBlack = 0x000000, kMagenta = 0xFF00FF;

// Archetype 1, character 0: bounds, a hit test and a rectangle query of the
// frame shown after frames x 100 ms.
TEST(SpritePresenter, MeasuresHitsAndFindsRectangles) {
    SpriteWorld world;
    DebugCapture quiet;
    world.Load({{1, 0}});
    const CRect none(0, 0, 0, 0), frame0(-5, -10, 10, 20), frame1(-5, -10, 28, 32);
    const struct {
        const char* name;
        std::int32_t animation, frames;
        std::uint8_t flags, boxesOnly;
        std::int32_t hitX, hitY, radius, hit, kind;
        CRect rect, bounds;  // rect w 0: none found
    } cases[] = {
        {"no animation", -1, 0, 0, 0, -5, -10, 0, -1, 1, none, none},
        {"past the animation count", 2, 0, 0, 0, -5, -10, 0, -1, 1, none, none},
        {"no frames", 1, 0, 0, 0, -5, -10, 0, -1, 1, none, none},
        {"a rect", 0, 0, 0, 0, -5, -10, 0, 11, 1, frame0, frame0},
        {"at x + w", 0, 0, 0, 0, 5, 0, 0, -1, 1, frame0, frame0},
        {"near x + w", 0, 0, 0, 0, 6, 10, 2, 11, 2, none, frame0},
        {"boxes only: no visible rect", 0, 0, 0, 1, -4, -9, 0, -1, 1, none, frame0},
        {"the last kind 1 in walk order", 0, 1, 0, 0, 21, 21, 0, 8, 1, CRect(3, 0, 10, 20), frame1},
        {"mirrored", 0, 1, 2, 0, -22, 21, 0, 8, 1, CRect(-13, 0, 10, 20), CRect(-23, -10, 28, 32)},
        {"flipped and transposed", 0, 1, 5, 0, -22, 21, 0, 8, 1, CRect(-20, 3, 20, 10), CRect(-22, -5, 32, 28)},
        {"boxes only: no image", 0, 1, 0, 1, 21, 21, 2, -1, 2, CRect(0, 0, 4, 4), frame1},
        {"boxes only: a box", 0, 1, 0, 1, 10, 15, 0, 12, 1, CRect(3, 0, 10, 20), frame1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SZ_Presenter presenter = MakePresenter(1, 0, c.animation, c.flags);
        presenter.setBoxesOnly(c.boxesOnly);
        presenter.setOffset(7, 9);  // moves draws and hit points only
        presenter.update(100 * c.frames);
        CRect bounds;
        presenter.getBounds(&bounds);
        EXPECT_EQ(bounds, c.bounds);
        EXPECT_EQ(presenter.hitTest(c.hitX + 7, c.hitY + 9, static_cast<std::uint8_t>(c.radius)), c.hit);
        std::int32_t x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(presenter.findCollisionRect(c.kind, &x, &y, &w, &h), c.rect.w != 0 ? 1 : 0);
        EXPECT_EQ(CRect(x, y, w, h), c.rect);
    }
}

// Image 0 (tinted) and the green rect on the real back buffer: the rect
// ignores the clip rectangle, the tint's palette is the image's only while
// it draws, and a transposed frame has no image variant to draw from.
TEST(SpritePresenter, DrawsTintsAndRects) {
    SpriteWorld world;
    DebugCapture quiet;
    world.Load({{1, 0}});
    SZ_Presenter presenter = MakePresenter(1, 0, 0);
    presenter.update(100);
    const std::uint32_t* own = world.Home().GetImage(0).GetVariant(0)->GetPalette();
    world.Clear();
    presenter.drawClipped(40, 40, CRect(0, 0, 1, 1));
    world.Present();
    EXPECT_EQ(world.Pixel(35, 30), 0x00FF00u);
    EXPECT_EQ(world.Pixel(60, 60), kBlack);
    presenter.draw(40, 40);
    world.Present();
    const std::vector<std::uint32_t> tinted = {0x00FFFF, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, kBlack};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(world.Pixel(60 + i % 3, 60 + i / 3), tinted[i]) << i;
    EXPECT_EQ(world.Home().GetImage(0).GetVariant(0)->GetPalette(), own);
    presenter.setAnimation(0, SZ_Presenter::kFlagTranspose, 0);
    presenter.update(100);
    world.Clear();
    presenter.draw(40, 40);
    world.Present();
    for (int i = 0; i < 6; ++i) EXPECT_EQ(world.Pixel(60 + i / 3, 60 + i % 3), kBlack) << i;
}

// The real path in each display format: the sprite data loaded through the
// queue, archetype 0's animation updated and drawn frame by frame on the
// virtual clock; frame o shows image 0 in orientation o as ImageMagick
// turns the bitmap, magenta left out.
TEST(SpritePresenter, DrawsEachOrientationAsImageMagickTurnsIt) {
    const std::string operations[] = {"",           "-flip",      "-flop",       "-rotate 180",
                                      "-transpose", "-rotate 90", "-rotate 270", "-transverse"};
    TempDir dir;
    const std::string bmp = dir.HostPath("image0.bmp");
    ASSERT_TRUE(vktools::WriteHostFile(bmp, vktools::MakeBmp(fuzz::sprite::SampleSprites().images[0])));
    std::string turned[8];
    ASSERT_FALSE(magick::Convert().empty()) << "ImageMagick's convert is not installed";
    for (int o = 0; o < 8; ++o) {
        ASSERT_TRUE(magick::Capture(magick::Convert() + " " + bmp + " " + operations[o] + " -depth 8 rgb:-", &turned[o]));
        ASSERT_EQ(turned[o].size(), 18u);
    }
    for (const host::DisplayFormat& format : {host::kDisplayRgb565, host::kDisplayXrgb8888}) {
        SCOPED_TRACE(format.bitCount);
        SpriteWorld world(fuzz::sprite::SampleSprites(), format);
        DebugCapture quiet;
        host::SetVirtualClock(0, 0);
        EXPECT_EQ(world.Load({{0, 0}}), 2);
        SZ_Presenter presenter = MakePresenter(0, 0, 0);
        for (int o = 0; o < 8; ++o) {
            SCOPED_TRACE(o);
            world.Clear();
            presenter.draw(10, 10);
            world.Present();
            const int width = o < 4 ? 3 : 2;
            for (int i = 0; i < 9; ++i) {
                const int x = i % 3, y = i / 3;
                std::uint32_t expected = kBlack;
                if (x < width && y < 5 - width) {
                    const auto* rgb = reinterpret_cast<const std::uint8_t*>(turned[o].data() + 3 * (y * width + x));
                    expected = static_cast<std::uint32_t>(rgb[0] << 16 | rgb[1] << 8 | rgb[2]);
                    if (expected == kMagenta) expected = kBlack;
                }
                EXPECT_EQ(world.Pixel(10 + x, 10 + y), expected) << x << "," << y;
            }
            const std::uint32_t before = GetTickCount();
            host::AdvanceVirtualClock(50);
            presenter.update(GetTickCount() - before);
        }
        EXPECT_TRUE(presenter.isAnimationFinished());
        host::ClearVirtualClock();
    }
}

}  // namespace
