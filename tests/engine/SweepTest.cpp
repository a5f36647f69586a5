// The tile sweeps and scans: their anchors on a drawn map, agreement with a
// brute-force scan of a dense grid over random span layouts, and the box
// functions.
#include <gtest/gtest.h>

#include <random>

#include "src/actionZel/AZ_Geometry.h"
#include "src/game/MapManager.h"
#include "tests/engine/LevelWorld.h"
#include "tests/support/DebugCapture.h"

namespace {

constexpr std::int32_t T = 1024;  // a tile in world units

// Rows 1-2 hold a two-row ceiling (columns 2-3) and a one-row one (6-7,
// row 2); column 5 a wall; row 6 half-height platforms (3 | 32); row 7
// the ground.
constexpr char kMap[] = R"(
type ground 15 -
type half   35 -
type ceil   12 -
type wall   15 -
key g ground
key h half
key c ceil
key w wall
layer
..........
..cc......
..cc..cc..
..........
.....w....
.....w....
hhh..w....
gggggggggg
end
)";

struct SweepCase {
    const char* what;
    bool vertical;
    std::int32_t x, y, w, h, target;
    std::int32_t hit, corrected;
};

TEST(TileSweep, Anchors) {
    const SweepCase cases[] = {
        {"landing on 3 | 32", true, T + 512, 5 * T, 512, T, 6 * T + 600, 1, 6 * T - 42 + 512},
        {"falling short of the platform", true, T + 512, 5 * T, 512, T, 6 * T - 600, 0, 0},
        {"standing 42 above the ground: the ground row is not scanned", false, 7 * T, 7 * T - 42, 512, T, 9 * T, 0, 0},
        {"standing on the ground row: it is", false, 7 * T, 7 * T, 512, T, 9 * T, 1, 8 * T - 256 - 42},
        {"right wall: 42 short", false, 3 * T, 6 * T - 42, 512, T, 6 * T, 1, 5 * T - 256 - 42},
        {"left wall: flush", false, 8 * T, 6 * T - 42, 512, T, 4 * T, 1, 6 * T + 256},
        {"rising under a two-row ceiling stops at the nearest row", true, 2 * T + 512, 5 * T, 512, T, 2 * T, 1, 4 * T},
        {"and under a one-row ceiling", true, 6 * T + 512, 5 * T, 512, T, 2 * T, 1, 4 * T},
        {"crossing one row in one step", true, 2 * T + 512, 4 * T + 100, 512, T, 4 * T - 124, 1, 4 * T},
        {"rising in the open", true, 8 * T + 512, 5 * T, 512, T, 2 * T, 0, 0},
    };
    LevelWorld world;
    const vktools::Bytes map = MakeTestMap(kMap);
    ASSERT_TRUE(MapManager::parseMap(map.data(), static_cast<std::uint32_t>(map.size()), &world.Adapter()->getMap()));
    AZ_Adapter* adapter = world.Adapter();
    for (const SweepCase& c : cases) {
        const std::int32_t hit = c.vertical ? adapter->sweepTilesY(0, 0, c.x, c.y, c.w, c.h, c.target)
                                            : adapter->sweepTilesX(0, 0, c.x, c.y, c.w, c.h, c.target);
        EXPECT_EQ(hit, c.hit) << c.what;
        if (hit == 1) {
            EXPECT_EQ(c.vertical ? adapter->getCollisionY() : adapter->getCollisionX(), c.corrected) << c.what;
        }
    }
    // Layer -1 is the active layer; without one, or on a layer the map does
    // not have, nothing blocks.
    EXPECT_EQ(adapter->testMapCollision(T + 512, 5 * T, 512, T, 6 * T + 600), 0);
    EXPECT_EQ(adapter->sweepTilesY(1, 0, T + 512, 5 * T, 512, T, 6 * T + 600), 0);
    world.View()->SetActiveLayer(0);
    EXPECT_EQ(adapter->testMapCollision(T + 512, 5 * T, 512, T, 6 * T + 600), 1);
    EXPECT_EQ(adapter->getCollisionY(), 6 * T - 42 + 512);
}

