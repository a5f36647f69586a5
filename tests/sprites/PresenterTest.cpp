#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Clock.h"
#include "host/DDraw.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/sprites/SpriteWorld.h"
#include "tests/support/Magick.h"
#include "tests/support/TempDir.h"

namespace {

constexpr std::uint32_t kBlack = 0x000000, kMagenta = 0xFF00FF;

// Archetype 1, character 0: bounds, a hit test and a rectangle query of the
// frame shown after frames x 100 ms.
TEST(SpritePresenter, MeasuresHitsAndFindsRectangles) {
    SpriteWorld world;
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

// The real path in each display format: the sprite data loaded through the
// queue, its palettes converted to the format; archetype 0's animation updated and drawn frame by frame on the
// virtual clock, frame o showing image 0 in orientation o as ImageMagick
// turns the bitmap (magenta left out). Then archetype 1's second frame:
// the green rect ignores the clip rectangle; character 0 draws image 0 in
// palette 0, which is the image's only while it draws; character 1 draws
// image 1 through its sprite map, and nothing transposed (that variant is
// not loaded). Image sprites 0 and 8 share image 0's record.
TEST(SpritePresenter, DrawsThroughTheRealPath) {
    const std::string operations[] = {"",           "-flip",      "-flop",       "-rotate 180",
                                      "-transpose", "-rotate 90", "-rotate 270", "-transverse"};
    TempDir dir;
    const std::string bmp = dir.HostPath("image0.bmp");
    ASSERT_TRUE(vktools::WriteHostFile(bmp, vktools::MakeBmp(fuzz::sprite::SampleSprites().images[0])));
    ASSERT_FALSE(magick::Convert().empty()) << "ImageMagick's convert is not installed";
    std::string turned[8];
    for (int o = 0; o < 8; ++o) {
        const std::string command = magick::Convert() + " " + bmp + " " + operations[o] + " -depth 8 rgb:-";
        ASSERT_TRUE(magick::Capture(command, &turned[o])) << command;
        ASSERT_EQ(turned[o].size(), 18u);
    }
    const struct {
        host::DisplayFormat format;
        std::uint32_t magenta, cyan, blue, black;
    } formats[] = {{host::kDisplayRgb565, 0xF81F, 0x07FF, 0x001F, 0},
                   {host::kDisplayXrgb8888, 0xFFFF00FF, 0xFF00FFFF, 0xFF0000FF, 0xFF000000}};
    for (const auto& [format, magenta, cyan, blue, black] : formats) {
        SCOPED_TRACE(format.bitCount);
        SpriteWorld world(fuzz::sprite::SampleSprites(), format);
        EXPECT_EQ(world.Load({{0, 0}, {1, 0}, {1, 1}}), 4);
        // Palettes: 16 entries converted (those a short one lacks as black),
        // the 17th as read, the rest 0.
        const std::uint32_t* full = world.Home().GetPalette(0).entries;
        const std::uint32_t* shorter = world.Home().GetPalette(1).entries;
        EXPECT_EQ(std::vector<std::uint32_t>({full[0], full[1], full[15], full[16], full[17], shorter[3], shorter[15],
                                              shorter[16], shorter[255]}),
                  std::vector<std::uint32_t>({magenta, cyan, blue, 0xA1B2C3D4, 0, black, black, 0, 0}));
        SZ_Presenter presenter = MakePresenter(0, 0, 0);
        for (int o = 0; o < 8; ++o) {
            world.Show([&] { presenter.draw(10, 10); });
            const int width = o < 4 ? 3 : 2;
            for (int i = 0; i < 9; ++i) {
                const int x = i % 3, y = i / 3, at = 3 * (y * width + x);
                const auto rgb = [&](int c) { return std::uint32_t{static_cast<std::uint8_t>(turned[o][at + c])}; };
                const std::uint32_t colour = x < width && y < 5 - width ? rgb(0) << 16 | rgb(1) << 8 | rgb(2) : kBlack;
                EXPECT_EQ(world.Pixel(10 + x, 10 + y), colour == kMagenta ? kBlack : colour) << o << ":" << x << y;
            }
            const std::uint32_t before = GetTickCount();
            host::AdvanceVirtualClock(50);
            presenter.update(GetTickCount() - before);
        }
        EXPECT_TRUE(presenter.isAnimationFinished());

        SZ_Presenter tinted = MakePresenter(1, 0, 0), mapped = MakePresenter(1, 1, 0);
        tinted.update(100);
        mapped.update(100);
        EXPECT_EQ(&world.Home().GetImageOf(0), &world.Home().GetImageOf(8));
        const std::uint32_t* own = world.Home().GetImage(0).GetVariant(0)->GetPalette();
        world.Show([&] { tinted.drawClipped(40, 40, CRect(0, 0, 1, 1)); });
        EXPECT_EQ(std::vector<std::uint32_t>({world.Pixel(35, 30), world.Pixel(60, 60)}),
                  std::vector<std::uint32_t>({0x00FF00, kBlack}));
        world.Show([&] { tinted.draw(40, 40); });
        const std::uint32_t inPalette0[] = {0x00FFFF, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, kBlack};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(world.Pixel(60 + i % 3, 60 + i / 3), inPalette0[i]) << i;
        EXPECT_EQ(world.Home().GetImage(0).GetVariant(0)->GetPalette(), own);
        world.Show([&] { mapped.draw(40, 40); });
        const std::uint32_t image1[] = {0xFFFFFF, kBlack, kBlack, 0xFFFFFF};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(world.Pixel(60 + i % 2, 60 + i / 2), image1[i]) << i;
        mapped.setAnimation(0, SZ_Presenter::kFlagTranspose, 0);
        mapped.update(100);
        world.Show([&] { mapped.draw(40, 40); });
        for (int i = 0; i < 4; ++i) EXPECT_EQ(world.Pixel(60 + i % 2, 60 + i / 2), kBlack) << i;
    }
}

}  // namespace
