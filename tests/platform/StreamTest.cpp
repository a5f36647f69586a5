#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/components/U32Array.h"
#include "tools/ByteWriter.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;

TEST(ArrayInputStream, TypedReadsInBothByteOrders) {
    for (const bool big : {false, true}) {
        vktools::ByteWriter w(big);
        w.U8(0xFF).U16(0x8001).U32(0x80000002u).U64(0x8000000000000003ull).U8(0x7F).U16(0x7FFF);
        w.U32(0x01020304).U64(0x0102030405060708ull);
        const Bytes bytes = w.Take();
        CArrayInputStream s(big ? 1 : 0);
        ASSERT_EQ(s.SetData(bytes.data(), static_cast<std::uint32_t>(bytes.size())), 1);
        EXPECT_EQ(s.ReadS8(), -1);
        EXPECT_EQ(s.ReadS16(), -32767);
        EXPECT_EQ(s.ReadS32(), -2147483646);
        EXPECT_EQ(s.ReadS64(), static_cast<std::int64_t>(0x8000000000000003ull));
        EXPECT_EQ(s.ReadU8(), 0x7F);
        EXPECT_EQ(s.ReadU16(), 0x7FFF);
        EXPECT_EQ(s.ReadU32(), 0x01020304u);
        EXPECT_EQ(s.ReadU64(), 0x0102030405060708ull);
        EXPECT_EQ(s.Available(), 0u);
        EXPECT_EQ(s.HasError(), 0);
    }
}

TEST(ArrayInputStream, ByteOrderOfTwoByteReads) {
    const std::uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0x7F, 0x00, 0x80};
    CArrayInputStream little;
    little.SetData(bytes, sizeof bytes);
    EXPECT_EQ(little.ReadU16(), 0x0201);
    EXPECT_EQ(little.ReadU16(), 0x0403);
    EXPECT_EQ(little.ReadU8(), 255);
    EXPECT_EQ(little.ReadS8(), -1);
    EXPECT_EQ(little.ReadS16(), 127);
    EXPECT_EQ(little.ReadU8(), 0x80);
    CArrayInputStream big(1);
    big.SetData(bytes, sizeof bytes);
    EXPECT_EQ(big.ReadU16(), 0x0102);
    EXPECT_EQ(big.ReadU16(), 0x0304);
    const std::uint8_t extremes[] = {0xFF, 0x7F, 0x00, 0x80};
    little.SetData(extremes, sizeof extremes);
    EXPECT_EQ(little.ReadS16(), 32767);
    EXPECT_EQ(little.ReadS16(), -32768);
}

TEST(ArrayInputStream, ShortReadIsStickyAndZeroFilled) {
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
    CArrayInputStream s;
    s.SetData(bytes, sizeof bytes);
    s.Skip(2);
    EXPECT_EQ(s.ReadU32(), 0u);  // 3 left
    EXPECT_EQ(s.HasError(), 1);
    EXPECT_EQ(s.Available(), 0u);
    EXPECT_EQ(s.ReadU8(), 0);    // the error sticks although a byte is left
    std::uint8_t dest[2] = {9, 9};
    s.Read(dest, 2);
    EXPECT_EQ(dest[0], 0);
    EXPECT_EQ(dest[1], 0);
    s.Skip(1);
    EXPECT_EQ(s.HasError(), 1);
    // A fresh SetData starts over.
    ASSERT_EQ(s.SetData(bytes, sizeof bytes), 1);
    EXPECT_EQ(s.HasError(), 0);
    s.Skip(6);
    EXPECT_EQ(s.HasError(), 1);
    s.SetData(bytes, sizeof bytes);
    s.Skip(5);
    EXPECT_EQ(s.HasError(), 0);
    EXPECT_EQ(s.Available(), 0u);
}

TEST(ArrayInputStream, SetDataAndEmptyCalls) {
    CArrayInputStream s;
    EXPECT_EQ(s.SetData(nullptr, 0), 1);
    EXPECT_EQ(s.Available(), 0u);
    EXPECT_EQ(s.HasError(), 0);
    EXPECT_EQ(s.SetData(nullptr, 4), 0);
    EXPECT_EQ(s.HasError(), 1);
    const std::uint8_t bytes[] = {7};
    s.SetData(bytes, 1);
    s.Read(nullptr, 1);
    s.Skip(0);
    s.Read(const_cast<std::uint8_t*>(bytes), 0);
    EXPECT_EQ(s.HasError(), 0);
    EXPECT_EQ(s.Available(), 1u);
    s.Reset();
    EXPECT_EQ(s.Available(), 0u);
}

