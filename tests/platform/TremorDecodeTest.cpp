#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>

#include "platform/shared/tremor/TremorDecode.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/OggFixture.h"

namespace {

struct Decoded {
    bool ok = false;
    std::unique_ptr<std::uint8_t[]> pcm;
    std::uint32_t size = 0;
};

// Decodes with sentinels in the outputs, so that a failure can be seen to
// leave them untouched.
Decoded Decode(const std::vector<std::uint8_t>& ogg) {
    static std::uint8_t sentinel;
    std::uint8_t* pcm = &sentinel;
    std::uint32_t size = 0xDEADBEEF;
    Decoded d;
    d.ok = TremorDecodeToPcm(ogg.data(), static_cast<std::uint32_t>(ogg.size()), &pcm, &size);
    if (d.ok) {
        d.pcm.reset(pcm);
        d.size = size;
    } else {
        EXPECT_EQ(pcm, &sentinel);
        EXPECT_EQ(size, 0xDEADBEEFu);
    }
    return d;
}

std::vector<std::uint8_t> MonoTone(int samples, int rate = 8000) {
    std::vector<std::uint8_t> ogg = oggfixture::Encode(oggfixture::Tone(samples, 1, rate, 440, 8000), 1, rate);
    EXPECT_FALSE(ogg.empty()) << "oggenc (vorbis-tools) is needed to make the test sounds";
    return ogg;
}

TEST(TremorDecodeToPcm, MatchesTheReferenceDecoder) {
    struct Case {
        int samples;
        int rate;
    };
    // The decoder keeps the stream's own rate: the sample count is all that matters.
    const Case cases[] = {{8000, 8000}, {1234, 8000}, {1, 8000}, {0, 8000}, {3000, 11025}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.samples << " samples at " << c.rate << " Hz");
        const std::vector<std::uint8_t> ogg = MonoTone(c.samples, c.rate);
        const std::vector<std::int16_t> reference = oggfixture::ReferenceDecode(ogg);
        ASSERT_EQ(reference.size(), static_cast<std::size_t>(c.samples));

        const Decoded d = Decode(ogg);
        ASSERT_TRUE(d.ok);
        ASSERT_EQ(d.size, 2u * static_cast<std::uint32_t>(c.samples));
        int worst = 0;
        for (std::size_t i = 0; i < reference.size(); ++i) {
            const auto sample = static_cast<std::int16_t>(d.pcm[2 * i] | (d.pcm[2 * i + 1] << 8));
            worst = std::max(worst, std::abs(sample - reference[i]));
        }
        EXPECT_LE(worst, 2);
    }
}

TEST(TremorDecodeToPcm, StereoStreamFails) {
    const std::vector<std::uint8_t> ogg = oggfixture::Encode(oggfixture::Tone(2000, 2, 8000, 440, 8000), 2, 8000);
    ASSERT_FALSE(ogg.empty());
    EXPECT_FALSE(Decode(ogg).ok);
}

TEST(TremorDecodeToPcm, BytesThatAreNoOggStreamFailAtOpen) {
    std::mt19937 rng(7);
    std::vector<std::uint8_t> noise(4096);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
    const std::vector<std::vector<std::uint8_t>> inputs = {noise, {}, {'O', 'g', 'g', 'S'}};
    for (const auto& input : inputs) {
        DebugCapture capture;
        EXPECT_FALSE(Decode(input).ok) << input.size();
        EXPECT_NE(capture.Text().find("TREMOR: cannot open the stream"), std::string::npos);
    }
    std::uint8_t* pcm = nullptr;
    std::uint32_t size = 0;
    DebugCapture capture;
    EXPECT_FALSE(TremorDecodeToPcm(nullptr, 100, &pcm, &size));
}

TEST(TremorDecodeToPcm, DamagedStreamsFailCleanly) {
    const std::vector<std::uint8_t> good = MonoTone(16000);
    ASSERT_GT(good.size(), 1000u);

    // A chunk missing from the middle: the decoder reports a hole.
    std::vector<std::uint8_t> gap = good;
    gap.erase(gap.begin() + static_cast<std::ptrdiff_t>(good.size() / 2),
              gap.begin() + static_cast<std::ptrdiff_t>(good.size() / 2 + 300));
    EXPECT_FALSE(Decode(gap).ok);

    // Audio bytes overwritten: the damaged page fails its checksum.
    std::vector<std::uint8_t> corrupt = good;
    for (std::size_t i = good.size() / 2; i < good.size() / 2 + 64; ++i) corrupt[i] ^= 0x5A;
    EXPECT_FALSE(Decode(corrupt).ok);

    // Headers only.
    DebugCapture capture;
    const std::vector<std::uint8_t> headers(good.begin(), good.begin() + 200);
    EXPECT_FALSE(Decode(headers).ok);
}

TEST(TremorDecodeToPcm, LastGranuleSetsTheLength) {
    const std::vector<std::uint8_t> good = MonoTone(4000);
    // A shorter claim trims the end; larger claims (up to one past a 32-bit
    // byte count) never make the buffer larger than what decodes.
    const std::int64_t granules[] = {4000, 3900, 4500, 0x80000000LL, 1LL << 62};
    for (const std::int64_t granule : granules) {
        std::vector<std::uint8_t> ogg = good;
        oggfixture::SetLastGranule(ogg, granule);
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

TEST(TremorMemorySource, ReadSeekTell) {
    const std::uint8_t data[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    TremorMemorySource src{data, sizeof data, 0};
    std::uint8_t out[16] = {};
    EXPECT_EQ(TremorRead(out, 1, 4, &src), 4u);
    EXPECT_EQ(out[3], 3);
    EXPECT_EQ(TremorRead(out, 2, 100, &src), 6u);  // cut to what is left
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(TremorRead(out, 1, 1, &src), 0u);
    EXPECT_EQ(TremorRead(out, 0, 5, &src), 0u);

    struct Seek {
        std::int64_t offset;
        int whence;
        int result;
        long position;
    };
    const Seek seeks[] = {
        {0, 2, 0, 10},  {3, 0, 0, 3},    {2, 1, 0, 5},  {-1, 2, 0, 9}, {-20, 1, 0, 0},
        {50, 0, 0, 10}, {-50, 0, 0, 0}, {4, 0, 0, 4},  {1, 2, 0, 10}, {INT64_MIN, 2, 0, 0},
        {INT64_MAX, 1, 0, 10}, {1, 3, -1, 10}, {1, -1, -1, 10},
    };
    for (const auto& s : seeks) {
        EXPECT_EQ(TremorSeek(&src, s.offset, s.whence), s.result) << s.offset << " " << s.whence;
        EXPECT_EQ(TremorTell(&src), s.position) << s.offset << " " << s.whence;
    }
    EXPECT_EQ(TremorClose(&src), 0);
}

}  // namespace
