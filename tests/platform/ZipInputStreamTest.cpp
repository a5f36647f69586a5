#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/shared/components/CZipInputStream.h"
#include "tests/support/Fixtures.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;

TEST(ZipInputStream, InflatesEveryLevelInAnyChunkSize) {
    const std::uint32_t sizes[] = {0, 1, 511, 512, 513, 70000, 1u << 20};
    const std::uint32_t chunks[] = {1, 3, 511, 512, 4096};
    int run = 0;
    for (const std::uint32_t size : sizes) {
        const Bytes data = MakeSampleData(size, size);
        for (int level = 0; level <= 9; ++level) {
            const Bytes stream = vktools::Deflate(data, level);
            // Every chunk size on the small inputs, one per level on the large.
            for (const std::uint32_t chunk : chunks) {
                if (size > 100000 && chunk != chunks[run++ % 5]) continue;
                CZipInputStream zip;
                ASSERT_EQ(zip.Open(stream.data(), static_cast<std::uint32_t>(stream.size()), size), 1);
                Bytes out(size);
                std::uint32_t done = 0;
                while (done < size) {
                    const std::uint32_t n = size - done < chunk ? size - done : chunk;
                    zip.Read(out.data() + done, n);
                    done += n;
                }
                ASSERT_EQ(zip.HasError(), 0) << size << " " << level << " " << chunk;
                ASSERT_EQ(zip.Available(), 0u);
                ASSERT_EQ(out, data) << size << " " << level << " " << chunk;
            }
        }
    }
}

TEST(ZipInputStream, BigEndianTypedReadsAndSkip) {
    vktools::ByteWriter w(true);
    w.U32(0xCAFEBABE).U16(0x1234);
    for (int i = 0; i < 1000; ++i) w.U8(static_cast<std::uint8_t>(i));
    w.U64(0x0102030405060708ull);
    const Bytes data = w.Take();
    const Bytes stream = vktools::Deflate(data, 9);
    CZipInputStream zip(1);
    ASSERT_EQ(zip.Open(stream.data(), static_cast<std::uint32_t>(stream.size()), static_cast<std::uint32_t>(data.size())), 1);
    EXPECT_EQ(zip.ReadU32(), 0xCAFEBABEu);
    EXPECT_EQ(zip.ReadU16(), 0x1234);
    zip.Skip(999);
    EXPECT_EQ(zip.ReadU8(), 999 & 0xFF);
    EXPECT_EQ(zip.Available(), 8u);
    EXPECT_EQ(zip.ReadU64(), 0x0102030405060708ull);
    EXPECT_EQ(zip.HasError(), 0);
}

TEST(ZipInputStream, AvailableTrustsTheCallerUntilTheDataEnds) {
    const Bytes data = MakeSampleData(1000, 7);
    const Bytes stream = vktools::Deflate(data, 6);
    CZipInputStream zip;
    ASSERT_EQ(zip.Open(stream.data(), static_cast<std::uint32_t>(stream.size()), 1500), 1);
    EXPECT_EQ(zip.Available(), 1500u);
    Bytes out(1200, 0xEE);
    zip.Read(out.data(), 1200);
    EXPECT_EQ(zip.HasError(), 1);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 1000), data);
    EXPECT_EQ(Bytes(out.begin() + 1000, out.end()), Bytes(200, 0));  // undelivered part zeroed
    EXPECT_EQ(zip.Available(), 0u);
    // Asking for more than the caller's total fails at once.
    ASSERT_EQ(zip.Open(stream.data(), static_cast<std::uint32_t>(stream.size()), 10), 1);
    EXPECT_EQ(zip.HasError(), 0);
    zip.Read(out.data(), 11);
    EXPECT_EQ(zip.HasError(), 1);
    EXPECT_EQ(out[0], 0);
}

TEST(ZipInputStream, DamagedStreamsFail) {
    const Bytes data = MakeSampleData(5000, 3);
    Bytes stream = vktools::Deflate(data, 6);
    struct Case {
        const char* name;
        Bytes source;
    };
    Bytes corrupt = stream;
    corrupt[0] ^= 0xFF;  // bad zlib header
    Bytes truncated(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
    const Case cases[] = {{"header", corrupt}, {"truncated", truncated}, {"empty", {}}};
    for (const auto& c : cases) {
        CZipInputStream zip;
        zip.Open(c.source.data(), static_cast<std::uint32_t>(c.source.size()), 5000);
        Bytes out(5000, 0xEE);
        zip.Read(out.data(), 5000);
        EXPECT_EQ(zip.HasError(), 1) << c.name;
        EXPECT_EQ(zip.Available(), 0u);
        zip.Skip(1);
        EXPECT_EQ(zip.ReadU8(), 0);
    }
    // Reopening starts afresh.
    CZipInputStream zip;
    zip.Open(corrupt.data(), static_cast<std::uint32_t>(corrupt.size()), 5000);
    zip.Skip(10);
    EXPECT_EQ(zip.HasError(), 1);
    ASSERT_EQ(zip.Open(stream.data(), static_cast<std::uint32_t>(stream.size()), 5000), 1);
    Bytes out(5000);
    zip.Read(out.data(), 5000);
    EXPECT_EQ(zip.HasError(), 0);
    EXPECT_EQ(out, data);
}

}  // namespace
