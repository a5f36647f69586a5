#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Defines.h"
#include "src/ridaroVoz3/SZ_Home.h"

namespace {

// Timelines set forwards (then rewound to the direction) and advanced by
// each step; -1 reverses, -2 restarts instead.
TEST(SpriteTimeline, Advances) {
    const struct {
        const char* name;
        std::vector<std::uint16_t> durations;
        std::uint8_t loop;
        std::int8_t direction;
        std::vector<std::int64_t> steps;
        std::vector<std::int32_t> frameTimeWindowSpeed;
        bool finished;
    } cases[] = {
        {"loops", {100, 200, 300}, 1, 1, {650}, {0, 50, 0, 100, 1}, false},
        {"many turns at once", {100, 200, 300}, 1, 1, {6 * 600 + 350}, {2, 350, 300, 600, 1}, false},
        {"stops at the end", {100, 200, 300}, 0, 1, {650, 50}, {2, 600, 300, 600, 0}, true},
        {"backwards", {100, 200, 300}, 0, -1, {350}, {1, 250, 300, 100, 1}, false},
        {"backwards loops", {100, 200, 300}, 1, -1, {650}, {2, 550, 600, 300, 1}, false},
        {"reversed", {100, 200, 300}, 0, 1, {150, -1, 100}, {0, 50, 100, 0, 1}, false},
        {"restarted after the end stays", {100, 200}, 0, 1, {500, -2, 50}, {0, 0, 0, 100, 0}, false},
        {"a looping still of no time stays", {0}, 1, 1, {40}, {0, 0, 0, 0, 1}, false},
        {"a still of no time ends at once", {0}, 0, 1, {40}, {0, 0, 0, 0, 1}, true},
        {"no frames is finished", {}, 1, 1, {40}, {0, 0, 0, 0, 1}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SZ_AnimTimeline timeline;
        timeline.set(c.durations.data(), static_cast<std::uint8_t>(c.durations.size()), 1, 1, c.loop);
        timeline.rewind(c.direction);
        for (const std::int64_t step : c.steps) {
            step == -1 ? timeline.reverse() : step == -2 ? timeline.restart() : timeline.advance(std::uint32_t(step));
        }
        EXPECT_EQ(std::vector<std::int32_t>({timeline.getCurrentFrame(), timeline.getTime(), timeline.getWindowStart(),
                                             timeline.getWindowEnd(), timeline.getSpeed()}),
                  c.frameTimeWindowSpeed);
        EXPECT_EQ(timeline.isFinished(), c.finished);
    }
}

TEST(SpriteBitSet, CountsWhatItSets) {
    SZ_BitSet bits;
    ASSERT_TRUE(bits.Init(9));
    for (const std::uint32_t bit : {8u, 8u, 3u}) bits.Set(bit, true);
    bits.Set(5, false);
    bits.Set(3, false);
    const std::uint8_t* bytes = bits.GetBytes();
    EXPECT_EQ(std::vector<std::uint32_t>({bits.GetByteCount(), bytes[0], bytes[1], bits.GetSetCount()}),
              std::vector<std::uint32_t>({2, 0, 1, 1}));
}

// Image records: the first image of a half stays; its last use deletes it.
TEST(SpriteImage, KeepsTheFirstImageOfAHalf) {
    CSoftwareBlitter blitter;
    auto* first = new CPalettizedImage(&blitter);
    SZ_Image record;
    // The second image is deleted; whether each bit was clear.
    EXPECT_EQ(std::vector<bool>({record.AddUse(0, first), record.AddUse(1, new CPalettizedImage(&blitter)),
                                 record.AddUse(1, nullptr), record.NeedsLoad(4)}),
              std::vector<bool>({true, true, false, true}));
    EXPECT_EQ(record.GetVariant(1), first);
    record.RemoveUse(0);
    EXPECT_EQ(record.GetVariant(0), first);
    record.RemoveUse(1);
    EXPECT_EQ(record.GetVariant(0), nullptr);
}

// Presenter flags turn an image sprite's orientation: orientation 5 (the
// rotated image mirrored) under a mirrored frame is the rotated image.
TEST(SpriteOrientation, CombinesWithThePresenterFlags) {
    // flags, orientation, combined
    for (const auto& [f, o, c] : {std::tuple{2u, 5u, 4u}, {1u, 5u, 7u}, {4u, 5u, 1u}, {2u, 1u, 3u}, {7u, 6u, 1u}}) {
        EXPECT_EQ(SZ_CombineOrientation(f, o), c) << f << " " << o;
    }
}

}  // namespace
