#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "platform/shared/tremor/TremorDecode.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/PcmBytes.h"
#include "tests/support/VorbisTools.h"

namespace {

// Overwrites the granule position (the sample total) of the stream's last
// page and fixes the page's checksum.
void SetLastGranule(std::vector<std::uint8_t>& ogg, std::int64_t granule) {
    const std::string_view bytes(reinterpret_cast<const char*>(ogg.data()), ogg.size());
    std::uint8_t* page = ogg.data() + bytes.rfind("OggS");
    for (int i = 0; i < 8; ++i) page[6 + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(granule) >> (8 * i));
    std::size_t length = 27 + page[26];
    for (int i = 0; i < page[26]; ++i) length += page[27 + i];
    std::uint32_t crc = 0;
    for (int i = 0; i < 4; ++i) page[22 + i] = 0;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= std::uint32_t{page[i]} << 24;
        for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    for (int i = 0; i < 4; ++i) page[22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

struct Decoded {
    bool ok;
    std::unique_ptr<std::uint8_t[]> pcm;
    std::uint32_t size;
};

// Decodes with sentinels in the outputs: a failure must leave them untouched.
Decoded Decode(const std::vector<std::uint8_t>& ogg) {
    static std::uint8_t sentinel;
    std::uint8_t* pcm = &sentinel;
    std::uint32_t size = 0xDEADBEEF;
    if (TremorDecodeToPcm(ogg.data(), static_cast<std::uint32_t>(ogg.size()), &pcm, &size)) {
        return {true, std::unique_ptr<std::uint8_t[]>(pcm), size};
    }
    EXPECT_EQ(pcm, &sentinel);
    EXPECT_EQ(size, 0xDEADBEEFu);
    return {false, nullptr, 0};
}

TEST(TremorDecodeToPcm, MatchesTheReferenceDecoder) {
    // The decoder keeps the stream's own rate: the sample count is all that matters.
    const std::pair<int, int> cases[] = {{8000, 8000}, {1, 8000}, {0, 8000}, {3000, 11025}};
    for (const auto& [samples, rate] : cases) {
        SCOPED_TRACE(testing::Message() << samples << " samples at " << rate << " Hz");
        const std::vector<std::uint8_t> ogg = VorbisTone(samples, 1, rate);
        const std::vector<std::uint8_t> reference = RunVorbisTool("oggdec -Q -R -b 16 -e 0 -s 1", ogg);
        ASSERT_EQ(reference.size(), 2u * static_cast<std::size_t>(samples));
        const Decoded d = Decode(ogg);
        ASSERT_TRUE(d.ok);
        ASSERT_EQ(d.size, reference.size());
        int worst = 0;
        for (std::size_t i = 0; i < reference.size(); i += 2) {
            const auto ours = static_cast<std::int16_t>(d.pcm[i] | (d.pcm[i + 1] << 8));
            const auto theirs = static_cast<std::int16_t>(reference[i] | (reference[i + 1] << 8));
            worst = std::max(worst, std::abs(ours - theirs));
        }
        EXPECT_LE(worst, 2);
    }
}

TEST(TremorDecodeToPcm, BadStreamsFailCleanly) {
    std::mt19937 rng(7);
    std::vector<std::uint8_t> noise(4096);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
    {
        DebugCapture capture;
        EXPECT_FALSE(Decode(noise).ok);
        EXPECT_NE(capture.Text().find("TREMOR: cannot open the stream"), std::string::npos);
    }

    const std::vector<std::uint8_t> good = VorbisTone(16000);
    ASSERT_GT(good.size(), 1000u);
    const auto middle = static_cast<std::ptrdiff_t>(good.size() / 2);
    std::vector<std::uint8_t> gap = good;  // the decoder reports a hole
    gap.erase(gap.begin() + middle, gap.begin() + middle + 300);
    std::vector<std::uint8_t> corrupt = good;  // the page fails its checksum
    for (auto i = middle; i < middle + 64; ++i) corrupt[static_cast<std::size_t>(i)] ^= 0x5A;
    const std::vector<std::uint8_t> inputs[] = {
        VorbisTone(2000, 2), {}, {'O', 'g', 'g', 'S'}, gap, corrupt, {good.begin(), good.begin() + 200}};
    DebugCapture capture;
    for (const auto& input : inputs) EXPECT_FALSE(Decode(input).ok) << &input - inputs;
}

TEST(TremorDecodeToPcm, LastGranuleSetsTheLength) {
    const std::vector<std::uint8_t> good = VorbisTone(4000);
    // A shorter claim trims the end; larger claims (up to one past a 32-bit
    // byte count) never make the buffer larger than what decodes.
    const std::int64_t granules[] = {3900, 4500, 0x80000000LL, 1LL << 62};
    for (const std::int64_t granule : granules) {
        std::vector<std::uint8_t> ogg = good;
        SetLastGranule(ogg, granule);
        const Decoded d = Decode(ogg);
        if (granule <= 4000) {
            EXPECT_TRUE(d.ok) << granule;
            EXPECT_EQ(d.size, 2 * static_cast<std::uint64_t>(granule));
        } else if (d.ok) {
            EXPECT_GE(d.size, 8000u) << granule;
            EXPECT_LE(d.size, 8192u) << granule;
        }
    }
}

TEST(TremorMemorySource, ReadAndClampedSeek) {
    const std::uint8_t data[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    TremorMemorySource src{data, sizeof data, 0};
    std::uint8_t out[16] = {};
    EXPECT_EQ(TremorRead(out, 1, 4, &src), 4u);
    EXPECT_EQ(TremorRead(out, 2, 100, &src), 6u);  // cut to what is left
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(TremorRead(out, 1, 1, &src), 0u);

    // {offset, whence, result, position after}
    const std::int64_t seeks[][4] = {{-1, 2, 0, 9},  {-20, 1, 0, 0},      {50, 0, 0, 10},
                                     {2, 1, 0, 10},  {INT64_MIN, 2, 0, 0}, {1, 3, -1, 0}};
    for (const auto& s : seeks) {
        EXPECT_EQ(TremorSeek(&src, s[0], static_cast<int>(s[1])), s[2]) << s[0] << " " << s[1];
        EXPECT_EQ(TremorTell(&src), s[3]) << s[0] << " " << s[1];
    }
}

}  // namespace
