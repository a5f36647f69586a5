#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/CBinRes.h"
#include "tests/platform/ArchiveFixture.h"
#include "tests/support/Fixtures.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;

class BinResTest : public ArchiveFixture {};

Bytes PayloadOf(const CBinRes& res) {
    return Bytes(res.GetPayload(), res.GetPayload() + res.GetPayloadSize());
}

TEST_F(BinResTest, PlainBlobExposesItsPayload) {
    const Bytes payload = {10, 20, 30, 40, 50};
    for (const std::uint16_t headerLength : {3, 4, 9}) {
        CBinRes res;
        ASSERT_EQ(res.LoadFromBigFile(&Archive(vktools::MakeBlob(payload, {headerLength, 0x7F, 0xAA})), 1, 1), 1);
        EXPECT_EQ(res.GetSize(), payload.size() + headerLength);
        EXPECT_EQ(res.GetPayloadSize(), payload.size());
        EXPECT_EQ(PayloadOf(res), payload);
        EXPECT_EQ(res.GetType(), 3u);
        EXPECT_EQ(res.IsCompressed(), 0);
    }
}

TEST_F(BinResTest, IdsAreMaskedToFifteenBitsAndZeroIsRefused) {
    CBigFileReader& reader = Archive(vktools::MakeBlob({1, 2}));
    CBinRes res;
    EXPECT_EQ(res.LoadFromBigFile(&reader, 0x8001, 0), 1);
    EXPECT_EQ(res.LoadFromBigFile(&reader, 0x40FF8001u, 0), 1);
    EXPECT_EQ(PayloadOf(res), (Bytes{1, 2}));
    EXPECT_EQ(res.LoadFromBigFile(&reader, 0, 0), 0);
    EXPECT_EQ(res.GetPayload(), nullptr);
    EXPECT_EQ(res.LoadFromBigFile(&reader, 2, 0), 0);
    EXPECT_EQ(res.LoadFromBigFile(nullptr, 1, 0), 0);
}

TEST_F(BinResTest, CompressedBlobsInflateExactly) {
    const std::uint32_t sizes[] = {0, 1, 1000, 65536, 1u << 20};
    for (const std::uint32_t size : sizes) {
        const Bytes data = MakeSampleData(size, size + 1);
        for (int level = 0; level <= 9; ++level) {
            if (size == (1u << 20) && level % 3 != 0) continue;
            CBinRes res;
            ASSERT_EQ(res.LoadFromBigFile(&Archive(vktools::MakeCompressedBlob(data, level)), 1, 1), 1);
            ASSERT_EQ(res.GetPayloadSize(), size);
            ASSERT_EQ(res.GetSize(), size);
            ASSERT_EQ(PayloadOf(res), data) << size << " " << level;
            EXPECT_EQ(res.IsCompressed(), 0);
        }
    }
}

TEST_F(BinResTest, InflatesOnlyWhenAsked) {
    const Bytes data = MakeSampleData(3000, 5);
    const Bytes blob = vktools::MakeCompressedBlob(data, 9, {6, 0x01, 0});
    CBinRes res;
    ASSERT_EQ(res.LoadFromBigFile(&Archive(blob), 1, 0), 1);
    EXPECT_EQ(res.IsCompressed(), 1);
    EXPECT_EQ(PayloadOf(res), Bytes(blob.begin() + 6, blob.end()));
    ASSERT_EQ(res.Inflate(), 1);
    EXPECT_EQ(PayloadOf(res), data);
    EXPECT_EQ(res.Inflate(), 1);  // nothing left to do
}

