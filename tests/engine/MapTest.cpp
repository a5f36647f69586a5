// Tile maps made by the map writer: the parse and what it refuses, and
// layers drawn into the headless back buffer against ImageMagick's
// composition of the same tileset.
#include <gtest/gtest.h>

#include <functional>

#include "src/SoftwareBlitter/CBmpFile.h"
#include "src/game/MapManager.h"
#include "tests/engine/LevelWorld.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/Magick.h"

namespace {

constexpr char kTypes[] = R"(
type sky    0  0 4
type brick  15 1 2
type plat   35 3
type ghost  15 -      # blocks, draws nothing
type deco   0  - 4    # overlay only
type five   12 5
key a sky
key b brick
key p plat
key g ghost
key d deco
key 5 five
key F five mirrored
key A sky mirrored
)";
constexpr char kArt[] = R"(
layer
ab.p5F.g
A.d.FFbb
aaaa....
end
layer
........
........
........
end
)";

// What ImageMagick draws for each key: base and overlay columns, mirror.
struct Key {
    char symbol;
    int base, overlay;
    bool mirrored;
};
// 'A' is code 128: type 0 mirrored.
constexpr Key kKeys[] = {{'a', 0, 4, false},  {'b', 1, 2, false},  {'p', 3, -1, false}, {'g', -1, -1, false},
                         {'d', -1, 4, false}, {'5', 5, -1, false}, {'F', 5, -1, true},  {'A', 0, 4, true}};

std::string Geometry(int x, int y) {
    char text[32];
    std::snprintf(text, sizeof text, "%+d%+d", x, y);
    return text;
}

TEST(TileMap, LayersDrawAsImageMagickComposesTheTileset) {
    LevelWorld world;
    TempDir dir;
    const vktools::Bytes tileset = MakeTestTileset(6);
    ASSERT_TRUE(vktools::WriteHostFile(dir.HostPath("tiles.bmp"), tileset));
    world.archive.Add(AZ_TILESET_RESOURCE, tileset);
    world.Adapter()->loadTileset(AZ_TILESET_RESOURCE);
    AZ_Map& map = world.Adapter()->getMap();
    const vktools::Bytes bytes = MakeTestMap(std::string(kTypes) + kArt);
    ASSERT_TRUE(MapManager::parseMap(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &map));
    ASSERT_EQ(map.layerCount, 2);

    const int x0 = -10, y0 = 7;
    world.Fill(0xFF102030);
    world.Paint([&] {
        world.Adapter()->drawTileLayer(0, x0, y0, 0, 0, 8, 3);
        world.Adapter()->drawTileLayer(1, x0, y0, 0, 0, 8, 3);
    });

    const std::vector<std::string> rows = {"ab.p5F.g", "A.d.FFbb", "aaaa...."};
    std::string compose;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 8; ++column) {
            for (const Key& key : kKeys) {
                if (key.symbol != rows[row][column]) continue;
                for (const int tile : {key.base, key.overlay}) {
                    if (tile < 0) continue;
                    compose += "\\( " + dir.HostPath("tiles.bmp") + " -crop 24x24+" + std::to_string(24 * tile) +
                               "+0 +repage " + (key.mirrored ? "-flop " : "") + "-transparent '#FF00FF' \\) " +
                               "-geometry " + Geometry(x0 + 24 * column, y0 + 24 * row) + " -composite ";
                }
            }
        }
    }
    const magick::Picture expected =
        magick::Read({"-size 240x320 xc:'#102030'"}, compose + "-crop 200x90+0+0 -depth 8").at(0);
    ASSERT_EQ(expected.width, 200);
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 200; ++x) ASSERT_EQ(world.Pixel(x, y), Rgb565(expected.At(x, y))) << x << "," << y;
    }

    // The mirrored code 0x85 collides as type 5; a tile drawing nothing
    // still blocks; the layer without spans blocks nothing.
    EXPECT_EQ(world.Adapter()->findBlockingTile(0, 0, 5, 0, 5, 0, AZ_TILE_BLOCK_UP), 1);
    EXPECT_EQ(world.Adapter()->getLastHit().collision, 12);
    EXPECT_EQ(world.Adapter()->findBlockingTile(0, 0, 7, 0, 7, 0, 15), 1);
    EXPECT_EQ(world.Adapter()->findBlockingTile(1, 0, 0, 0, 7, 2, 0), 0);
}

