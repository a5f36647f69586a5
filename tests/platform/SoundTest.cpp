// Ogg Vorbis decoding (against oggdec, on tones oggenc makes), and the media
// player over the headless audio and vibration backends and SDL's audio thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string_view>
#include <thread>

#include "host/Clock.h"
#include "host/Vibrate.h"
#include "host/WaveOut.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/tremor/TremorDecode.h"
#include "platform/shared/win32/CMediaPlayer_WinMobile.h"
#include "tests/platform/TestApp.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/PcmBytes.h"
#include "tools/OggTools.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An Ogg Vorbis sine tone (channels the same) encoded by oggenc.
Bytes Tone(int samples, int channels = 1, int rate = 8000) {
    const Bytes ogg = vktools::EncodeTone(samples, channels, rate);
    EXPECT_FALSE(ogg.empty()) << "oggenc (vorbis-tools) is needed to make the test sounds";
    return ogg;
}

std::size_t FindPage(const Bytes& ogg, std::size_t from, bool last = false) {
    const std::string_view bytes(reinterpret_cast<const char*>(ogg.data()), ogg.size());
    return last ? bytes.rfind("OggS") : bytes.find("OggS", from);
}

// Overwrites the granule position (the sample total) of the stream's last
// page and fixes the page's checksum.
void SetLastGranule(Bytes& ogg, std::int64_t granule) {
    std::uint8_t* page = ogg.data() + FindPage(ogg, 0, true);
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
Decoded Decode(const Bytes& ogg) {
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
        const Bytes ogg = Tone(samples, 1, rate);
        const Bytes reference = vktools::RunVorbisTool("oggdec -Q -R -b 16 -e 0 -s 1", ogg);
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
    Bytes noise(4096);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
    DebugCapture capture;
    EXPECT_FALSE(Decode(noise).ok);
    EXPECT_NE(capture.Text().find("TREMOR: cannot open the stream"), std::string::npos);

    const Bytes good = Tone(16000);
    const auto middle = static_cast<std::ptrdiff_t>(good.size() / 2);
    Bytes gap(good.begin(), good.begin() + middle);  // the decoder reports a hole
    gap.insert(gap.end(), good.begin() + middle + 300, good.end());
    Bytes corrupt = good;  // the page fails its checksum
    for (auto i = middle; i < middle + 64; ++i) corrupt[static_cast<std::size_t>(i)] ^= 0x5A;
    // A second stream that ends after its first page (the decoder's header
    // reader then loses a little memory that is not ours to free).
    const Bytes next = Tone(100);
    Bytes chained = good;
    chained.insert(chained.end(), next.begin(), next.begin() + 58);
    for (const Bytes& input : {Tone(2000, 2), Bytes{}, Bytes{'O', 'g', 'g', 'S'}, gap, corrupt, chained}) {
        EXPECT_FALSE(Decode(input).ok) << input.size();
    }

    // The decoder takes the last whole page it finds for the end of the
    // sound: a stream cut at a page boundary, or inside a page, must not
    // decode as a shorter one. Cut at every page boundary, a byte either
    // side, and at spread points (every point in the exhaustive run).
    const Bytes ogg = Tone(80000);
    std::vector<std::size_t> cuts = {ogg.size() - 1};
    for (std::size_t at = FindPage(ogg, 1); at != std::string_view::npos; at = FindPage(ogg, at + 1)) {
        cuts.insert(cuts.end(), {at - 1, at, at + 1});
    }
#ifdef VK_EXHAUSTIVE_TESTS
    const std::size_t step = 1;
#else
    const std::size_t step = 89;
#endif
    for (std::size_t at = 1; at < ogg.size(); at += step) cuts.push_back(at);
    for (const std::size_t cut : cuts) {
        EXPECT_FALSE(Decode({ogg.begin(), ogg.begin() + static_cast<std::ptrdiff_t>(cut)}).ok) << cut;
    }
    EXPECT_TRUE(Decode(ogg).ok);
}

TEST(TremorDecodeToPcm, LastGranuleMustMatchTheDecodedLength) {
    const Bytes good = Tone(16000);
    // A claim inside the last packet trims the end, as encoders mark a
    // stream's exact length; any other claim differs from what decodes. A
    // lower one must not write past the buffer sized from it.
    const std::pair<std::int64_t, bool> cases[] = {
        {15900, true}, {15000, false}, {8000, false}, {17000, false}, {0x80000000LL, false}, {1LL << 62, false}};
    DebugCapture capture;
    for (const auto& [granule, ok] : cases) {
        Bytes ogg = good;
        SetLastGranule(ogg, granule);
        const Decoded d = Decode(ogg);
        EXPECT_EQ(d.ok, ok) << granule;
        EXPECT_EQ(d.size, ok ? 2 * static_cast<std::uint64_t>(granule) : 0) << granule;
    }

    // A packet decodes to at most 4096 samples and takes at least a byte: a
    // larger total is refused before its buffer is asked for, so the
    // allocation failure armed here is still waiting afterwards. The stream:
    // a tone's header pages, then a last page of one 1-byte audio packet,
    // flagged as beginning and ending a stream (the decoder then takes its
    // granule position as the length).
    Bytes claim = Tone(1);
    claim.resize(FindPage(claim, FindPage(claim, 1) + 1));
    const Bytes serial(claim.begin() + 14, claim.begin() + 18);
    claim.insert(claim.end(), {'O', 'g', 'g', 'S', 0, 0x06, 0, 0, 0, 0, 0, 0, 0, 0});
    claim.insert(claim.end(), serial.begin(), serial.end());
    claim.insert(claim.end(), {2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0});
    const std::int64_t most = 4096 * static_cast<std::int64_t>(claim.size());
    for (const auto& [granule, allocates] : {std::pair{most, true}, {most + 1, false}, {std::int64_t{0x7FFFFFFE}, false}}) {
        Bytes ogg = claim;
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
    // {offset, whence, result, position after}
    const std::int64_t seeks[][4] = {{-1, 2, 0, 9},  {-20, 1, 0, 0},      {50, 0, 0, 10},
                                     {2, 1, 0, 10},  {INT64_MIN, 2, 0, 0}, {1, 3, -1, 0}};
    for (const auto& s : seeks) {
        EXPECT_EQ(TremorSeek(&src, s[0], static_cast<int>(s[1])), s[2]) << s[0] << " " << s[1];
        EXPECT_EQ(TremorTell(&src), s[3]) << s[0] << " " << s[1];
    }
}

// `ms` milliseconds of one constant sample.
Bytes Flat(int ms, std::int16_t value) {
    return PcmBytes(std::vector<std::int16_t>(static_cast<std::size_t>(ms) * 8, value));
}

class MediaPlayer : public testing::Test {
protected:
    void SetUp() override {
        host::SetMediaBackend(host::MediaBackend::Headless);
        host::SetVirtualClock(0, 0);
        host::TakeHeadlessAudio();
        host::TakeVibrationCalls();
        m_player = ICMediaPlayer::GetInstance();
        ASSERT_NE(m_player, nullptr);
    }
    void TearDown() override {
        m_app.reset();  // deleting the player closes every voice
        EXPECT_EQ(host::OpenVoiceCount(), 0u);
        host::ClearVirtualClock();
        host::SetVoiceLimit(32);
        host::SetVibrateResult(S_OK);
    }

    std::uint32_t Play(const Bytes& pcm) {
        return m_player->PlaySound(pcm.data(), static_cast<std::uint32_t>(pcm.size()), 0, 0);
    }

    std::unique_ptr<ScopedTestApp> m_app = std::make_unique<ScopedTestApp>();
    ICMediaPlayer* m_player = nullptr;
};

TEST_F(MediaPlayer, VolumeIsClampedAndAppliedToPlayingSounds) {
    const std::pair<std::uint8_t, std::uint32_t> words[] = {{0, 0}, {1, 0x19991999}, {5, 0x7FFF7FFF}, {10, 0xFFFFFFFF}};
    for (const auto& [level, word] : words) EXPECT_EQ(CMediaPlayer_WinMobile::VolumeWord(level), word) << +level;
    m_player->SetVolume(15);
    EXPECT_EQ(m_player->GetVolume(), 10);
    m_player->SetVolume(0x105);  // the low byte counts
    EXPECT_EQ(m_player->GetVolume(), 5);
    const Bytes pcm = Flat(4, 20000);
    Play(pcm);
    host::AdvanceVirtualClock(1);
    m_player->SetVolume(0);  // silences the playing device
    host::AdvanceVirtualClock(1);
    const std::vector<std::int16_t> out = host::TakeHeadlessAudio();
    EXPECT_EQ(out, (std::vector<std::int16_t>{9999, 9999, 9999, 9999, 9999, 9999, 9999, 9999, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(MediaPlayer, IdsFromOneCounterAndStopByIdBufferOrAll) {
    const Bytes a = Flat(100, 1);
    const Bytes b = Flat(100, 2);
    EXPECT_EQ(Play(a), 1u);
    EXPECT_EQ(Play(b), 2u);
    EXPECT_EQ(m_player->Vibrate(500, 5), 3u);
    EXPECT_EQ(m_player->PlaySound(nullptr, 0, 0, 0), 0u);  // refused: no counter step
    EXPECT_EQ(Play(a), 4u);
    // No device for the sound: nothing is left listed, the counter moved on.
    host::SetVoiceLimit(3);  // held by sounds 1, 2 and 4
    EXPECT_EQ(Play(b), 0u);
    EXPECT_FALSE(m_player->IsSoundPlaying(5));
    host::SetVoiceLimit(32);
    EXPECT_EQ(Play(b), 6u);
    m_player->StopSound(2);
    m_player->StopSound(12345);
    EXPECT_EQ(std::pair(m_player->IsSoundPlaying(2), host::OpenVoiceCount()), std::pair(false, std::size_t{3}));
    m_player->StopSoundsUsing(a.data());  // before `a` may be freed
    EXPECT_EQ(std::tuple(m_player->IsSoundPlaying(1), m_player->IsSoundPlaying(4), m_player->IsSoundPlaying(6)),
              std::tuple(false, false, true));
    m_player->StopSound(0);
    EXPECT_EQ(std::pair(m_player->IsSoundPlaying(0), host::OpenVoiceCount()), std::pair(false, std::size_t{0}));
}

TEST_F(MediaPlayer, SoundsMixClippedPauseAndAreReapedInUpdate) {
    const Bytes a = PcmBytes({1000, 30000, -30000, -5, 7, 100, 200, 300});
    const Bytes b = PcmBytes({2000, 10000, -10000, -5, 7});
    Play(a);
    Play(b);
    host::AdvanceVirtualClock(1);
    const std::vector<std::int16_t> expected = {3000, 32767, -32768, -10, 14, 100, 200, 300};
    EXPECT_EQ(host::TakeHeadlessAudio(), expected);
    EXPECT_FALSE(m_player->IsSoundPlaying(0));  // done by their completions
    EXPECT_EQ(host::OpenVoiceCount(), 2u);      // but not reaped yet
    m_player->Update(0);
    EXPECT_EQ(host::OpenVoiceCount(), 0u);

    // The reaped sounds' events and voices play the next ones: no allocation.
    const Bytes pcm = Flat(3, 500);
    FailNthNothrowNew(0);
    const std::uint32_t id = Play(pcm);
    FailNthNothrowNew(-1);
    EXPECT_NE(id, 0u);
    m_player->Vibrate(1000, 1);
    m_player->PauseAll();
    host::AdvanceVirtualClock(10);
    EXPECT_TRUE(m_player->IsSoundPlaying(id));  // paused sounds stay listed, not done
    m_player->ResumeAll();
    EXPECT_FALSE(m_player->IsVibrating(0));  // the vibration stopped for good
    host::AdvanceVirtualClock(3);
    const std::vector<std::int16_t> out = host::TakeHeadlessAudio();
    ASSERT_EQ(out.size(), 104u);
    EXPECT_EQ(std::count(out.begin(), out.end(), 500), 24);
    EXPECT_EQ(out[80], 500);
    EXPECT_FALSE(m_player->IsSoundPlaying(id));
}

// Claims at least as strong (lower values) take over, keeping the longer time.
TEST_F(MediaPlayer, VibrationPrioritiesAndTiming) {
    const std::uint32_t first = m_player->Vibrate(500, 5);
    const std::uint32_t second = m_player->Vibrate(200, 5);
    EXPECT_FALSE(m_player->IsVibrating(first));
    EXPECT_TRUE(m_player->IsVibrating(second));
    EXPECT_EQ(m_player->Vibrate(200, 6), 0u);
    m_player->StopVibrate(first);  // no longer current: nothing happens
    m_player->Update(499);
    EXPECT_TRUE(m_player->IsVibrating(0));
    m_player->Update(1);
    EXPECT_FALSE(m_player->IsVibrating(0));
    const auto calls = host::TakeVibrationCalls();  // one start, one stop
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].timeoutMs, INFINITE);
    EXPECT_TRUE(calls[0].start && !calls[1].start);
    EXPECT_NE(m_player->Vibrate(10, 200), 0u);  // after a stop any priority starts
    m_player->StopVibrate(0);

    host::SetVibrateResult(E_FAIL);
    EXPECT_EQ(m_player->Vibrate(100, 0), 0u);  // failed start: idle, no id used
    EXPECT_FALSE(m_player->IsVibrating(0));
    host::SetVibrateResult(S_OK);
    EXPECT_EQ(m_player->Vibrate(0, 0), 0u);
    EXPECT_EQ(m_player->Vibrate(0xFFFFFFFF, 0), 4u);  // as long as the counter holds
    m_player->Update(0x7FFFFFFE);
    EXPECT_TRUE(m_player->IsVibrating(0));
    m_player->Update(0xFFFFFFFF);
    EXPECT_FALSE(m_player->IsVibrating(0));
}

// SDL's audio thread (dummy driver, real time) sets the done flag the main
// thread polls; scripts/test.sh runs this under ThreadSanitizer.
TEST(MediaPlayerThreads, DoneFlagCrossesFromTheAudioThread) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host::SetMediaBackend(host::MediaBackend::Sdl);
    {
        ScopedTestApp app;
        ICMediaPlayer* player = ICMediaPlayer::GetInstance();
        ASSERT_NE(player, nullptr);
        const Bytes pcm = Flat(20, 100);
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < 2; ++i) {
                ASSERT_NE(player->PlaySound(pcm.data(), static_cast<std::uint32_t>(pcm.size()), 0, 0), 0u);
            }
            for (int i = 0; i < 500 && player->IsSoundPlaying(0); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            EXPECT_FALSE(player->IsSoundPlaying(0));
            player->Update(0);
            EXPECT_EQ(host::OpenVoiceCount(), 0u);
        }
    }
    host::SetMediaBackend(host::MediaBackend::Headless);
}

}  // namespace
