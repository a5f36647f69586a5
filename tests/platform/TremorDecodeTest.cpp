#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <string_view>

#include "platform/shared/tremor/TremorDecode.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FailingAlloc.h"
#include "tools/OggTools.h"

namespace {

// An Ogg Vorbis sine tone (channels the same) encoded by oggenc.
std::vector<std::uint8_t> Tone(int samples, int channels = 1, int rate = 8000) {
    const std::vector<std::uint8_t> ogg = vktools::EncodeTone(samples, channels, rate);
    EXPECT_FALSE(ogg.empty()) << "oggenc (vorbis-tools) is needed to make the test sounds";
    return ogg;
}

// Overwrites the granule position (the sample total) of the stream's last
// page and fixes the page's checksum.
void SetLastGranule(std::vector<std::uint8_t>& ogg, std::int64_t granule) {
    const std::string_view bytes(reinterpret_cast<const char*>(ogg.data()), ogg.size());
    std::uint8_t* page = ogg.data() + bytes.rfind("OggS");
    for (int i = 0; i < 8; ++i) page[6 + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(granule) >> (8 * i));
    std::size_t length = 27 + page[26];
    for (int i = 0; i < page[26]; ++i) length += page[27 + i];
    const std::uint32_t crc = OggPageChecksum(page, length);
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
        const std::vector<std::uint8_t> ogg = Tone(samples, 1, rate);
        const std::vector<std::uint8_t> reference = vktools::RunVorbisTool("oggdec -Q -R -b 16 -e 0 -s 1", ogg);
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

    const std::vector<std::uint8_t> good = Tone(16000);
    ASSERT_GT(good.size(), 1000u);
    const auto middle = static_cast<std::ptrdiff_t>(good.size() / 2);
    std::vector<std::uint8_t> gap(good.begin(), good.begin() + middle);  // the decoder reports a hole
    gap.insert(gap.end(), good.begin() + middle + 300, good.end());
    std::vector<std::uint8_t> corrupt = good;  // the page fails its checksum
    for (auto i = middle; i < middle + 64; ++i) corrupt[static_cast<std::size_t>(i)] ^= 0x5A;
    // A second stream that ends after its first page (the decoder's header
    // reader then loses a little memory that is not ours to free).
    const std::vector<std::uint8_t> next = Tone(100);
    std::vector<std::uint8_t> chained = good;
    chained.insert(chained.end(), next.begin(), next.begin() + 58);
    const std::vector<std::uint8_t> inputs[] = {
        Tone(2000, 2), {}, {'O', 'g', 'g', 'S'}, gap, corrupt, chained, {good.begin(), good.begin() + 200}};
    DebugCapture capture;
    for (const auto& input : inputs) EXPECT_FALSE(Decode(input).ok) << &input - inputs;
}

TEST(TremorDecodeToPcm, CutStreamsFail) {
    // The decoder takes the last whole page it finds for the end of the
    // sound: a stream cut at a page boundary, or inside a page, must not
    // decode as a shorter one. Cut at every page boundary, a byte either
    // side, and at spread points (every point in the exhaustive run).
    const std::vector<std::uint8_t> ogg = Tone(80000);
    const std::string_view bytes(reinterpret_cast<const char*>(ogg.data()), ogg.size());
    std::vector<std::size_t> cuts;
    for (std::size_t at = bytes.find("OggS", 1); at != std::string_view::npos; at = bytes.find("OggS", at + 1)) {
        cuts.insert(cuts.end(), {at - 1, at, at + 1});
    }
#ifdef VK_EXHAUSTIVE_TESTS
    const std::size_t step = 1;
#else
    const std::size_t step = 89;
#endif
    for (std::size_t at = 1; at < ogg.size(); at += step) cuts.push_back(at);
    cuts.push_back(ogg.size() - 1);
    DebugCapture capture;
    for (const std::size_t cut : cuts) {
        EXPECT_FALSE(Decode({ogg.begin(), ogg.begin() + static_cast<std::ptrdiff_t>(cut)}).ok) << cut;
    }
    EXPECT_TRUE(Decode(ogg).ok);
}

TEST(TremorDecodeToPcm, LastGranuleMustMatchTheDecodedLength) {
    const std::vector<std::uint8_t> good = Tone(16000);
    // A claim inside the last packet trims the end, as encoders mark a
    // stream's exact length; any other claim differs from what decodes. A
    // lower one must not write past the buffer sized from it.
    const std::pair<std::int64_t, bool> cases[] = {
        {15900, true}, {15000, false}, {8000, false}, {17000, false}, {0x80000000LL, false}, {1LL << 62, false}};
    DebugCapture capture;
    for (const auto& [granule, ok] : cases) {
        std::vector<std::uint8_t> ogg = good;
        SetLastGranule(ogg, granule);
        const Decoded d = Decode(ogg);
        EXPECT_EQ(d.ok, ok) << granule;
        EXPECT_EQ(d.size, ok ? 2 * static_cast<std::uint64_t>(granule) : 0) << granule;
    }
}

TEST(TremorDecodeToPcm, RefusesTotalsTheDataCannotHoldBeforeAllocating) {
    // A packet decodes to at most 4096 samples and takes at least a byte: a
    // larger total is refused before its buffer is asked for, so the
    // allocation failure armed here is still waiting afterwards. The stream:
    // a tone's header pages, then a last page of one 1-byte audio packet,
    // flagged as beginning and ending a stream (the decoder then takes its
    // granule position as the length).
    std::vector<std::uint8_t> claim = Tone(1);
    const std::string_view bytes(reinterpret_cast<const char*>(claim.data()), claim.size());
    claim.resize(bytes.find("OggS", bytes.find("OggS", 1) + 1));
    const vktools::Bytes serial(claim.begin() + 14, claim.begin() + 18);
    claim.insert(claim.end(), {'O', 'g', 'g', 'S', 0, 0x06, 0, 0, 0, 0, 0, 0, 0, 0});
    claim.insert(claim.end(), serial.begin(), serial.end());
    claim.insert(claim.end(), {2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0});
    const std::int64_t most = 4096 * static_cast<std::int64_t>(claim.size());
    const std::pair<std::int64_t, bool> cases[] = {{most, true}, {most + 1, false}, {0x7FFFFFFE, false}};
    for (const auto& [granule, allocates] : cases) {
        std::vector<std::uint8_t> ogg = claim;
        SetLastGranule(ogg, granule);
        FailNthNothrowNew(0);
        EXPECT_FALSE(Decode(ogg).ok);
        const std::unique_ptr<std::uint8_t> probe(new (std::nothrow) std::uint8_t);
        FailNthNothrowNew(-1);
        EXPECT_EQ(probe == nullptr, !allocates) << granule;
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