TEST(ArrayInputStream, ReadUTFTakesABigEndianCount) {
    const Bytes bytes = {0x00, 0x03, 0x61, 0x62, 0x63, 0x7A};
    for (const std::uint8_t swap : {0, 1}) {
        CArrayInputStream s(swap);
        s.SetData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        char16_t text[8];
        EXPECT_EQ(s.ReadUTF(text, 8), 3u);
        EXPECT_EQ(std::u16string(text), u"abc");
        EXPECT_EQ(s.ReadU8(), 0x7A);
        s.SetData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        s.ReadU16();  // the swap flag survives ReadUTF
        s.SetData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        EXPECT_EQ(s.ReadU16(), swap ? 0x0003 : 0x0300);
    }
    // Without a destination the count is consumed, the text is not.
    CArrayInputStream s;
    s.SetData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(s.ReadUTF(nullptr, 8), 0u);
    EXPECT_EQ(s.Available(), 4u);
    // A count beyond the data fails with an empty text.
    const Bytes shortText = {0x00, 0x09, 0x61};
    s.SetData(shortText.data(), 3);
    char16_t text[8] = {u'#'};
    EXPECT_EQ(s.ReadUTF(text, 8), 0u);
    EXPECT_EQ(text[0], u'\0');
    EXPECT_EQ(s.HasError(), 1);
}

TEST(ArrayInputStream, ReadsWriterStrings) {
    const std::u16string texts[] = {u"", u"caf\u00e9", std::u16string(u"a\0b", 3), u"\U0001F600", u"\u4e2d\u6587"};
    vktools::ByteWriter w;
    for (const auto& t : texts) w.Append(vktools::MakeUtfString(t));
    const Bytes bytes = w.Take();
    CArrayInputStream s;
    s.SetData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    for (const auto& t : texts) {
        char16_t out[16];
        EXPECT_EQ(s.ReadUTF(out, 16), t.size());
        EXPECT_EQ(std::u16string(out, t.size()), t);
    }
    EXPECT_EQ(s.Available(), 0u);
    EXPECT_EQ(s.HasError(), 0);
}

TEST(ArrayOutputStream, TypedWritesInBothByteOrders) {
    for (const std::uint8_t swap : {0, 1}) {
        std::uint8_t buffer[32];
        CArrayOutputStream s(swap);
        ASSERT_EQ(s.Attach(buffer, sizeof buffer), 1);
        s.WriteS8(-2);
        s.WriteS16(-3);
        s.WriteU32(0x01020304);
        s.WriteS64(-5);
        s.WriteU16(0xBEEF);
        s.WriteU8(0x11);
        s.WriteS32(-6);
        s.WriteU64(0x0102030405060708ull);
        EXPECT_EQ(s.HasError(), 0);
        CArrayInputStream in(swap);
        in.SetData(buffer, sizeof buffer);
        EXPECT_EQ(in.ReadS8(), -2);
        EXPECT_EQ(in.ReadS16(), -3);
        EXPECT_EQ(in.ReadU32(), 0x01020304u);
        EXPECT_EQ(in.ReadS64(), -5);
        EXPECT_EQ(in.ReadU16(), 0xBEEF);
        EXPECT_EQ(in.ReadU8(), 0x11);
        EXPECT_EQ(in.ReadS32(), -6);
        EXPECT_EQ(in.ReadU64(), 0x0102030405060708ull);
        EXPECT_EQ(in.HasError(), 0);
        const Bytes u32 = swap ? Bytes{1, 2, 3, 4} : Bytes{4, 3, 2, 1};
        EXPECT_EQ(Bytes(buffer + 3, buffer + 7), u32);
    }
}

TEST(ArrayOutputStream, EachWriteReportsItsOwnOutcome) {
    std::uint8_t buffer[7] = {};
    CArrayOutputStream s;
    s.WriteU8(1);  // nothing attached
    EXPECT_EQ(s.HasError(), 1);
    ASSERT_EQ(s.Attach(buffer, 7), 1);
    s.WriteU32(0x04030201);
    EXPECT_EQ(s.HasError(), 0);
    s.WriteU32(0x08070605);  // 3 bytes of room
    EXPECT_EQ(s.HasError(), 1);
    EXPECT_EQ(Bytes(buffer, buffer + 7), (Bytes{1, 2, 3, 4, 5, 6, 7}));
    s.Write(buffer, 0);
    EXPECT_EQ(s.HasError(), 0);  // not sticky
    s.WriteU8(9);
    EXPECT_EQ(s.HasError(), 1);
    s.Write(nullptr, 0);
    EXPECT_EQ(s.HasError(), 1);
    EXPECT_EQ(s.Attach(nullptr, 3), 0);
    EXPECT_EQ(s.Attach(nullptr, 0), 1);

    std::uint8_t exact[4];
    s.Attach(exact, 4);
    s.WriteU32(0x01020304);
    EXPECT_EQ(s.HasError(), 0);
}

