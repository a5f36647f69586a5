#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "host/Clock.h"
#include "host/Vibrate.h"
#include "host/WaveOut.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/win32/CMediaPlayer_WinMobile.h"
#include "tests/platform/TestApp.h"
#include "tests/support/PcmBytes.h"

namespace {

// `ms` milliseconds of one constant sample.
std::vector<std::uint8_t> Flat(int ms, std::int16_t value) {
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

    std::uint32_t Play(const std::vector<std::uint8_t>& pcm) {
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
    const std::vector<std::uint8_t> pcm = Flat(4, 20000);
    Play(pcm);
    host::AdvanceVirtualClock(1);
    m_player->SetVolume(0);  // silences the playing device
    host::AdvanceVirtualClock(1);
    const std::vector<std::int16_t> out = host::TakeHeadlessAudio();
    ASSERT_EQ(out.size(), 16u);
    EXPECT_EQ(out[0], 9999);
    EXPECT_EQ(out[8], 0);
}

TEST_F(MediaPlayer, IdsComeFromOneCounter) {
    const std::vector<std::uint8_t> pcm = Flat(100, 1);
    EXPECT_EQ(Play(pcm), 1u);
    EXPECT_EQ(Play(pcm), 2u);
    EXPECT_EQ(m_player->Vibrate(500, 5), 3u);
    EXPECT_EQ(m_player->PlaySound(nullptr, 0, 0, 0), 0u);  // refused: no counter step
    EXPECT_EQ(Play(pcm), 4u);
    EXPECT_EQ(m_player->Vibrate(500, 9), 0u);  // weaker claim: refused
    EXPECT_EQ(m_player->Vibrate(500, 5), 5u);

    // No device for the sound: nothing is left listed, the counter moved on.
    host::SetVoiceLimit(3);  // held by sounds 1, 2 and 4
    EXPECT_EQ(Play(pcm), 0u);
    EXPECT_FALSE(m_player->IsSoundPlaying(6));
    m_player->StopSound(4);
    EXPECT_EQ(Play(pcm), 7u);
}

TEST_F(MediaPlayer, StopByIdBufferAndAll) {
    const std::vector<std::uint8_t> a = Flat(100, 1);
    const std::vector<std::uint8_t> b = Flat(100, 2);
    const std::uint32_t a1 = Play(a);
    const std::uint32_t b1 = Play(b);
    const std::uint32_t a2 = Play(a);
    const std::uint32_t b2 = Play(b);
    m_player->StopSound(b1);
    m_player->StopSound(12345);
    EXPECT_FALSE(m_player->IsSoundPlaying(b1));
    EXPECT_EQ(host::OpenVoiceCount(), 3u);
    m_player->StopSoundsUsing(a.data());  // before `a` may be freed
    EXPECT_FALSE(m_player->IsSoundPlaying(a1));
    EXPECT_FALSE(m_player->IsSoundPlaying(a2));
    EXPECT_TRUE(m_player->IsSoundPlaying(b2));
    EXPECT_EQ(host::OpenVoiceCount(), 1u);
    m_player->StopSound(0);
    EXPECT_FALSE(m_player->IsSoundPlaying(0));
    EXPECT_EQ(host::OpenVoiceCount(), 0u);
}

TEST_F(MediaPlayer, SoundsMixClippedAndAreReapedInUpdate) {
    const std::vector<std::uint8_t> a = PcmBytes({1000, 30000, -30000, -5, 7, 100, 200, 300});
    const std::vector<std::uint8_t> b = PcmBytes({2000, 10000, -10000, -5, 7});
    Play(a);
    Play(b);
    host::AdvanceVirtualClock(1);
    const std::vector<std::int16_t> expected = {3000, 32767, -32768, -10, 14, 100, 200, 300};
    EXPECT_EQ(host::TakeHeadlessAudio(), expected);
    EXPECT_FALSE(m_player->IsSoundPlaying(0));  // done by their completions
    EXPECT_EQ(host::OpenVoiceCount(), 2u);      // but not reaped yet
    m_player->Update(0);
    EXPECT_EQ(host::OpenVoiceCount(), 0u);
}

TEST_F(MediaPlayer, PauseAndResumeSoundsButNotTheVibration) {
    const std::vector<std::uint8_t> pcm = Flat(3, 500);
    const std::uint32_t id = Play(pcm);
    m_player->Vibrate(1000, 1);
    m_player->PauseAll();
    host::AdvanceVirtualClock(10);
    EXPECT_TRUE(m_player->IsSoundPlaying(id));  // paused sounds stay listed, not done
    m_player->ResumeAll();
    EXPECT_FALSE(m_player->IsVibrating(0));
    host::AdvanceVirtualClock(3);
    const std::vector<std::int16_t> out = host::TakeHeadlessAudio();
    ASSERT_EQ(out.size(), 104u);
    EXPECT_EQ(std::count(out.begin(), out.end(), 500), 24);
    EXPECT_EQ(out[80], 500);
    EXPECT_FALSE(m_player->IsSoundPlaying(id));
    EXPECT_FALSE(host::TakeVibrationCalls().back().start);
}

// Claims at least as strong (lower values) take over, keeping the longer time.
TEST_F(MediaPlayer, VibrationPrioritiesAndTiming) {
    const std::uint32_t first = m_player->Vibrate(500, 5);
    const std::uint32_t second = m_player->Vibrate(200, 5);
    EXPECT_EQ(second, first + 1);
    EXPECT_FALSE(m_player->IsVibrating(first));
    EXPECT_TRUE(m_player->IsVibrating(second));
    EXPECT_EQ(m_player->Vibrate(200, 6), 0u);
    m_player->Update(0);
    m_player->Update(499);
    EXPECT_TRUE(m_player->IsVibrating(0));
    m_player->Update(1);
    EXPECT_FALSE(m_player->IsVibrating(0));
    const auto calls = host::TakeVibrationCalls();  // one start, one stop
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].timeoutMs, INFINITE);
    EXPECT_TRUE(calls[0].start && !calls[1].start);

    const std::uint32_t weak = m_player->Vibrate(100, 7);
    const std::uint32_t strong = m_player->Vibrate(50, 2);
    m_player->StopVibrate(weak);  // no longer current: nothing happens
    m_player->Update(99);
    EXPECT_TRUE(m_player->IsVibrating(strong));
    m_player->StopVibrate(strong);
    EXPECT_FALSE(m_player->IsVibrating(0));
    EXPECT_NE(m_player->Vibrate(10, 200), 0u);  // after a stop any priority starts

    host::SetVibrateResult(E_FAIL);
    m_player->StopVibrate(0);
    EXPECT_EQ(m_player->Vibrate(100, 0), 0u);  // failed start: idle, no id used
    EXPECT_FALSE(m_player->IsVibrating(0));
    host::SetVibrateResult(S_OK);
    EXPECT_EQ(m_player->Vibrate(0, 0), 0u);
    EXPECT_EQ(m_player->Vibrate(100, 0), 6u);
    m_player->StopVibrate(0);
    EXPECT_EQ(m_player->Vibrate(0xFFFFFFFF, 0), 7u);  // as long as the counter holds
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
        const std::vector<std::uint8_t> pcm = Flat(20, 100);
        for (int round = 0; round < 3; ++round) {
            ASSERT_NE(player->PlaySound(pcm.data(), static_cast<std::uint32_t>(pcm.size()), 0, 0), 0u);
            ASSERT_NE(player->PlaySound(pcm.data(), static_cast<std::uint32_t>(pcm.size()), 0, 0), 0u);
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
