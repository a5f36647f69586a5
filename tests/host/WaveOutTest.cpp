#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "host/Clock.h"
#include "host/WaveOut.h"
#include "tests/support/PcmBytes.h"

namespace {

constexpr WAVEFORMATEX kFormat{WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};

// What a completion function saw.
struct Event {
    UINT message;
    DWORD_PTR instance;
    DWORD_PTR param1;
};
std::vector<Event> g_events;

void Record(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
    g_events.push_back({message, instance, param1});
}

// A buffer of samples with its header.
struct Buffer {
    explicit Buffer(const std::vector<std::int16_t>& samples) : bytes(PcmBytes(samples)) {
        header.lpData = reinterpret_cast<char*>(bytes.data());
        header.dwBufferLength = static_cast<DWORD>(bytes.size());
    }
    std::vector<std::uint8_t> bytes;
    WAVEHDR header{};
};

void Play(HWAVEOUT device, Buffer& buffer) {
    ASSERT_EQ(waveOutPrepareHeader(device, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
}

void Close(HWAVEOUT device, Buffer& buffer) {
    EXPECT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutUnprepareHeader(device, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

class HeadlessWaveOut : public testing::Test {
protected:
    void SetUp() override {
        host::SetMediaBackend(host::MediaBackend::Headless);
        host::SetVirtualClock(1000, 0);
        host::TakeHeadlessAudio();
        g_events.clear();
    }
    void TearDown() override {
        EXPECT_EQ(host::OpenVoiceCount(), 0u);
        host::ClearVirtualClock();
    }

    HWAVEOUT Open(DWORD_PTR instance = 0) {
        HWAVEOUT device = nullptr;
        EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &kFormat, reinterpret_cast<DWORD_PTR>(&Record), instance,
                              CALLBACK_FUNCTION),
                  MMSYSERR_NOERROR);
        return device;
    }
};

TEST_F(HeadlessWaveOut, VoicesAreSummedAndClipped) {
    Buffer a({1000, 30000, -30000, 5, -7, 32767, -32768, 0, 100, 200, 300, 400});
    Buffer b({2000, 10000, -10000, 5, -7, 1, -1, 0});
    const HWAVEOUT va = Open(1);
    const HWAVEOUT vb = Open(2);
    Play(va, a);
    Play(vb, b);
    host::AdvanceVirtualClock(2);  // 16 samples
    const std::vector<std::int16_t> expected = {3000, 32767, -32768, 10, -14, 32767, -32768, 0,
                                                100,  200,   300,    400, 0,   0,     0,      0};
    EXPECT_EQ(host::TakeHeadlessAudio(), expected);

    // Both finished within the same mixing step; each is reported once.
    const std::vector<std::pair<UINT, DWORD_PTR>> seen = {{WOM_OPEN, 1}, {WOM_OPEN, 2}, {WOM_DONE, 1}, {WOM_DONE, 2}};
    ASSERT_EQ(g_events.size(), seen.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(g_events[i].message, seen[i].first) << i;
        EXPECT_EQ(g_events[i].instance, seen[i].second) << i;
    }
    EXPECT_EQ(g_events[3].param1, reinterpret_cast<DWORD_PTR>(&b.header));
    EXPECT_EQ(a.header.dwFlags, WHDR_PREPARED | WHDR_DONE);

    Close(va, a);
    Close(vb, b);
    EXPECT_EQ(g_events.back().message, WOM_CLOSE);
}

TEST_F(HeadlessWaveOut, VolumeScalesTheLeftWord) {
    struct Case {
        DWORD volume;
        std::int16_t in;
        std::int16_t out;
    };
    const Case cases[] = {{0xFFFFFFFF, -32768, -32768}, {0x7FFF7FFF, 20000, 9999},  {0x7FFF7FFF, -32768, -16383},
                          {0, 12345, 0},                 {0x0000FFFF, 1234, 1234},  {0xFFFF0000, 1234, 0}};
    for (const auto& c : cases) {
        Buffer buffer({c.in});
        const HWAVEOUT voice = Open();
        EXPECT_EQ(waveOutSetVolume(voice, c.volume), MMSYSERR_NOERROR);
        Play(voice, buffer);
        host::AdvanceVirtualClock(1);
        const std::vector<std::int16_t> out = host::TakeHeadlessAudio();
        ASSERT_EQ(out.size(), 8u);
        EXPECT_EQ(out[0], c.out) << std::hex << c.volume << " " << std::dec << c.in;
        Close(voice, buffer);
    }
}

TEST_F(HeadlessWaveOut, PauseHoldsThePositionAndResetReturnsTheBuffers) {
    std::vector<std::int16_t> ramp(24);
    for (int i = 0; i < 24; ++i) ramp[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i + 1);
    Buffer first(ramp);
    Buffer second({-1, -2});
    const HWAVEOUT voice = Open();
    Play(voice, first);
    Play(voice, second);
    host::AdvanceVirtualClock(1);
    EXPECT_EQ(waveOutPause(voice), MMSYSERR_NOERROR);
    host::AdvanceVirtualClock(1);
    EXPECT_EQ(waveOutRestart(voice), MMSYSERR_NOERROR);
    host::AdvanceVirtualClock(1);
    const std::vector<std::int16_t> out = host::TakeHeadlessAudio();
    ASSERT_EQ(out.size(), 24u);
    EXPECT_EQ(out[7], 8);
    EXPECT_EQ(out[8], 0);  // paused
    EXPECT_EQ(out[16], 9);  // picks up where it stopped

    // Both buffers are still queued: they can be neither unprepared nor closed.
    EXPECT_EQ(waveOutUnprepareHeader(voice, &second.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutClose(voice), WAVERR_STILLPLAYING);
    g_events.clear();
    EXPECT_EQ(waveOutReset(voice), MMSYSERR_NOERROR);
    ASSERT_EQ(g_events.size(), 2u);
    EXPECT_EQ(g_events[0].param1, reinterpret_cast<DWORD_PTR>(&first.header));
    EXPECT_EQ(g_events[1].param1, reinterpret_cast<DWORD_PTR>(&second.header));
    EXPECT_EQ(second.header.dwFlags, WHDR_PREPARED | WHDR_DONE);
    EXPECT_EQ(waveOutUnprepareHeader(voice, &second.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    Close(voice, first);
}

TEST_F(HeadlessWaveOut, RejectsBadCalls) {
    HWAVEOUT device = nullptr;
    WAVEFORMATEX stereo = kFormat;
    stereo.nChannels = 2;
    WAVEFORMATEX fast = kFormat;
    fast.nSamplesPerSec = 44100;
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &stereo, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &fast, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
    EXPECT_EQ(waveOutOpen(&device, 3, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &kFormat, 0, 0, 0x00050000), MMSYSERR_INVALFLAG);
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &kFormat, 0, 0, CALLBACK_FUNCTION), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_INVALPARAM);
    EXPECT_EQ(device, nullptr);

    Buffer buffer({1, 2});
    EXPECT_EQ(waveOutSetVolume(nullptr, 0), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutWrite(nullptr, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutClose(nullptr), MMSYSERR_INVALHANDLE);

    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutWrite(device, &buffer.header, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    EXPECT_EQ(waveOutPrepareHeader(device, &buffer.header, 16), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutPrepareHeader(device, nullptr, sizeof(WAVEHDR)), MMSYSERR_INVALPARAM);
    Play(device, buffer);
    EXPECT_EQ(waveOutWrite(device, &buffer.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    Close(device, buffer);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_INVALHANDLE);
}

TEST_F(HeadlessWaveOut, VoiceLimit) {
    host::SetVoiceLimit(2);
    HWAVEOUT v[3] = {};
    EXPECT_EQ(waveOutOpen(&v[0], WAVE_MAPPER, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutOpen(&v[1], 0, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutOpen(&v[2], WAVE_MAPPER, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_ALLOCATED);
    EXPECT_EQ(host::OpenVoiceCount(), 2u);
    EXPECT_EQ(waveOutClose(v[0]), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutOpen(&v[2], WAVE_MAPPER, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(v[1]), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(v[2]), MMSYSERR_NOERROR);
    host::SetVoiceLimit(32);
}

TEST_F(HeadlessWaveOut, NothingIsCapturedWithoutVoicesAndLongSilenceIsBounded) {
    host::AdvanceVirtualClock(1000);
    EXPECT_TRUE(host::TakeHeadlessAudio().empty());
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &kFormat, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    host::AdvanceVirtualClock(0xFFFFFFFF);
    EXPECT_EQ(host::TakeHeadlessAudio().size(), 10u * 60 * 8000);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

// SDL's dummy driver mixes on its own thread in real time: the completion
// arrives from there.
std::atomic<int> g_sdlDone{0};
void CountDone(HWAVEOUT, UINT message, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    if (message == WOM_DONE) g_sdlDone.fetch_add(1);
}

TEST(SdlWaveOut, CompletesOnTheAudioThread) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host::SetMediaBackend(host::MediaBackend::Sdl);
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &kFormat, reinterpret_cast<DWORD_PTR>(&CountDone), 0,
                          CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    Buffer buffer(std::vector<std::int16_t>(400, 1000));  // 50 ms
    Play(device, buffer);
    for (int i = 0; i < 1000 && g_sdlDone.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(g_sdlDone.load(), 1);
    Close(device, buffer);
    host::SetMediaBackend(host::MediaBackend::Headless);
}

}  // namespace