// Row 1 of an 8 x 2 map: solid tiles in columns 0-2 (one span), 3 and 5
// with a tile of collision 0 between them (a second span), and 7 (mirrored,
// a third); column 6 is empty. The tile asked for is the one under the
// point half a tile below it.
TEST(TileSweep, TileEdges) {
    vktools::RawMap raw;
    raw.width = 8;
    raw.height = 2;
    raw.types = {{0, 0, 0}, {15, 0, 0}};
    raw.layers.push_back({{{8, {1, 1, 1}, {}}, {11, {1, 0, 1}, {}}, {15, {0x81}, {}}}, {}, {}});
    LevelWorld world;
    const vktools::Bytes map = vktools::WriteRawMap(raw);
    ASSERT_TRUE(MapManager::parseMap(map.data(), static_cast<std::uint32_t>(map.size()), &world.Adapter()->getMap()));
    const struct {
        const char* what;
        std::int32_t left, column, y, edge;
    } cases[] = {
        {"left at column 0: never", 1, 0, T - 400, 0},
        {"left beside a solid tile", 1, 1, T - 400, 0},
        {"left at a span's first tile, after a solid tile", 1, 3, T - 400, 1},
        {"left beside a tile of collision 0", 1, 5, T - 400, 1},
        {"a tile of collision 0", 1, 4, T - 400, 0},
        {"an empty tile", 1, 6, T - 400, 0},
        {"left at a mirrored span's only tile", 1, 7, T - 400, 1},
        {"the row above", 1, 3, T - 600, 0},
        {"right at a span's last tile, before a solid tile", 0, 2, T - 400, 1},
        {"right beside a solid tile", 0, 1, T - 400, 0},
        {"right beside a tile of collision 0", 0, 3, T - 400, 1},
        {"right at a span's last tile, before an empty one", 0, 5, T - 400, 1},
        {"right, empty", 0, 6, T - 400, 0},
        {"right at the last column: never", 0, 7, T - 400, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(world.Adapter()->isTileEdge(0, 0, c.column * T + 700, c.y, c.left), c.edge) << c.what;
    }
}

// A layer as a dense grid of collision bytes (-1 empty), and the same
// layer in spans as stored.
struct Layout {
    std::int32_t width = 0, height = 0;
    std::vector<std::int32_t> grid;
    vktools::RawMap raw;

    std::int32_t At(std::int64_t column, std::int64_t row) const {
        const std::int64_t index = row * width + column;
        return index < 0 || index >= std::int64_t{width} * height ? -1 : grid[static_cast<std::size_t>(index)];
    }
    bool Blocks(std::int64_t column, std::int64_t row, std::int32_t mask) const {
        return At(column, row) >= 0 && (At(column, row) & mask) == mask;
    }
};

Layout RandomLayout(std::mt19937& rng) {
    static constexpr std::uint8_t kCollisions[] = {0, 3, 35, 12, 44, 15, 47, 5, 10};
    Layout l;
    l.width = 1 + static_cast<std::int32_t>(rng() % 30);
    l.height = 1 + static_cast<std::int32_t>(rng() % 10);
    l.grid.assign(static_cast<std::size_t>(l.width * l.height), -1);
    l.raw.width = static_cast<std::int16_t>(l.width);
    l.raw.height = static_cast<std::int16_t>(l.height);
    for (const std::uint8_t c : kCollisions) l.raw.types.push_back({c, 0, 0});
    vktools::RawMap::Layer& layer = l.raw.layers.emplace_back();
    for (std::int32_t index = static_cast<std::int32_t>(rng() % 4); index < l.width * l.height;) {
        const std::int32_t length =
            std::min<std::int32_t>(static_cast<std::int32_t>(rng() % 9), l.width * l.height - index);
        vktools::RawMap::Span& span = layer.spans.emplace_back();
        span.start = static_cast<std::uint16_t>(index);
        for (std::int32_t i = 0; i < length; ++i, ++index) {
            const std::uint32_t type = rng() % std::size(kCollisions);
            span.codes.push_back(static_cast<std::uint8_t>(type | (rng() % 2) << 7));
            l.grid[static_cast<std::size_t>(index)] = kCollisions[type];
        }
        index += static_cast<std::int32_t>(rng() % 6);
    }
    return l;
}

struct Hit {
    std::int32_t hit = 0, x = 0, y = 0, collision = 0;
    bool operator==(const Hit&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Hit& h) {
    return out << h.hit << " (" << h.x << ", " << h.y << ") " << h.collision;
}

Hit BruteFind(const Layout& l, std::int64_t c0, std::int64_t r0, std::int64_t c1, std::int64_t r1, std::int32_t mask) {
    for (std::int64_t row = r0; row <= r1; ++row) {
        for (std::int64_t column = c0; column <= c1; ++column) {
            if (l.Blocks(column, row, mask))
                return {1, static_cast<int>(column), static_cast<int>(row), l.At(column, row)};
        }
    }
    return {};
}

Hit BruteSweepX(const Layout& l, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t tx) {
    const std::int64_t half = w >> 1, left = x - half, top = y - h, targetLeft = tx - half;
    const bool leftward = targetLeft < left;
    const std::int64_t from = leftward ? (left >> 10) - 1 : ((left + w) >> 10) + 1;
    const std::int64_t to = leftward ? targetLeft >> 10 : (targetLeft + w) >> 10;
    for (std::int64_t c = from; leftward ? c >= to : c <= to; c += leftward ? -1 : 1) {
        Hit hit = BruteFind(l, c, top >> 10, c, y >> 10, leftward ? 10 : 5);
        if (hit.hit == 0) continue;
        hit.x = static_cast<std::int32_t>(leftward ? c * T + half + T : c * T - half - 42);
        return hit;
    }
    return {};
}

Hit BruteSweepY(const Layout& l, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t ty) {
    const std::int64_t left = x - (w >> 1);
    const std::int64_t c0 = std::clamp<std::int64_t>(left >> 10, 0, l.width - 1);
    const std::int64_t c1 = std::clamp<std::int64_t>((left + w) >> 10, 0, l.width - 1);
    Hit hit;
    std::int64_t offset = -42;
    if (ty >= y) {
        hit = BruteFind(l, c0, y >> 10, c1, (std::int64_t{ty} + 512) >> 10, 3);
    } else {
        offset = std::int64_t{h} + T;
        for (std::int64_t row = (std::int64_t{y} - h) >> 10; hit.hit == 0 && row >= (std::int64_t{ty} - h) >> 10;
             --row) {
            hit = BruteFind(l, c0, row, c1, row, 12);
        }
    }
    if (hit.hit == 1) hit.y = static_cast<std::int32_t>(hit.y * T + offset + ((hit.collision & 32) != 0 ? 512 : 0));
    return hit;
}

Hit LastHit(const AZ_Adapter& adapter, std::int32_t result) {
    if (result == 0) return {};
    return {result, adapter.getLastHit().x, adapter.getLastHit().y, adapter.getLastHit().collision};
}

TEST(TileSweep, SpanWalksAgreeWithADenseGrid) {
    LevelWorld world;
    AZ_Adapter* adapter = world.Adapter();
    DebugCapture quiet;
    std::mt19937 rng(26);
    const auto between = [&](std::int32_t lo, std::int32_t hi) {
        return lo + static_cast<std::int32_t>(rng() % static_cast<std::uint32_t>(hi - lo + 1));
    };
    for (int round = 0; round < 300; ++round) {
        const Layout l = RandomLayout(rng);
        const vktools::Bytes bytes = vktools::WriteRawMap(l.raw);
        ASSERT_TRUE(MapManager::parseMap(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &adapter->getMap()));
        const std::int32_t entries = adapter->getMap().layers[0].spanEntries;
        for (int query = 0; query < 40; ++query) {
            const std::int32_t c0 = between(-2, l.width + 1), r0 = between(-2, l.height + 1);
            const std::int32_t c1 = c0 + between(-1, 4), r1 = r0 + between(-1, 3);
            const std::int32_t mask = std::vector<std::int32_t>{3, 12, 5, 10, 15}[query % 5];
            // Every span of the layer as the hint, and hints it does not have.
            std::vector<std::int32_t> hints = {-3, 1, entries, entries + 3};
            for (std::int32_t entry = 0; entry < entries; entry += 3) hints.push_back(entry);
            for (const std::int32_t hint : hints) {
                EXPECT_EQ(LastHit(*adapter, adapter->findBlockingTile(0, hint, c0, r0, c1, r1, mask)),
                          BruteFind(l, c0, r0, c1, r1, mask))
                    << "round " << round << " hint " << hint;
            }
            const std::int32_t x = between(-2 * T, (l.width + 2) * T), y = between(-T, (l.height + 2) * T);
            const std::int32_t w = between(1, 2 * T), h = between(1, 3 * T), hint = 3 * between(0, 4);
            const std::int32_t tx = x + between(-3 * T, 3 * T), ty = y + between(-3 * T, 3 * T);
            EXPECT_EQ(LastHit(*adapter, adapter->sweepTilesX(0, hint, x, y, w, h, tx)), BruteSweepX(l, x, y, w, h, tx))
                << "round " << round;
            EXPECT_EQ(LastHit(*adapter, adapter->sweepTilesY(0, hint, x, y, w, h, ty)), BruteSweepY(l, x, y, w, h, ty))
                << "round " << round;
        }
    }
}

TEST(Boxes, OverlapAndContactTimes) {
    EXPECT_EQ(AZ_BoxesOverlap(0, 0, 10, 10, 10, 0, 5, 5), 1);  // a's far edge on b's near edge
    EXPECT_EQ(AZ_BoxesOverlap(10, 0, 5, 5, 0, 0, 10, 10), -1);
    EXPECT_EQ(AZ_BoxesOverlap(0, 0, 10, 10, 0, 10, 5, 5), 1);
    EXPECT_EQ(AZ_BoxesOverlap(0, 10, 5, 5, 0, 0, 10, 10), -1);
    struct Case {
        const char* what;
        std::int32_t bx, by, avx, avy, bvx, expected;
    };
    const Case cases[] = {
        {"overlapping already", 5, 5, 0, 0, 0, 0},
        {"closing in on x", 20, 0, 1024, 0, 0, 10},
        {"both moving, relative speed 512", 20, 0, 1024, 0, 512, 20},
        {"moving apart", 20, 0, -1024, 0, 0, -1},
        {"relative speed 101 counts as still", 20, 0, 101, 0, 0, -1},
        {"and 102 does not", 20, 0, 102, 0, 0, 100},
        {"apart on y while still on y", 20, 30, 1024, 0, 0, -1},
        {"closing on both axes", 20, 30, 1024, 1024, 0, 20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AZ_SweptBoxContactTime(0, 0, 10, 10, c.bx, c.by, 10, 10, c.avx, c.avy, c.bvx, 0), c.expected)
            << c.what;
    }
    EXPECT_EQ(AZ_SweptBoxContactTimeX(0, 0, 10, 10, 20, 0, 10, 10, 0, 1024), 10);
    EXPECT_EQ(AZ_SweptBoxContactTimeX(0, 0, 10, 10, 20, 0, 10, 10, 1024, 0), -1);    // speed taken as 10th - 9th
    EXPECT_EQ(AZ_SweptBoxContactTimeX(0, 0, 10, 10, 5, 0, 10, 10, 0, 0), 0);         // overlapping, still
    EXPECT_EQ(AZ_SweptBoxContactTimeX(0, 0, 10, 10, 2000, 0, 10, 10, 0, 1024), -1);  // beyond the step
    EXPECT_EQ(AZ_SweptBoxContactTimeX(0, 0, 10, 10, 20, 11, 10, 10, 0, 1024), -1);   // apart on y
    EXPECT_EQ(AZ_Abs(-7), 7);
}

}  // namespace
