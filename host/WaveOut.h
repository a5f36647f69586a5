// Waveform audio output. Each open device is a voice: a queue of PCM buffers
// played in order, with its own volume and pause state. The voices are mixed
// into one output (8000 Hz, mono, 16-bit, clipped): by SDL2 on its audio
// thread, or, headless, as the virtual clock advances (see host/Clock.h).
// When a buffer has been consumed, it is marked done and the voice's
// completion function gets WOM_DONE, from the thread that mixed it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/WinTypes.h"

using DWORD_PTR = std::uintptr_t;
using MMRESULT = UINT;

struct HWAVEOUT__;
using HWAVEOUT = HWAVEOUT__*;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;  // no further voice can be opened
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;  // no audio output available
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

// The default output device.
constexpr UINT WAVE_MAPPER = 0xFFFFFFFF;
// waveOutOpen flags: no notification, or a completion function.
constexpr DWORD CALLBACK_NULL = 0;
constexpr DWORD CALLBACK_FUNCTION = 0x00030000;

// Messages to the completion function.
constexpr UINT WOM_OPEN = 0x3BB;
constexpr UINT WOM_CLOSE = 0x3BC;
constexpr UINT WOM_DONE = 0x3BD;  // param1: the WAVEHDR that was consumed

constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

// Header flags.
constexpr DWORD WHDR_DONE = 0x01;
constexpr DWORD WHDR_PREPARED = 0x02;
constexpr DWORD WHDR_INQUEUE = 0x10;

// One buffer of 16-bit little-endian samples. The caller keeps it (and its
// data) alive until it is done and unprepared.
struct WAVEHDR {
    char* lpData;
    DWORD dwBufferLength;  // bytes
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    WAVEHDR* lpNext;  // the voice's queue
    DWORD_PTR reserved;  // bytes of the buffer already played
};

// The completion function. It runs on the mixing thread with the voices
// locked: it must not call the waveOut functions.
using WAVEOUTPROC = void (*)(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

// Opens a voice. Only 8000 Hz mono 16-bit PCM is accepted. With
// CALLBACK_FUNCTION, callback is a WAVEOUTPROC called with instance; it gets
// WOM_OPEN before this returns.
MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT headerSize);
// Queues a prepared buffer at the end of the voice's queue.
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT headerSize);
// Low word: left (the one a mono voice uses), high word: right; 0xFFFF is full.
MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume);
MMRESULT waveOutPause(HWAVEOUT device);
MMRESULT waveOutRestart(HWAVEOUT device);
// Stops the voice: every queued buffer is marked done and returned with
// WOM_DONE; the pause state is kept.
MMRESULT waveOutReset(HWAVEOUT device);
// WAVERR_STILLPLAYING while the buffer is queued.
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT headerSize);
// WAVERR_STILLPLAYING while buffers are queued; sends WOM_CLOSE.
MMRESULT waveOutClose(HWAVEOUT device);

namespace host {

// Where sound and vibration go. SDL2 is the default. Changing it takes
// effect only while no voice is open.
enum class MediaBackend { Sdl, Headless };
void SetMediaBackend(MediaBackend backend);
MediaBackend GetMediaBackend();

// Test hooks. The headless output: the samples mixed while at least one
// voice was open, since the last call (at most ten minutes are kept).
std::vector<std::int16_t> TakeHeadlessAudio();
// Voices currently open.
std::size_t OpenVoiceCount();
// The most voices that can be open at once (default 32); further opens fail
// with MMSYSERR_ALLOCATED.
void SetVoiceLimit(std::size_t limit);

}  // namespace host
