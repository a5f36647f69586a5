#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/components/U32Array.h"
#include "tests/support/FailingAlloc.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ArrayStreams, TypedReadsAndWritesInBothByteOrders) {
    const Bytes bytes = {0xFF, 0x01, 0x80, 0x01, 0x02, 0x03, 0x84, 1, 2, 3, 4, 5, 6, 7, 0x88};
    const struct {
        std::uint8_t swap;
        std::int16_t s16;
        std::uint32_t u32;
        std::uint64_t u64;
    } cases[] = {
        {0, -32767, 0x84030201u, 0x8807060504030201ull},
        {1, 0x0180, 0x01020384u, 0x0102030405060788ull},
    };
    for (const auto& c : cases) {
        CArrayInputStream in(c.swap);
        ASSERT_EQ(in.SetData(bytes.data(), 15), 1);
        EXPECT_EQ(in.ReadS8(), -1);
        EXPECT_EQ(in.ReadS16(), c.s16);
        EXPECT_EQ(in.ReadU32(), c.u32);
        EXPECT_EQ(in.ReadS64(), static_cast<std::int64_t>(c.u64));
        EXPECT_EQ(in.HasError(), 0);
        Bytes written(15);
        CArrayOutputStream out(c.swap);
        ASSERT_EQ(out.Attach(written.data(), 15), 1);
        out.WriteS8(-1);
        out.WriteS16(c.s16);
        out.WriteU32(c.u32);
        out.WriteS64(static_cast<std::int64_t>(c.u64));
        EXPECT_EQ(out.HasError(), 0);
        EXPECT_EQ(written, bytes);
    }
}

TEST(ArrayStreams, InputErrorsStickAndReadZeros) {
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
    CArrayInputStream s;
    s.SetData(bytes, sizeof bytes);
    s.Skip(2);
    EXPECT_EQ(s.ReadU32(), 0u);  // 3 left
    EXPECT_EQ(s.HasError(), 1);
    EXPECT_EQ(s.ReadU8(), 0);  // the error sticks although bytes are left
    std::uint8_t dest[2] = {9, 9};
    s.Read(dest, 2);
    EXPECT_EQ(Bytes(dest, dest + 2), Bytes(2, 0));
}

TEST(ArrayStreams, EachWriteReportsItsOwnOutcome) {
    std::uint8_t buffer[7] = {};
    CArrayOutputStream s;
    ASSERT_EQ(s.Attach(buffer, 7), 1);
    s.WriteU32(0x04030201);
    EXPECT_EQ(s.HasError(), 0);
    s.WriteU32(0x08070605);  // 3 bytes of room
    EXPECT_EQ(s.HasError(), 1);
    s.Write(buffer, 0);
    EXPECT_EQ(s.HasError(), 0);  // not sticky
}

TEST(ArrayStreams, UTFTextHasABigEndianCountInEitherByteOrder) {
    const char16_t withNul[] = {u'a', 0, u'b'};
    // "a\u00e9\u20ac" takes 1 + 2 + 3 bytes; only whole sequences are written. A text
    // too long for the 16-bit count is refused whole.
    const struct {
        std::u16string text;
        std::uint32_t capacity;
        Bytes stored;
        std::uint8_t error;
    } cases[] = {
        {std::u16string(withNul, 3), 16, {0, 4, 'a', 0xC0, 0x80, 'b'}, 0},
        {u"a\u00e9\u20ac", 7, {0, 6, 'a', 0xC3, 0xA9}, 1},
        {u"a\u00e9\u20ac", 2, {0, 2}, 1},  // nothing of the text fits
        {std::u16string(0x5556, u'\u20ac'), 70000, {0xEE, 0xEE}, 1},  // 65538 bytes
    };
    for (const std::uint8_t swap : {0, 1}) {
        for (const auto& c : cases) {
            Bytes buffer(c.capacity, 0xEE);
            CArrayOutputStream out(swap);
            out.Attach(buffer.data(), c.capacity);
            out.WriteUTF(c.text.data(), static_cast<std::uint32_t>(c.text.size()));
            EXPECT_EQ(out.HasError(), c.error) << c.capacity;
            EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + static_cast<long>(c.stored.size())), c.stored);
            if (c.error) continue;
            CArrayInputStream in(swap);
            in.SetData(buffer.data(), static_cast<std::uint32_t>(c.stored.size()));
            char16_t text[8];
            EXPECT_EQ(in.ReadUTF(text, 8), c.text.size());
            EXPECT_EQ(std::u16string(text, c.text.size()), c.text);
        }
    }
}

TEST(U32ArrayLoad, ReadsRawWords) {
    const std::uint8_t bytes[] = {1, 0, 0, 0, 2, 0, 0, 0, 9};
    CArrayInputStream s(1);
    s.SetData(bytes, sizeof bytes);
    U32Array a;
    ASSERT_EQ(a.LoadFromStream(s), 1);
    EXPECT_EQ(a.count, 2u);
    EXPECT_EQ(a.words[1], 2u);  // never byte-reversed
    // Without memory the load fails: no count over missing words.
    s.SetData(bytes, sizeof bytes);
    FailNthNothrowNew(0);
    EXPECT_EQ(a.LoadFromStream(s), 0);
    FailNthNothrowNew(-1);
    EXPECT_EQ(a.count, 0u);
    EXPECT_EQ(a.words, nullptr);
}

}  // namespace