TEST_F(BinResTest, RefusesMalformedBlobs) {
    const Bytes data = MakeSampleData(2000, 11);
    const Bytes stream = vktools::Deflate(data, 6);
    const auto u = static_cast<std::uint32_t>(data.size());
    const auto k = static_cast<std::uint32_t>(stream.size());
    const vktools::BlobHeader compressed{4, 0x80, 0};
    Bytes corrupt = stream;
    corrupt[corrupt.size() / 2] ^= 0x55;
    Bytes longer = data;
    longer.push_back(1);
    struct Case {
        const char* name;
        Bytes blob;
        bool headerOk;  // the load fails only at inflation
    };
    const Case cases[] = {
        {"header length equals size", Bytes{5, 0, 0, 0, 0}, false},
        {"header length past size", Bytes{0xFF, 0xFF, 0, 1}, false},
        {"blob shorter than its header fields", Bytes{2, 0}, false},
        {"payload below 8 bytes", vktools::MakeBlob({1, 2, 3, 4, 5, 6, 7}, compressed), true},
        {"K past the payload", vktools::MakeBlob(vktools::MakeCompressedPayload(u, k + 1, stream), compressed), true},
        {"K huge", vktools::MakeBlob(vktools::MakeCompressedPayload(u, 0xFFFFFFF9u, stream), compressed), true},
        {"K zero", vktools::MakeBlob(vktools::MakeCompressedPayload(u, 0, stream), compressed), true},
        {"stream shorter than U", vktools::MakeBlob(vktools::MakeCompressedPayload(u + 1, k, stream), compressed), true},
        {"stream longer than U", vktools::MakeBlob(vktools::MakeCompressedPayload(u - 1, k, stream), compressed), true},
        {"U beyond any stream", vktools::MakeBlob(vktools::MakeCompressedPayload(0xFFFFFFFFu, k, stream), compressed), true},
        {"damaged stream", vktools::MakeBlob(vktools::MakeCompressedPayload(u, k, corrupt), compressed), true},
        {"truncated stream", vktools::MakeBlob(vktools::MakeCompressedPayload(u, k / 2, Bytes(stream.begin(), stream.begin() + k / 2)), compressed), true},
    };
    for (const auto& c : cases) {
        CBinRes res;
        EXPECT_EQ(res.LoadFromBigFile(&Archive(c.blob), 1, 1), 0) << c.name;
        if (c.headerOk) {
            // A failed inflation keeps the compressed blob.
            EXPECT_EQ(res.IsCompressed(), 1) << c.name;
            EXPECT_EQ(PayloadOf(res), Bytes(c.blob.begin() + 4, c.blob.end())) << c.name;
        } else {
            EXPECT_EQ(res.GetPayload(), nullptr) << c.name;
        }
    }
    // The smallest payload: header length one below the size.
    CBinRes res;
    ASSERT_EQ(res.LoadFromBigFile(&Archive(Bytes{4, 0, 0, 0, 9}), 1, 1), 1);
    EXPECT_EQ(PayloadOf(res), Bytes{9});
}

TEST_F(BinResTest, InitFromMemoryAndRaw) {
    const Bytes data = MakeSampleData(500, 2);
    const Bytes blob = vktools::MakeCompressedBlob(data);
    auto* copy = new std::uint8_t[blob.size()];
    std::memcpy(copy, blob.data(), blob.size());
    CBinRes res;
    ASSERT_EQ(res.InitFromMemory(42, copy, static_cast<std::uint32_t>(blob.size()), 1), 1);
    EXPECT_EQ(res.GetType(), 42u);
    EXPECT_EQ(PayloadOf(res), data);

    auto* raw = new std::uint8_t[6]{1, 2, 3, 4, 5, 6};
    ASSERT_EQ(res.InitRaw(7, 2, raw, 6, 0, 1), 1);
    EXPECT_EQ(PayloadOf(res), (Bytes{3, 4, 5, 6}));
    EXPECT_EQ(res.GetType(), 7u);

    EXPECT_EQ(res.InitRaw(7, 6, new std::uint8_t[6](), 6, 0, 1), 0);  // no payload left
    EXPECT_EQ(res.GetPayload(), nullptr);
    EXPECT_EQ(res.InitFromMemory(1, new std::uint8_t[3]{9, 0, 0}, 3, 0), 0);
    EXPECT_EQ(res.InitFromMemory(1, nullptr, 3, 0), 0);
    EXPECT_EQ(res.InitRaw(1, 0, nullptr, 3, 0, 0), 0);

    auto* taken = new std::uint8_t[5]{4, 0, 0, 0, 1};
    ASSERT_EQ(res.InitFromMemory(1, taken, 5, 0), 1);
    res.Detach();
    EXPECT_EQ(res.GetData(), nullptr);
    delete[] taken;
}

TEST_F(BinResTest, LoadFromFileTakesTheWholeFile) {
    const Bytes data = MakeSampleData(777, 8);
    CBinRes res;
    ASSERT_EQ(res.LoadFromFile(WriteBytes(data).c_str()), 1);
    EXPECT_EQ(PayloadOf(res), data);
    EXPECT_EQ(res.GetType(), 0u);
    EXPECT_EQ(res.LoadFromFile(Dir().Phone("missing").c_str()), 0);
    EXPECT_EQ(res.GetPayload(), nullptr);
    EXPECT_EQ(res.LoadFromFile(WriteBytes({}).c_str()), 0);
}

}  // namespace
