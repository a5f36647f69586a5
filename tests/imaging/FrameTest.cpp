// Images drawn through the real path: the headless display's back buffer is
// locked, the blitter bound to it, images, tiles and a bitmap-font string
// drawn, and the presented frame read back.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/imaging/ImagingApp.h"
#include "tools/FontWriter.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::int32_t kW = 48, kH = 32;

// Pictures of colours that every display format holds exactly, and magenta.
struct Picture {
    std::int32_t w, h;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return rgb[y * w + x]; }
};

Picture RandomPicture(std::mt19937& rng, std::int32_t w, std::int32_t h) {
    static constexpr std::uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, kMagenta};
    Picture p{w, h, {}};
    for (int i = 0; i < w * h; ++i) p.rgb.push_back(kColours[rng() % 7]);
    return p;
}

// The frame as it should be, painted by plain geometry.
struct Expected {
    std::uint32_t rgb[kH][kW];
    // The (sx, sy, w, h) part of the picture at (x, y), cut to the clip
    // rectangle (cx, cy, cw, ch) and the frame; magenta is not painted.
    void Paint(const Picture& p, std::int32_t x, std::int32_t y, std::uint32_t flags, std::int32_t sx = 0,
               std::int32_t sy = 0, std::int32_t w = -1, std::int32_t h = -1, CRect clip = CRect(0, 0, kW, kH)) {
        w = w < 0 ? p.w : w;
        h = h < 0 ? p.h : h;
        for (std::int32_t j = 0; j < h; ++j) {
            for (std::int32_t i = 0; i < w; ++i) {
                const std::int32_t tx = x + i, ty = y + j;
                if (tx < clip.x || ty < clip.y || tx >= clip.x + clip.w || ty >= clip.y + clip.h) continue;
                if (tx < 0 || ty < 0 || tx >= kW || ty >= kH) continue;
                const std::uint32_t c = p.At(sx + (flags & 1 ? w - 1 - i : i), sy + (flags & 2 ? h - 1 - j : j));
                if (c != kMagenta) rgb[ty][tx] = c;
            }
        }
    }
};

vktools::Bytes Bmp24(const Picture& p) { return MakeTestBmp(p.w, p.h, 24, {}, p.rgb); }

TEST(Frame, ImagesTilesAndTextReachThePresentedFrame) {
    for (const host::DisplayFormat& display : {host::kDisplayRgb565, host::kDisplayXrgb8888}) {
        SCOPED_TRACE(display.bitCount);
        ScopedImagingApp app(kW, kH, display);
        host::SetPitchPadding(8);
        ICGraphics2d* graphics = app.Graphics();
        ASSERT_NE(graphics, nullptr);
        ASSERT_TRUE(graphics->Reinit());
        ICRenderSurface* surface = graphics->GetRenderSurface();
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        surface->Lock(&bits, &pitch);
        ASSERT_EQ(app.Blitter()->Init(surface->GetPixelFormat(), bits, pitch), 1u);
        ASSERT_EQ(pitch % PixelFormatBytes(surface->GetPixelFormat()), 0);

        std::mt19937 rng(21);
        Expected expected;
        const CRect whole(0, 0, kW, kH);
        CDrawUtil::FillRect(&whole, 0x0000FF);
        for (auto& row : expected.rgb) std::fill(std::begin(row), std::end(row), 0x0000FFu);

        // A native sprite plain, mirrored and cut at the edge.
        const Picture sprite = RandomPicture(rng, 6, 4);
        const vktools::Bytes spriteBmp = Bmp24(sprite);
        CNativeImage native(app.Blitter());
        ASSERT_TRUE(native.CreateFromBmp(spriteBmp.data(), Size(spriteBmp), 0, nullptr, 0));
        native.Draw(&whole, 3, 2);
        expected.Paint(sprite, 3, 2, 0);
        native.Draw(&whole, 20, 2, 6, 4, 0, 0, CSoftwareImage::kMirror);
        expected.Paint(sprite, 20, 2, 1);
        native.Draw(&whole, kW - 2, -1, 6, 4, 0, 0, CSoftwareImage::kFlip);
        expected.Paint(sprite, kW - 2, -1, 2);

        // A palettized one flipped, whose entry 3 is magenta.
        std::vector<std::uint32_t> indices;
        for (int i = 0; i < 15; ++i) indices.push_back(rng() % 4);
        const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0xFFFFFF, kMagenta};
        const vktools::Bytes indexedBmp = MakeTestBmp(5, 3, 8, palette, indices, 4);
        CPalettizedImage indexed(app.Blitter());
        ASSERT_TRUE(indexed.CreateFromBmp(indexedBmp.data(), Size(indexedBmp), 0, nullptr, 0));
        indexed.Draw(&whole, 10, 10, 5, 3, 0, 0, CSoftwareImage::kFlip);
        Picture indexedPicture{5, 3, {}};
        for (const std::uint32_t i : indices) indexedPicture.rgb.push_back(palette[i]);
        expected.Paint(indexedPicture, 10, 10, 2);

        // Tiles over [30, 45) x [10, 20), clipped at the bottom.
        const Picture tile = RandomPicture(rng, 4, 3);
        const vktools::Bytes tileBmp = Bmp24(tile);
        CNativeImage tileImage(app.Blitter());
        ASSERT_TRUE(tileImage.CreateFromBmp(tileBmp.data(), Size(tileBmp), 0, nullptr, 0));
        const CRect tileClip(0, 0, kW, 18);
        CDrawUtil::TileImage(&tileClip, &tileImage, 30, 10, 45, 20);
        for (std::int32_t y = 10; y < 20; y += 3) {
            for (std::int32_t x = 30; x < 45; x += 4) {
                expected.Paint(tile, x, y, 0, 0, 0, std::min(4, 45 - x), std::min(3, 20 - y), tileClip);
            }
        }

        // "ABA" in a font whose glyphs lie side by side on a sheet.
        const Picture sheet = RandomPicture(rng, 6, 5);
        const vktools::Bytes sheetBmp = Bmp24(sheet);
        CNativeImage sheetImage(app.Blitter());
        ASSERT_TRUE(sheetImage.CreateFromBmp(sheetBmp.data(), Size(sheetBmp), 0, nullptr, 0));
        vktools::FontDesc desc;
        desc.heightBase = 5;
        desc.glyphs = {{.character = 'A', .sourceX = 0, .width = 3, .height = 5, .advance = 4},
                       {.character = 'B', .sourceX = 3, .width = 3, .height = 5, .advance = 4}};
        const vktools::Bytes fontBytes = vktools::MakeFont(desc);
        CGraphicFont font;
        ASSERT_EQ(font.Load(fontBytes.data(), Size(fontBytes)), 1);
        font.SetImage(&sheetImage);
        font.DrawString(u"ABA", 3, &whole, 5, 24, 0);
        for (int i = 0; i < 3; ++i) expected.Paint(sheet, 5 + 4 * i, 24, 0, i == 1 ? 3 : 0, 0, 3, 5);

        surface->Unlock();
        graphics->Present();
        const host::Frame* frame = host::LastPresentedFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_EQ(frame->width, 2 * kW);
        for (std::int32_t y = 0; y < 2 * kH; ++y) {
            for (std::int32_t x = 0; x < 2 * kW; ++x) {
                ASSERT_EQ(host::FramePixelRgb(*frame, x, y), expected.rgb[y / 2][x / 2]) << x << "," << y;
            }
        }
    }
}

}  // namespace
