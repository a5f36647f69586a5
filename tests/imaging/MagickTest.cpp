// BMP files written and read by ImageMagick, Debian's independent reader
// and writer, against ours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CBmpFile.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/imaging/ImagingApp.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/Magick.h"
#include "tests/support/TempDir.h"
#include "tools/BigFileWriter.h"

namespace {

using magick::Picture;
using magick::Read;

// width x height pixels using exactly `colours` random colours.
Picture RandomPicture(std::mt19937& rng, std::int32_t width, std::int32_t height, int colours) {
    std::vector<std::uint32_t> set;
    while (static_cast<int>(set.size()) < colours) {
        const std::uint32_t c = rng() & 0xFFFFFF;
        if (std::find(set.begin(), set.end(), c) == set.end()) set.push_back(c);
    }
    Picture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) picture.rgb.push_back(i < colours ? set[i] : set[rng() % colours]);
    std::shuffle(picture.rgb.begin(), picture.rgb.end(), rng);
    return picture;
}

// Our writer's file of the picture in the given depth (its colour table
// the colours in order of first use, and no more).
vktools::Bytes Ours(const Picture& picture, std::uint16_t bits) {
    std::vector<std::uint32_t> palette, pixels = picture.rgb;
    if (bits != 24) {
        for (std::uint32_t& p : pixels) {
            if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
            p = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), p) - palette.begin());
        }
    }
    return MakeTestBmp(picture.width, picture.height, bits, palette, pixels, static_cast<std::int32_t>(palette.size()));
}

// Our reader on the file: every pixel of the picture, and at every
// position the indices to the row's end and the column's foot as the
// cursor reads them one by one (255 without a colour table).
void ExpectReadsAs(const vktools::Bytes& bytes, const Picture& picture) {
    const CBmpFile bmp(bytes.data(), Size(bytes));
    ASSERT_EQ(bmp.GetWidth(), picture.width);
    ASSERT_EQ(bmp.GetHeight(), picture.height);
    const auto index = [&](std::int32_t x, std::int32_t y) {
        const int i = bmp.GetCursor(x, y).GetPaletteIndex();
        return bmp.GetBitCount() == 24 ? (i == -1 ? 255 : -1) : i;
    };
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.width; ++x) {
            CBmpCursor at = bmp.GetCursor(x, y);
            ASSERT_EQ(at.GetPixel(), picture.At(x, y)) << x << "," << y;
            std::vector<std::uint8_t> row(picture.width - x), column(picture.height - y);
            at.ReadRowIndices(row.data(), picture.width - x);
            at.ReadColumnIndices(column.data(), picture.height - y);
            EXPECT_EQ(at, bmp.GetCursor(x, y));
            for (std::int32_t i = x; i < picture.width; ++i) ASSERT_EQ(row[i - x], index(i, y)) << x << " " << i;
            for (std::int32_t i = y; i < picture.height; ++i) ASSERT_EQ(column[i - y], index(x, i)) << y << " " << i;
        }
    }
}

// ImageMagick reads our files of 4, 8 and 24 bits as written, and writes
// BMP3 files that we read pixel for pixel: palettes of 3 to 16 colours give
// 4 bits, more give 8, 2 give 1 bit (which the reader refuses), true colour
// gives 24 bits.
TEST(Magick, ReadsOurBitmapsAndWritesOnesWeRead) {
    TempDir dir;
    std::mt19937 rng(5);
    // Colours in the picture (0: 40 in true colour) and the bits of their file (0: refused).
    const std::pair<int, int> kinds[] = {{3, 4}, {16, 4}, {17, 8}, {100, 8}, {0, 24}, {2, 0}};
    struct File {
        std::string name;  // ours is name.bmp, theirs name-im.bmp
        int bits;
        Picture picture;
    };
    std::vector<File> files;
    std::vector<std::string> ours;
    std::vector<Picture> pictures;
    std::string command;
    for (std::int32_t width = 1; width <= 9; ++width) {
        for (const auto& [colours, bits] : kinds) {
            const int used = colours != 0 ? colours : 40;
            const std::int32_t height = std::max(1 + width % 3, (used + width - 1) / width);
            files.push_back({std::to_string(files.size()), bits, RandomPicture(rng, width, height, used)});
            const std::uint16_t ourBits = colours == 0 ? 24 : (used <= 16 ? 4 : 8);
            ours.push_back(dir.HostPath(files.back().name + ".bmp"));
            pictures.push_back(files.back().picture);
            ASSERT_TRUE(vktools::WriteHostFile(ours.back(), Ours(pictures.back(), ourBits)));
            command += ours.back() + " -compress None -type " + (colours != 0 ? "palette" : "truecolor") +
                       " -write BMP3:" + dir.HostPath(files.back().name + "-im.bmp") + " +delete ";
        }
    }
    EXPECT_EQ(Read(ours), pictures);
    magick::Run(command.substr(0, command.rfind("+delete")) + "null:");
    for (const File& file : files) {
        SCOPED_TRACE(file.name);
        const std::string text = dir.Read(file.name + "-im.bmp");
        const vktools::Bytes bytes(text.begin(), text.end());
        BmpHeader header;
        ASSERT_EQ(CBmpFile::ParseHeader(bytes.data(), Size(bytes), &header), file.bits != 0 ? 1 : 0);
        if (file.bits == 0) continue;
        EXPECT_EQ(header.bitCount, file.bits);
        ExpectReadsAs(bytes, file.picture);
    }
}

