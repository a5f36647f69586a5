#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/shared/core/CGenUtil.h"
#include "tools/ResourceWriters.h"

namespace {

TEST(CGenUtil, ParseHexAgreesWithStrtoulUpToEightDigitsAndKeepsTheLast8Beyond) {
    EXPECT_EQ(CGenUtil::ParseHex("123456789"), 0x23456789u);  // the last 8 digits
    EXPECT_EQ(CGenUtil::ParseHex("0x1F"), 0u);
    std::mt19937 rng(7);
    const char digits[] = "0123456789abcdefABCDEF";
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        for (int k = static_cast<int>(rng() % 9); k > 0; --k) text += digits[rng() % 22];
        if (rng() % 3 == 0) text += "g12";
        EXPECT_EQ(CGenUtil::ParseHex(text.c_str()), std::strtoul(text.c_str(), nullptr, 16)) << text;
    }
}

TEST(CGenUtil, BinarySearchAgreesWithLowerBound) {
    EXPECT_EQ(CGenUtil::BinarySearch(nullptr, 3, 1), -1);
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::int32_t> values(rng() % 64);
        for (auto& v : values) v = static_cast<std::int32_t>(rng() % 200) - 100;
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        for (std::int32_t key = -102; key <= 102; ++key) {
            const auto it = std::lower_bound(values.begin(), values.end(), key);
            const std::int32_t expected = (it != values.end() && *it == key) ? static_cast<std::int32_t>(it - values.begin()) : -1;
            ASSERT_EQ(CGenUtil::BinarySearch(values.data(), static_cast<std::uint32_t>(values.size()), key), expected);
        }
    }
}

TEST(CGenUtil, ClipSpan) {
    // range position, range length, position, length -> clipped position, length
    const std::int16_t cases[][6] = {
        {0, 100, -10, 30, 0, 20},   {0, 100, 90, 30, 90, 10}, {0, 100, 100, 5, 100, 0}, {0, 100, 10, 20, 10, 20},
        {0, 100, -10, 200, 0, 100}, {10, 5, 0, 12, 10, 2},    {0, 100, 50, -5, 50, -5},
    };
    for (const auto& c : cases) {
        std::int16_t p = c[2], l = c[3];
        CGenUtil::ClipSpan(c[0], c[1], p, l);
        EXPECT_EQ(p, c[4]) << c[2] << "," << c[3];
        EXPECT_EQ(l, c[5]) << c[2] << "," << c[3];
    }
}

TEST(CGenUtil, UncompressStreamsOfEveryLevelAndRejectsAWrongSize) {
    std::vector<std::uint8_t> data(5000);
    std::mt19937 rng(3);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i % 7 == 0 ? rng() : i / 13);
    for (int level = 0; level <= 9; ++level) {
        std::vector<std::uint8_t> packed(8, 0xAA);  // an 8-byte header before the stream
        const auto stream = vktools::Deflate(data, level);
        packed.insert(packed.end(), stream.begin(), stream.end());
        const auto len = static_cast<std::uint32_t>(stream.size());
        std::vector<std::uint8_t> out(data.size() + 1);
        EXPECT_FALSE(CGenUtil::Uncompress(packed.data(), len, 8, out.data(), 5001)) << level;
        EXPECT_FALSE(CGenUtil::Uncompress(packed.data(), len, 8, out.data(), 4999)) << level;
        ASSERT_TRUE(CGenUtil::Uncompress(packed.data(), len, 8, out.data(), 5000)) << level;
        out.pop_back();
        EXPECT_EQ(out, data) << level;
    }
}

}  // namespace
