#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/shared/components/CAggregateResource.h"
#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/CKeysetResource.h"
#include "tests/platform/ArchiveFixture.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::AggregateItem;
using vktools::Bytes;

class ResourceTest : public ArchiveFixture {};

TEST_F(ResourceTest, AggregatesRoundTripInEveryLayout) {
    const std::vector<AggregateItem> items = {
        {40, {1, 2, 3}, 0x11111111},
        {7, {}, 0x22222222},
        {300, Bytes(70, 0x5A), 0x33333333},
        {41, {9}, 0},
    };
    for (std::uint32_t bits = 0; bits < 8; ++bits) {
        const auto flags = static_cast<std::uint16_t>(bits << 13);
        const bool consecutive = (flags & vktools::kAggregateConsecutiveIds) != 0;
        const Bytes payload = vktools::MakeAggregate(flags, 10, items);
        for (const bool compress : {false, true}) {
            CAggregateResource agg;
            const Bytes blob = compress ? vktools::MakeCompressedBlob(payload) : vktools::MakeBlob(payload);
            ASSERT_EQ(agg.Load(&Archive(blob), 1), 1) << flags;
            for (std::size_t i = 0; i < items.size(); ++i) {
                const std::uint32_t id = consecutive ? 10 + static_cast<std::uint32_t>(i) : items[i].id;
                for (const std::uint32_t asked : {id, id | 0x8000u, id | 0x20000000u}) {
                    ASSERT_EQ(agg.FindIndex(asked), static_cast<std::int32_t>(i)) << flags << " " << asked;
                    EXPECT_EQ(agg.Has(asked), 1);
                    EXPECT_EQ(agg.GetSize(asked), items[i].data.size());
                    EXPECT_EQ(agg.GetExtra(asked), (flags & vktools::kAggregateExtras) ? items[i].extra : 0u);
                }
                Bytes out(items[i].data.size() + 1, 0xEE);
                agg.Read(id, out.data());
                EXPECT_EQ(Bytes(out.begin(), out.end() - 1), items[i].data);
                EXPECT_EQ(out.back(), 0xEE);
            }
            EXPECT_EQ(agg.FindIndex(consecutive ? 14 : 8), -1);
            EXPECT_EQ(agg.GetSize(999), 0u);
            EXPECT_EQ(agg.GetExtra(999), 0u);
            EXPECT_EQ(agg.Has(999), 0);
        }
    }
}

TEST_F(ResourceTest, EmptyAggregate) {
    CAggregateResource agg;
    ASSERT_EQ(agg.Load(&Archive(vktools::MakeBlob(vktools::MakeAggregate(0xE000, 5, {}))), 1), 1);
    EXPECT_EQ(agg.FindIndex(5), -1);
    EXPECT_EQ(agg.Load(nullptr, 1), 0);
}

TEST_F(ResourceTest, RefusesMalformedAggregates) {
    const std::vector<AggregateItem> items = {{1, {1, 2, 3}, 0}, {2, {4, 5}, 0}};
    const Bytes good = vktools::MakeAggregate(vktools::kAggregateLongOffsets, 0, items);
    // Layout: flags, N, (id, u32 offset) x 2, end offset, data.
    const std::size_t firstOffset = 6;
    const std::size_t secondOffset = 12;
    const std::size_t endOffset = 16;
    struct Case {
        const char* name;
        std::size_t field;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"offsets decrease", secondOffset, 0},
        {"first offset past the second", firstOffset, 24},
        {"end before the last offset", endOffset, 21},
        {"end past the payload", endOffset, static_cast<std::uint32_t>(good.size()) + 1},
        {"end far away", endOffset, 0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        Bytes bad = good;
        vktools::PatchU32(bad, c.field, c.value);
        CAggregateResource agg;
        EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(bad)), 1), 0) << c.name;
        EXPECT_EQ(agg.FindIndex(1), -1) << c.name;
    }
    const Bytes truncated(good.begin(), good.begin() + 14);
    CAggregateResource agg;
    EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(truncated)), 1), 0);
    EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(Bytes{0, 0, 1})), 1), 0);
    // The end offset exactly at the payload's end is fine.
    ASSERT_EQ(agg.Load(&Archive(vktools::MakeBlob(good)), 1), 1);
    EXPECT_EQ(agg.GetSize(2), 2u);
}

TEST_F(ResourceTest, KeysetsRoundTrip) {
    const std::vector<std::uint32_t> keys = {0x03000001u, 0xFFFFFFFFu, 0, 42};
    for (const bool compress : {false, true}) {
        const Bytes payload = vktools::MakeKeyset(keys);
        CKeysetResource set;
        ASSERT_EQ(set.Load(&Archive(compress ? vktools::MakeCompressedBlob(payload) : vktools::MakeBlob(payload)), 1), 1);
        ASSERT_EQ(set.GetCount(), keys.size());
        for (std::uint32_t i = 0; i < keys.size(); ++i) EXPECT_EQ(set.GetKey(i), keys[i]);
        EXPECT_EQ(set.GetKey(4), 0u);
    }
    CKeysetResource empty;
    ASSERT_EQ(empty.Load(&Archive(vktools::MakeBlob(vktools::MakeKeyset({}))), 1), 1);
    EXPECT_EQ(empty.GetCount(), 0u);
    EXPECT_EQ(empty.GetKey(0), 0u);
}

TEST_F(ResourceTest, RefusesShortKeysets) {
    Bytes payload = vktools::MakeKeyset({1, 2, 3});
    payload.pop_back();
    CKeysetResource set;
    EXPECT_EQ(set.Load(&Archive(vktools::MakeBlob(payload)), 1), 0);
    EXPECT_EQ(set.GetCount(), 0u);
    EXPECT_EQ(set.GetKey(0), 0u);
    EXPECT_EQ(set.Load(&Archive(vktools::MakeBlob(Bytes{5})), 1), 0);
    EXPECT_EQ(set.Load(nullptr, 1), 0);
    EXPECT_EQ(set.Load(&Archive(vktools::MakeBlob(payload)), 2), 0);
}

}  // namespace