TEST(Magick, FiveByThreeInEachFormat) {
    ScopedImagingApp app;
    TempDir dir;
    for (const char* type : {"palette", "truecolor"}) {
        magick::Run(
            "-size 5x3 xc:magenta -fill red -draw 'point 1,0' -fill '#102030' -draw 'point 4,2' -compress None -type " +
            std::string(type) + " BMP3:" + dir.HostPath("f.bmp"));
        const std::string text = dir.Read("f.bmp");
        const vktools::Bytes bytes(text.begin(), text.end());
        const CBmpFile bmp(bytes.data(), Size(bytes));
        EXPECT_EQ(bmp.GetCursor(1, 0).GetPixel(), 0x00FF0000u);
        EXPECT_EQ(bmp.GetCursor(4, 2).GetPixel(), 0x00102030u);
        EXPECT_EQ(bmp.GetCursor(0, 0).GetPixel(), 0x00FF00FFu);
        for (const auto [format, red, dark, magenta] :
             {std::array<std::uint32_t, 4>{kPixelFormatRgb565, 0xF800, 0x1106, 0xF81F},
              std::array<std::uint32_t, 4>{kPixelFormatXrgb8888, 0xFFFF0000, 0xFF102030, 0xFFFF00FF}}) {
            Target target(format, 1, 1);
            CNativeImage image(app.Blitter());
            ASSERT_TRUE(image.CreateFromBmp(bytes.data(), Size(bytes), 0, nullptr, 0));
            EXPECT_EQ(PixelOf(image, 1, 0), red);
            EXPECT_EQ(PixelOf(image, 4, 2), dark);
            EXPECT_EQ(PixelOf(image, 0, 0), magenta);
        }
    }
}

// A bitmap colour as each display format holds it.
std::uint32_t Converted(std::uint32_t format, std::uint32_t rgb) {
    const std::uint32_t r = rgb >> 16 & 255, g = rgb >> 8 & 255, b = rgb & 255;
    if (format == kPixelFormatRgb565) return (r & 0xF8) << 8 | (g & 0xFC) << 3 | b >> 3;
    if (format == kPixelFormatRgb666) return (r >> 2) << 12 | (g & 0xFC) << 4 | b >> 2;
    return 0xFF000000 | rgb;
}

// Native and palettized images made in each display format from bitmaps of
// each depth (3 bytes into the data), drawn whole: the plain image shows the
// picture; the transposed one drawn plain, mirrored and flipped shows
// ImageMagick's -transpose, -rotate 90 and -rotate 270 of it.
TEST(Magick, ImagesOfEachDepthAndFormatDrawAsThePictureAndItsTurns) {
    ScopedImagingApp app;
    DebugCapture refusals;
    TempDir dir;
    std::mt19937 rng(8);
    const Picture picture = RandomPicture(rng, 7, 4, 12);
    ASSERT_TRUE(vktools::WriteHostFile(dir.HostPath("in.bmp"), Ours(picture, 24)));
    const struct {
        bool rotated;
        std::uint32_t flags;
        Picture expected;
    } draws[] = {{false, 0, picture},
                 {true, 0, Read({dir.HostPath("in.bmp")}, "-transpose").at(0)},
                 {true, CSoftwareImage::kMirror, Read({dir.HostPath("in.bmp")}, "-rotate 90").at(0)},
                 {true, CSoftwareImage::kFlip, Read({dir.HostPath("in.bmp")}, "-rotate 270").at(0)}};
    for (const std::uint16_t bits : {4, 8, 24}) {
        vktools::Bytes data = {9, 9, 9};
        const vktools::Bytes bmp = Ours(picture, bits);
        data.insert(data.end(), bmp.begin(), bmp.end());
        for (const std::uint32_t format : {kPixelFormatRgb565, kPixelFormatRgb666, kPixelFormatXrgb8888}) {
            for (const auto& draw : draws) {
                for (const bool palettized : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << "bits " << bits << " format " << std::hex << format << " rotated " << draw.rotated
                                 << " flags " << draw.flags << " palettized " << palettized);
                    const std::int32_t w = draw.expected.width, h = draw.expected.height;
                    Target target(format, w, h);
                    CNativeImage native(app.Blitter());
                    CPalettizedImage indexed(app.Blitter());
                    CSoftwareImage& image = palettized ? static_cast<CSoftwareImage&>(indexed) : native;
                    const std::uint32_t made = draw.rotated
                                                   ? image.CreateRotatedFromBmp(data.data(), Size(data), 3, nullptr, 0)
                                                   : image.CreateFromBmp(data.data(), Size(data), 3, nullptr, 0);
                    ASSERT_EQ(made, palettized && bits == 24 ? 0u : 1u);  // 24 bits has no palette to keep
                    if (made == 0) continue;
                    ASSERT_EQ(image.GetWidth(), w);
                    const CRect clip(0, 0, w, h);
                    image.Draw(&clip, 0, 0, w, h, 0, 0, draw.flags);
                    for (std::int32_t y = 0; y < h; ++y) {
                        for (std::int32_t x = 0; x < w; ++x) {
                            ASSERT_EQ(target.Pixel(x, y), Converted(format, draw.expected.At(x, y))) << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
