// The engine with its game adapter reading a level archive that the tools/
// writers build, and a tileset whose pixels the tests can predict.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/actionZel/AZ_Client.h"
#include "tests/support/LevelArchive.h"
#include "tests/support/ScriptWorld.h"
#include "tools/BmpWriter.h"
#include "tools/EntityListWriter.h"
#include "tools/MapWriter.h"

// Tileset column c, pixel (x, y): palette entry 1 + 4c + its quadrant (so
// that a mirrored tile shows), except the key colour (entry 0, magenta) on
// the diagonal x == y. Every colour is exact in RGB 565.
inline std::uint32_t TilesetEntry(std::int32_t column, std::int32_t x, std::int32_t y) {
    return x == y ? 0 : 1 + 4 * column + (x / 12) + 2 * (y / 12);
}
inline std::uint32_t TilesetColour(std::uint32_t entry) {
    return entry == 0 ? 0xFF00FF : (entry & 31) << 19 | ((entry * 5) & 63) << 10 | ((31 - entry) & 31) << 3;
}
inline vktools::Bytes MakeTestTileset(std::int32_t columns) {
    vktools::BmpDesc bmp;
    bmp.width = 24 * columns;
    bmp.height = 24;
    for (std::uint32_t e = 0; e <= 4u * columns; ++e) bmp.palette.push_back(TilesetColour(e));
    for (std::int32_t y = 0; y < 24; ++y) {
        for (std::int32_t x = 0; x < bmp.width; ++x) bmp.pixels.push_back(TilesetEntry(x / 24, x % 24, y));
    }
    return vktools::MakeBmp(bmp);
}
inline std::uint32_t Rgb565(std::uint32_t rgb) { return CSoftwareImage::ConvertColour(kPixelFormatRgb565, rgb); }

// The map of the text form; an empty map when the writer fails the test.
inline vktools::Bytes MakeTestMap(std::string_view text) {
    vktools::MapWriter writer;
    vktools::Bytes map;
    EXPECT_TRUE(writer.Parse(text, "test") && writer.Build(map)) << writer.Error();
    return map;
}

// The script's types: 0 the controller, which logs the level events it
// gets; 1 a walker whose b_motion logs; 2 the same with b_tileCollidable;
// 3 drawn on map layer 0 (priority -1), 4 on layer 1, 5 below every layer
// (-9); their v_rect logs.
constexpr char kLevelScript[] = R"(
type controller initial control
type walker initial walk
type faller initial fall
type on_layer0 initial layer0
type on_layer1 initial layer1
type below initial below_all
state control
on 287
    f_customCodeInstruction 287
on 386
    f_customCodeInstruction 386
on 387
    f_customCodeInstruction 387
on 261
    f_customCodeInstruction 261
on 262
    f_customCodeInstruction 262
state walk
on enter
    b_motion 0 0 0
state fall
on enter
    b_motion 0 0 0
    b_tileCollidable 0 0
state layer0
on enter
    b_drawable -1 0
    v_rect
state layer1
on enter
    b_drawable -2 0
    v_rect
state below_all
on enter
    b_drawable -9 0
    v_rect
)";

struct LevelWorld : ScriptWorld {
    explicit LevelWorld(std::string_view script = kLevelScript) : ScriptWorld(script) {
        client->getAdapter()->setServices(&archive);
    }
    AZ_Adapter* Adapter() const { return client->getAdapter(); }
    Camera* View() const { return client->getCamera(); }

    LevelArchive archive;
};
