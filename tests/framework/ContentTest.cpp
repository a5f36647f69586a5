// The content builder: the sample content as the build makes it, and the
// ways a build fails.
#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "tests/support/GameRun.h"
#include "tests/support/TempDir.h"
#include "tools/ContentBuilder.h"

namespace {

using vktools::Bytes;

TEST(Content, TheSameBytesOnEveryBuild) {
    Bytes first, second;
    std::string error;
    vktools::Content again;
    ASSERT_TRUE(vktools::BuildContentArchive(SampleContent(), first, error)) << error;
    ASSERT_TRUE(vktools::LoadContent(VK_CONTENT_DIR "/content.list", again, error)) << error;
    ASSERT_TRUE(vktools::BuildContentArchive(again, second, error)) << error;
    EXPECT_TRUE(first == second);
    EXPECT_TRUE(std::string(first.begin(), first.end()) == TempDir::ReadHost(VK_GAME_ARCHIVE));
}

TEST(Content, FailuresNameTheirPlace) {
    const TempDir dir;
    dir.Write("notice.txt", "hi\n");
    dir.Write("bad.tune", "volume 10\nsing 440\n");
    const std::string ids = "main 0x03000001\narchetypes 0x03000002\nimages 0x02000003\ncolour . FF00FF\n";
    dir.Write("a.sprites", ids + "image a\n..\n.\nend\n");
    dir.Write("b.sprites", ids + "image a\n.\nend\nsprite s a\narchetype 1\nlayer l s 0 0\nframe f k 0 0\n");
    dir.Write("d.sprites", "main 0x03000001\n");
    for (const auto& [list, expected] : {
             std::pair<std::string, std::string>{"0x01000001 text notice.txt\n0x02000003 text notice.txt\n",
                                                 "content.list:2: 0x02000003 is not an id of a text"},
             {"0x09000001 sound bad.tune\n", "bad.tune:2: expected volume N, tone HZ MS or rest MS"},
             {"0x05000001 sprites a.sprites\n", "content.list:1: the sprites' anchor is 0x05000142"},
             {"0x05000142 sprites a.sprites\n", "a.sprites:7: a row of another width"},
             {"0x05000142 sprites b.sprites\n", "b.sprites:11: no layer 'k'"},
             {"0x05000142 sprites d.sprites\n", "d.sprites: main, archetypes and images must be given"}}) {
        dir.Write("content.list", list);
        vktools::Content content;
        std::string error;
        EXPECT_FALSE(vktools::LoadContent(dir.HostPath("content.list"), content, error)) << list;
        EXPECT_NE(error.find(expected), std::string::npos) << error;
    }
    // Two ids of one entry, the manifest's included.
    for (const auto& [id, expected] : {std::pair{0x02000243u, "0x02000243 and 0x03000243 share archive entry 579"},
                                       std::pair{0x0300023Fu, "the manifest and 0x0300023F share archive entry 575"}}) {
        vktools::Content content = SampleContent();
        content.resources[id] = vktools::MakeResource({1});
        Bytes archive;
        std::string error;
        EXPECT_FALSE(vktools::BuildContentArchive(content, archive, error));
        EXPECT_EQ(error, expected);
    }
}

TEST(Content, PngBecomesBmp) {
    const TempDir dir;
    // A row of 300 colours, the first one transparent: 24 bits; its first
    // ten pixels: 8 bits with the key first.
    std::vector<std::uint8_t> rgba;
    for (int x = 0; x < 300; ++x) rgba.insert(rgba.end(), {std::uint8_t(x), std::uint8_t(x >> 8), 7, std::uint8_t(x == 0 ? 0 : 255)});
    for (const int width : {300, 10}) {
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        png.width = static_cast<png_uint_32>(width);
        png.height = 1;
        png.format = PNG_FORMAT_RGBA;
        const std::string path = dir.HostPath("image.png");
        ASSERT_TRUE(png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 300 * 4, nullptr));
        std::string error;
        const Bytes bmp = vktools::PngToBmp(path, error);
        ASSERT_GT(bmp.size(), 58u) << error;
        EXPECT_EQ(bmp[28], width == 300 ? 24 : 8);
        if (width == 10) {
            EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 62), (Bytes{255, 0, 255, 0, 7, 0, 1, 0}));
        }
    }
    std::string error;
    EXPECT_TRUE(vktools::PngToBmp(dir.HostPath("none.png"), error).empty());
    EXPECT_NE(error.find("none.png"), std::string::npos);
}

}  // namespace
