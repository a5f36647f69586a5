// BMP files written and read by ImageMagick, Debian's independent reader
// and writer, against ours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <sstream>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CBmpFile.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/imaging/ImagingApp.h"
#include "tests/support/Magick.h"
#include "tests/support/TempDir.h"
#include "tools/BigFileWriter.h"

namespace {
namespace magick {

using ::magick::Capture;
using ::magick::Convert;

// A picture as 0xRRGGBB values, top row first.
struct Picture {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Picture&) const = default;
};

// Runs convert with the arguments (a shell fragment); its standard output.
std::string Run(const std::string& arguments) {
    std::string out;
    EXPECT_FALSE(Convert().empty()) << "ImageMagick's convert is not installed (scripts/deps.sh installs it)";
    EXPECT_TRUE(Capture(Convert() + " " + arguments, &out)) << arguments;
    return out;
}

// The pictures of image files as ImageMagick reads them, with the given
// operations applied first (e.g. "-transpose"); one run for all.
std::vector<Picture> Read(const std::vector<std::string>& paths, const std::string& operations = "") {
    std::string arguments;
    for (const std::string& path : paths) arguments += path + " ";
    std::istringstream text(Run(arguments + operations + " txt:-"));
    std::vector<Picture> pictures;
    const std::regex header("enumeration: (\\d+),(\\d+),");
    const std::regex pixel("^(\\d+),(\\d+):.*#([0-9A-Fa-f]{6})");
    std::smatch match;
    for (std::string line; std::getline(text, line);) {
        if (std::regex_search(line, match, header)) {
            pictures.push_back({std::stoi(match[1]), std::stoi(match[2]), {}});
            pictures.back().rgb.assign(static_cast<std::size_t>(pictures.back().width) * pictures.back().height,
                                       0xDEADBEEF);
        } else if (!pictures.empty() && std::regex_search(line, match, pixel)) {
            Picture& picture = pictures.back();
            const std::size_t x = std::stoul(match[1]), y = std::stoul(match[2]);
            picture.rgb[y * picture.width + x] = static_cast<std::uint32_t>(std::stoul(match[3], nullptr, 16));
        }
    }
    EXPECT_EQ(pictures.size(), paths.size());
    return pictures;
}

// Writes the picture as an XPM file (text with its own colour table, which
// ImageMagick turns into a palette without quantising).
void WriteXpm(const std::string& path, const Picture& picture) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-";
    std::vector<std::uint32_t> colours;
    for (const std::uint32_t rgb : picture.rgb) {
        if (std::find(colours.begin(), colours.end(), rgb) == colours.end()) colours.push_back(rgb);
    }
    const auto code = [&](std::uint32_t rgb) {
        const auto i = std::find(colours.begin(), colours.end(), rgb) - colours.begin();
        return std::string{kDigits[i / 64], kDigits[i % 64]};
    };
    std::ofstream out(path);
    out << "/* XPM */\nstatic char *p[] = {\n\"" << picture.width << " " << picture.height << " " << colours.size()
        << " 2\",\n";
    char hex[8];
    for (const std::uint32_t rgb : colours) {
        std::snprintf(hex, sizeof hex, "%06X", rgb);
        out << "\"" << code(rgb) << " c #" << hex << "\",\n";
    }
    for (std::int32_t y = 0; y < picture.height; ++y) {
        out << "\"";
        for (std::int32_t x = 0; x < picture.width; ++x) out << code(picture.At(x, y));
        out << (y + 1 < picture.height ? "\",\n" : "\"\n};\n");
    }
}

}  // namespace magick

// width x height pixels using exactly `colours` random colours.
magick::Picture RandomPicture(std::mt19937& rng, std::int32_t width, std::int32_t height, int colours) {
    std::vector<std::uint32_t> set;
    while (static_cast<int>(set.size()) < colours) {
        const std::uint32_t c = rng() & 0xFFFFFF;
        if (std::find(set.begin(), set.end(), c) == set.end()) set.push_back(c);
    }
    magick::Picture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) picture.rgb.push_back(i < colours ? set[i] : set[rng() % colours]);
    std::shuffle(picture.rgb.begin(), picture.rgb.end(), rng);
    return picture;
}