TEST(TileMap, ColumnsOutsideTheTilesetAreSkippedWithALine) {
    LevelWorld world;
    world.archive.Add(AZ_TILESET_RESOURCE, MakeTestTileset(2));
    const vktools::Bytes bytes = MakeTestMap("type far 0 7 0\ntype near 0 1\nkey f far\nkey n near\nlayer\nfn\nend\n");
    ASSERT_TRUE(
        MapManager::parseMap(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &world.Adapter()->getMap()));
    DebugCapture log;
    world.Fill(0xFF102030);
    world.Paint([&] { world.Adapter()->drawTileLayer(0, 0, 0, 0, 0, 2, 1); });  // no tileset yet
    EXPECT_EQ(world.Pixel(30, 1), Rgb565(0x102030));
    world.Adapter()->loadTileset(AZ_TILESET_RESOURCE);
    world.Paint([&] { world.Adapter()->drawTileLayer(0, 0, 0, 0, 0, 2, 1); });
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"[ MapManager ] - Invalid Tile ID - 7 "});
    EXPECT_EQ(world.Pixel(1, 0), Rgb565(TilesetColour(TilesetEntry(0, 1, 0))));   // far's overlay, column 0
    EXPECT_EQ(world.Pixel(30, 1), Rgb565(TilesetColour(TilesetEntry(1, 6, 1))));  // near
}

// A 4 x 2 map of two types and one layer of two spans, as stored.
vktools::RawMap ValidMap() {
    vktools::RawMap map;
    map.width = 4;
    map.height = 2;
    map.types = {{15, 1, 0}, {3, 2, 0}};
    map.layers.push_back({{{1, {0, 1}, {}}, {5, {0x81}, {}}}, {}, {}});
    return map;
}

TEST(TileMap, ParseRefusesWhatItCannotTrust) {
    using Change = std::function<void(vktools::RawMap&)>;
    struct Case {
        const char* what;
        Change change;
        bool accepted;
    };
    const Case cases[] = {
        {"as written", [](auto&) {}, true},
        {"no layers", [](auto& m) { m.layers.clear(); }, true},
        {"65535 tiles", [](auto& m) { m.width = 255, m.height = 257; }, true},
        {"span ending at the last tile", [](auto& m) { m.layers[0].spans[1].start = 7; }, true},
        {"more data than codes", [](auto& m) { m.layers[0].dataSize = 30; }, true},
        {"nine layers", [](auto& m) { m.layers.resize(9); }, false},
        {"negative layer count", [](auto& m) { m.layerCount = -1; }, false},
        {"width 0", [](auto& m) { m.width = 0; }, false},
        {"height -2", [](auto& m) { m.height = -2; }, false},
        {"65536 tiles", [](auto& m) { m.width = 256, m.height = 256; }, false},
        {"negative type count", [](auto& m) { m.typeCount = -1; }, false},
        {"negative span count", [](auto& m) { m.layers[0].spanCount = -1; }, false},
        {"negative data size", [](auto& m) { m.layers[0].dataSize = -1; }, false},
        {"overlapping spans", [](auto& m) { m.layers[0].spans[1].start = 2; }, false},
        {"spans out of order", [](auto& m) { m.layers[0].spans[1].start = 0; }, false},
        {"span past the layer", [](auto& m) { m.layers[0].spans[1].start = 8; }, false},
        {"codes beyond the data size", [](auto& m) { m.layers[0].dataSize = 2; }, false},
        {"tile type of the type count", [](auto& m) { m.layers[0].spans[0].codes[1] = 0x82; }, false},
        {"spans past the payload", [](auto& m) { m.layers[0].spanCount = 3; }, false},
        {"span longer than the payload", [](auto& m) { m.layers[0].spans[1].length = 9; }, false},
        {"types past the payload", [](auto& m) { m.typeCount = 40; }, false},
    };
    LevelWorld world;
    AZ_Map& map = world.Adapter()->getMap();
    for (const Case& c : cases) {
        vktools::RawMap raw = ValidMap();
        c.change(raw);
        const vktools::Bytes bytes = vktools::WriteRawMap(raw);
        DebugCapture log;
        EXPECT_EQ(MapManager::parseMap(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &map), c.accepted)
            << c.what;
        EXPECT_EQ(log.Text().find("Map refused") == std::string::npos, c.accepted) << c.what;
        EXPECT_EQ(map.layerCount, c.accepted ? raw.layers.size() : 0u) << c.what;
    }
    // Every cut of a good map is refused.
    const vktools::Bytes whole = vktools::WriteRawMap(ValidMap());
    DebugCapture quiet;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_FALSE(MapManager::parseMap(whole.data(), static_cast<std::uint32_t>(size), &map)) << size;
    }
}

}  // namespace

