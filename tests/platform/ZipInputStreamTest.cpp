#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/shared/components/CZipInputStream.h"
#include "tests/support/Fixtures.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;

int Open(CZipInputStream& zip, const Bytes& stream, std::uint32_t total) {
    return zip.Open(stream.data(), static_cast<std::uint32_t>(stream.size()), total);
}

TEST(ZipInputStream, InflatesEveryLevelInAnyChunkSize) {
    const std::uint32_t sizes[] = {0, 1, 513, 70000, 1u << 20};
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
                ASSERT_EQ(Open(zip, stream, size), 1);
                Bytes out(size);
                for (std::uint32_t done = 0; done < size; done += chunk) {
                    zip.Read(out.data() + done, size - done < chunk ? size - done : chunk);
                }
                ASSERT_EQ(zip.HasError(), 0) << size << " " << level << " " << chunk;
                ASSERT_EQ(out, data) << size << " " << level << " " << chunk;
            }
        }
    }
}

TEST(ZipInputStream, ShortAndDamagedStreamsFailZeroFilled) {
    const Bytes data = MakeSampleData(1000, 7);
    const Bytes stream = vktools::Deflate(data, 6);
    CZipInputStream zip;
    ASSERT_EQ(Open(zip, stream, 1500), 1);
    zip.Skip(10);
    Bytes out(1200, 0xEE);
    zip.Read(out.data(), 1200);
    EXPECT_EQ(zip.HasError(), 1);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 990), Bytes(data.begin() + 10, data.end()));
    EXPECT_EQ(Bytes(out.begin() + 990, out.end()), Bytes(210, 0));

    Bytes corrupt = stream;
    corrupt[0] ^= 0xFF;  // bad zlib header
    const Bytes truncated(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
    for (const Bytes& source : {corrupt, truncated}) {
        Open(zip, source, 1000);
        zip.Read(out.data(), 1000);
        EXPECT_EQ(zip.HasError(), 1);
        EXPECT_EQ(zip.ReadU8(), 0);
    }
    // Reopening starts afresh.
    ASSERT_EQ(Open(zip, stream, 1000), 1);
    EXPECT_EQ(zip.HasError(), 0);
}

}  // namespace