magick::Picture ReadOurs(const vktools::Bytes& bytes) {
    const CBmpFile bmp(bytes.data(), Size(bytes));
    magick::Picture picture{bmp.GetWidth(), bmp.GetHeight(), {}};
    for (std::int32_t y = 0; y < bmp.GetHeight(); ++y) {
        for (std::int32_t x = 0; x < bmp.GetWidth(); ++x) picture.rgb.push_back(bmp.GetCursor(x, y).GetPixel());
    }
    return picture;
}

vktools::Bytes ReadFile(const TempDir& dir, const std::string& name) {
    const std::string text = dir.Read(name);
    return vktools::Bytes(text.begin(), text.end());
}

// Palettes of 3 to 16 colours give 4 bits, more give 8, 2 give 1 bit (which
// the reader refuses); true colour gives 24 bits.
TEST(Magick, ItsBitmapsReadPixelForPixel) {
    TempDir dir;
    std::mt19937 rng(5);
    struct Kind {
        int colours;  // 0: true colour
        int bits;     // 0: refused
    };
    struct File {
        std::string path;
        Kind kind;
        magick::Picture picture;
    };
    std::vector<File> files;
    std::string command;
    for (std::int32_t width = 1; width <= 9; ++width) {
        for (const Kind kind : {Kind{3, 4}, Kind{16, 4}, Kind{17, 8}, Kind{100, 8}, Kind{0, 24}, Kind{2, 0}}) {
            const int colours = kind.colours != 0 ? kind.colours : 40;
            const std::int32_t height = std::max(1 + width % 3, (colours + width - 1) / width);
            const std::string name = dir.HostPath(std::to_string(files.size()));
            files.push_back({name + ".bmp", kind, RandomPicture(rng, width, height, colours)});
            magick::WriteXpm(name + ".xpm", files.back().picture);
            command += name + ".xpm -compress None -type " + (kind.colours != 0 ? "palette" : "truecolor") +
                       " -write BMP3:" + name + ".bmp +delete ";
        }
    }
    magick::Run(command.substr(0, command.rfind("+delete")) + "null:");
    std::vector<std::string> readable;
    std::vector<magick::Picture> ours;
    for (const File& file : files) {
        SCOPED_TRACE(testing::Message() << file.path << " colours " << file.kind.colours);
        std::ifstream in(file.path, std::ios::binary);
        const vktools::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        BmpHeader header;
        ASSERT_EQ(CBmpFile::ParseHeader(bytes.data(), Size(bytes), &header), file.kind.bits != 0 ? 1 : 0);
        if (file.kind.bits == 0) continue;
        EXPECT_EQ(header.bitCount, file.kind.bits);
        ours.push_back(ReadOurs(bytes));
        EXPECT_EQ(ours.back(), file.picture);
        readable.push_back(file.path);
    }
    EXPECT_EQ(magick::Read(readable), ours);
}

TEST(Magick, ReadsOurWritersBitmapsAsWritten) {
    TempDir dir;
    std::mt19937 rng(6);
    std::vector<std::string> paths;
    std::vector<magick::Picture> pictures;
    for (const std::uint16_t bits : {4, 8, 24}) {
        for (const std::int32_t width : {1, 4, 7, 9}) {
            pictures.push_back(RandomPicture(rng, width, 3, bits == 4 ? 3 : std::min(width * 3, 20)));
            std::vector<std::uint32_t> palette, pixels = pictures.back().rgb;
            if (bits != 24) {
                for (std::uint32_t& p : pixels) {
                    if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
                    p = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), p) - palette.begin());
                }
                palette.resize(std::size_t{1} << bits, 0);
            }
            paths.push_back(dir.HostPath(std::to_string(paths.size()) + ".bmp"));
            ASSERT_TRUE(vktools::WriteHostFile(paths.back(), MakeTestBmp(width, 3, bits, palette, pixels)));
        }
    }
    EXPECT_EQ(magick::Read(paths), pictures);
}