TEST(ArrayOutputStream, WriteUTFRoundTrips) {
    std::uint8_t buffer[16] = {};
    for (const std::uint8_t swap : {0, 1}) {
        CArrayOutputStream s(swap);
        s.Attach(buffer, 16);
        s.WriteUTF(u"abc", 3);
        s.WriteUTF(u"abc", 3);
        EXPECT_EQ(s.HasError(), 0);
        EXPECT_EQ(Bytes(buffer, buffer + 10), (Bytes{0, 3, 'a', 'b', 'c', 0, 3, 'a', 'b', 'c'}));
    }
    // A unit 0 within the length is written as C0 80 and counted.
    const char16_t withNul[] = {u'a', 0, u'b', 0};
    CArrayOutputStream s;
    s.Attach(buffer, 16);
    s.WriteUTF(withNul, 3);
    EXPECT_EQ(s.HasError(), 0);
    EXPECT_EQ(Bytes(buffer, buffer + 6), (Bytes{0, 4, 'a', 0xC0, 0x80, 'b'}));
    CArrayInputStream in;
    in.SetData(buffer, 6);
    char16_t out[8];
    EXPECT_EQ(in.ReadUTF(out, 8), 3u);
    EXPECT_EQ(std::u16string(out, 3), std::u16string(withNul, 3));
}

TEST(ArrayOutputStream, WriteUTFThatDoesNotFit) {
    struct Case {
        std::uint32_t capacity;
        Bytes stored;
        std::uint8_t error;
    };
    // "a\u00e9\u20ac" takes 1 + 2 + 3 bytes.
    const Case cases[] = {
        {8, {0, 6, 'a', 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 0},
        {7, {0, 6, 'a', 0xC3, 0xA9}, 1},  // whole sequences only
        {4, {0, 4, 'a'}, 1},
        {2, {0, 2}, 1},                   // count only: nothing of the text fits
        {1, {0}, 1},
    };
    for (const auto& c : cases) {
        Bytes buffer(c.capacity, 0xEE);
        CArrayOutputStream s;
        s.Attach(buffer.data(), c.capacity);
        s.WriteUTF(u"a\u00e9\u20ac", 3);
        EXPECT_EQ(s.HasError(), c.error) << c.capacity;
        EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + static_cast<long>(c.stored.size())), c.stored);
        s.WriteU8(0x55);  // lands right after what was stored
        if (c.stored.size() < c.capacity) {
            EXPECT_EQ(buffer[c.stored.size()], 0x55) << c.capacity;
        }
    }
    // A text too long for the 16-bit count is refused whole.
    const std::u16string longText(0x5556, u'\u20ac');  // 65538 bytes
    Bytes big(70000, 0xEE);
    CArrayOutputStream s;
    s.Attach(big.data(), static_cast<std::uint32_t>(big.size()));
    s.WriteUTF(longText.c_str(), static_cast<std::uint32_t>(longText.size()));
    EXPECT_EQ(s.HasError(), 1);
    EXPECT_EQ(big[0], 0xEE);
}

TEST(ArrayOutputStream, WriteUtf8CharsStopsAtTheTerminator) {
    std::uint8_t buffer[8] = {};
    CArrayOutputStream s;
    s.Attach(buffer, 8);
    EXPECT_EQ(s.WriteUtf8Chars(8, u"ab\u00e9"), 4u);
    EXPECT_EQ(s.HasError(), 0);
    EXPECT_EQ(s.WriteUtf8Chars(2, u"xyz"), 3u);
    EXPECT_EQ(Bytes(buffer, buffer + 6), (Bytes{'a', 'b', 0xC3, 0xA9, 'x', 'y'}));
}

TEST(U32ArrayLoad, ReadsRawWords) {
    const std::uint8_t bytes[] = {1, 0, 0, 0, 2, 0, 0, 0, 9};
    for (const std::uint8_t swap : {0, 1}) {
        CArrayInputStream s(swap);
        s.SetData(bytes, sizeof bytes);
        U32Array a;
        ASSERT_EQ(a.LoadFromStream(s), 1);
        EXPECT_EQ(a.count, 2u);
        EXPECT_EQ(a.cursor, 0u);
        EXPECT_EQ(a.words[0], 1u);  // never byte-reversed
        EXPECT_EQ(a.words[1], 2u);
        a.Free();
        EXPECT_EQ(a.words, nullptr);
        EXPECT_EQ(a.count, 0u);
    }
    CArrayInputStream failed;
    failed.SetData(bytes, sizeof bytes);
    failed.Skip(100);
    U32Array a;
    EXPECT_EQ(a.LoadFromStream(failed), 0);
    EXPECT_EQ(a.words, nullptr);
}

}  // namespace
