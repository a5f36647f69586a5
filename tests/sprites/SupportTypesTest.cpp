#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Defines.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/framework/FrameworkApp.h"
#include "tests/support/FailingAlloc.h"
#include "tools/ResourceIds.h"
#include "tools/ResourceWriters.h"

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

// Made by Init or by the constructor of n bits: the bytes, and the bits
// set, in all and clear.
TEST(SpriteBitSet, CountsWhatItSets) {
    SZ_BitSet initialised, constructed(9);
    ASSERT_TRUE(initialised.Init(9));
    for (SZ_BitSet* bits : {&initialised, &constructed}) {
        for (const std::uint32_t bit : {8u, 8u, 3u}) bits->Set(bit, true);
        bits->Set(5, false);
        bits->Set(3, false);
        const std::uint8_t* bytes = bits->GetBytes();
        EXPECT_EQ(std::vector<std::uint32_t>({bits->GetByteCount(), bytes[0], bytes[1], bits->GetSetCount(),
                                              bits->GetBitCount(), bits->GetClearCount()}),
                  std::vector<std::uint32_t>({2, 0, 1, 1, 9, 8}));
    }
}

// Data resources read through the stream: values little-endian until the
// swap flag is set; a string's length big-endian whatever the flag (which
// it leaves as it was), and refused when it runs past the data.
TEST(SpriteDataStream, ReadsStringsAndSwaps) {
    using vktools::Bytes;
    const struct {
        const char* name;
        Bytes data;
        std::uint8_t swap;
        int failAlloc;  // the nothrow allocation that fails, -1 none
        bool read;
        std::string text;
        std::uint32_t left;
    } cases[] = {
        {"a string", {0, 3, 'a', 'b', 'c', 9}, 0, -1, true, "abc", 1},
        {"swapped, the same", {0, 3, 'a', 'b', 'c'}, 1, -1, true, "abc", 0},
        {"empty", {0, 0, 7}, 0, -1, true, "", 1},
        {"a length past the data", {0, 4, 'a', 'b', 'c'}, 0, -1, false, "", 0},
        {"a length of 65535", {0xFF, 0xFF, 'a'}, 1, -1, false, "", 0},
        {"half a length", {0}, 0, -1, false, "", 0},
        {"no memory", {0, 1, 'a'}, 0, 0, false, "", 1},
    };
    ScopedFrameworkApp app;
    vktools::ArchiveBuilder archive;
    archive.AddManifest({});
    const std::uint32_t firstId = vktools::ResId(vktools::kResData, 0x300);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) archive.Add(firstId + i, vktools::MakeResource(cases[i].data));
    archive.Add(firstId + 99, vktools::MakeResource({1, 2}));
    ASSERT_EQ(app.Open(archive), 1);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.name);
        DataInputStream stream(firstId + i);
        ASSERT_TRUE(stream.IsOpen());
        stream.SetSwap(c.swap);
        char unset = '?';
        char* text = &unset;
        FailNthNothrowNew(c.failAlloc);
        EXPECT_EQ(stream.ReadString(text), c.read);
        FailNthNothrowNew(-1);
        EXPECT_EQ(text != nullptr ? std::string(text) : std::string(), c.text);
        EXPECT_EQ(text != nullptr, c.read);
        EXPECT_EQ(stream.GetSwap(), c.swap);
        EXPECT_EQ(stream.Available(), c.left);
        EXPECT_EQ(stream.HasError() != 0, !c.read && c.failAlloc < 0);
        delete[] text;
        stream.ReleaseResource();
    }
    for (const std::uint8_t swap : {0, 1}) {
        DataInputStream stream(firstId + 99);
        stream.SetSwap(swap);
        EXPECT_EQ(stream.ReadU16(), swap ? 0x0102 : 0x0201);
        stream.ReleaseResource();
    }
    EXPECT_EQ(app.Resources().IsCached(firstId), 0);
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