TEST(Magick, FiveByThreeInEachFormat) {
    ScopedImagingApp app;
    TempDir dir;
    for (const char* type : {"palette", "truecolor"}) {
        magick::Run("-size 5x3 xc:magenta -fill red -draw 'point 1,0' -fill '#102030' -draw 'point 4,2' -compress None "
                    "-type " + std::string(type) + " BMP3:" + dir.HostPath("f.bmp"));
        const vktools::Bytes bytes = ReadFile(dir, "f.bmp");
        const CBmpFile bmp(bytes.data(), Size(bytes));
        EXPECT_EQ(bmp.GetCursor(1, 0).GetPixel(), 0x00FF0000u);
        EXPECT_EQ(bmp.GetCursor(4, 2).GetPixel(), 0x00102030u);
        EXPECT_EQ(bmp.GetCursor(0, 0).GetPixel(), 0x00FF00FFu);
        struct Case {
            std::uint32_t format, red, dark, magenta;
        };
        for (const Case c : {Case{kPixelFormatRgb565, 0xF800, 0x1106, 0xF81F},
                             Case{kPixelFormatXrgb8888, 0xFFFF0000, 0xFF102030, 0xFFFF00FF}}) {
            Target target(c.format, 1, 1);
            CNativeImage image(app.Blitter());
            ASSERT_TRUE(image.CreateFromBmp(bytes.data(), Size(bytes), 0, nullptr, 0));
            EXPECT_EQ(PixelOf(image, 1, 0), c.red);
            EXPECT_EQ(PixelOf(image, 4, 2), c.dark);
            EXPECT_EQ(PixelOf(image, 0, 0), c.magenta);
        }
    }
}

// The transposed image drawn plain, mirrored and flipped shows the picture
// transposed and turned a quarter clockwise and anticlockwise.
TEST(Magick, RotatedImagesDrawAsTurnedPictures) {
    ScopedImagingApp app;
    TempDir dir;
    std::mt19937 rng(8);
    const magick::Picture picture = RandomPicture(rng, 7, 4, 12);
    magick::WriteXpm(dir.HostPath("in.xpm"), picture);
    magick::Run(dir.HostPath("in.xpm") + " -compress None -type palette BMP3:" + dir.HostPath("in.bmp"));
    const vktools::Bytes bytes = ReadFile(dir, "in.bmp");
    struct Turn {
        std::uint32_t flags;
        const char* operation;
    };
    for (const std::uint32_t format : {kPixelFormatRgb565, kPixelFormatXrgb8888}) {
        for (const Turn turn : {Turn{0, "-transpose"}, Turn{CSoftwareImage::kMirror, "-rotate 90"},
                                Turn{CSoftwareImage::kFlip, "-rotate 270"}}) {
            const magick::Picture expected = magick::Read({dir.HostPath("in.bmp")}, turn.operation).at(0);
            for (const bool palettized : {false, true}) {
                SCOPED_TRACE(testing::Message() << turn.operation << " format " << std::hex << format << " palettized "
                                                << palettized);
                Target target(format, 4, 7);
                CNativeImage native(app.Blitter());
                CPalettizedImage indexed(app.Blitter());
                CSoftwareImage& image = palettized ? static_cast<CSoftwareImage&>(indexed) : native;
                ASSERT_TRUE(image.CreateRotatedFromBmp(bytes.data(), Size(bytes), 0, nullptr, 0));
                const CRect clip(0, 0, 4, 7);
                image.Draw(&clip, 0, 0, 4, 7, 0, 0, turn.flags);
                ASSERT_EQ(expected.width, 4);
                for (std::int32_t y = 0; y < 7; ++y) {
                    for (std::int32_t x = 0; x < 4; ++x) {
                        EXPECT_EQ(target.Pixel(x, y), CSoftwareImage::ConvertColour(format, expected.At(x, y)))
                            << x << "," << y;
                    }
                }
            }
        }
    }
}

}  // namespace