namespace {

TEST(MapWriter, FindsSpansInTheArtAndRefusesWhatItCannotWrite) {
    vktools::MapWriter writer;
    ASSERT_TRUE(writer.Parse("type a 3 0\nkey a a\nkey b a mirrored\nlayer\nab.\n..a\naa.\nend\n", "t"));
    vktools::RawMap map;
    ASSERT_TRUE(writer.Build(map)) << writer.Error();
    ASSERT_EQ(map.layers.size(), 1u);
    const auto& spans = map.layers[0].spans;  // runs go on across row ends
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].start, 0);
    EXPECT_EQ(spans[0].codes, (std::vector<std::uint8_t>{0, 0x80}));
    EXPECT_EQ(spans[1].start, 5);
    EXPECT_EQ(spans[1].codes, (std::vector<std::uint8_t>{0, 0, 0}));

    const char* bad[][2] = {
        {"type a 3 0\nlayer\nx\nend\n", "t:2: layer 0 uses 'x', not a key"},
        {"type a 3 0\nkey a a\nlayer\naa\na\nend\n", "t:3: layer 0 row 1 is not as wide as row 0"},
        {"type a 3 0\nkey a a\nlayer\na\nend\nlayer\na\na\nend\n", "t:6: layer 1 is not as high as layer 0"},
        {"type a 3 0\nkey a a\nlayer\na\n", "t:4: layer without 'end'"},
        {"key a b\nlayer\na\nend\n", "t:1: unknown tile type 'b'"},
        {"type a 3 x\n", "t:1: expected 'type NAME COLLISION BASE [OVERLAY]', 'key C TYPE [mirrored]' or 'layer'"},
    };
    for (const auto& [text, error] : bad) {
        vktools::MapWriter w;
        vktools::Bytes bytes;
        EXPECT_FALSE(w.Parse(text, "t") && w.Build(bytes)) << text;
        EXPECT_NE(w.Error().find(error), std::string::npos) << w.Error();
    }
}

TEST(MapWriter, EntityListsAndTilesetsFromText) {
    std::vector<vktools::EntityRecord> records;
    std::string error;
    const auto lookup = [](std::string_view name) { return name == "walker" ? 4 : -1; };
    ASSERT_TRUE(
        vktools::ParseEntityList("# c\nentity walker 12 34 left\nentity 7 0 65535\n", "e", records, error, lookup));
    EXPECT_EQ(vktools::MakeEntityList(records), (vktools::Bytes{2, 0, 4, 0x80, 12, 0, 34, 0, 7, 0, 0, 0, 0xFF, 0xFF}));
    for (const char* text : {"entity ghost 1 2\n", "entity 4 1 65536\n", "entity 4 1\n", "entity 4 1 2 right\n"}) {
        EXPECT_FALSE(vktools::ParseEntityList(text, "e", records, error, lookup)) << text;
    }

    vktools::Bytes bmp;
    ASSERT_TRUE(vktools::MakeTileset("colour a 102030\ntile\na\nend\ntile\naa\naa\nend\n", "s", bmp, error)) << error;
    const CBmpFile file(bmp.data(), static_cast<std::uint32_t>(bmp.size()));
    EXPECT_EQ(file.GetWidth(), 48);
    EXPECT_EQ(file.GetHeight(), 24);
    EXPECT_FALSE(
        vktools::MakeTileset("colour a 102030\ntile\naaaaa\naaaaa\naaaaa\naaaaa\naaaaa\nend\n", "s", bmp, error));
    EXPECT_FALSE(vktools::MakeTileset("colour a 102030\ntile\nb\nend\n", "s", bmp, error));
}

}  // namespace
