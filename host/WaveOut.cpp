#include "host/WaveOut.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "host/Clock.h"
#include "host/ThirdPartyScope.h"

// One open device.
struct HWAVEOUT__ {
    WAVEOUTPROC callback = nullptr;
    DWORD_PTR instance = 0;
    DWORD volume = 0xFFFFFFFF;
    bool paused = false;
    // Queued buffers, linked through lpNext; the head is the one playing and
    // its `reserved` field counts the bytes already played.
    WAVEHDR* head = nullptr;
    WAVEHDR* tail = nullptr;
};

namespace {

constexpr DWORD kRate = 8000;
constexpr std::size_t kSamplesPerMs = kRate / 1000;
constexpr std::size_t kMaxCapture = 10 * 60 * kRate;
// Samples mixed per step, on the stack.
constexpr std::size_t kChunk = 256;

// Lock order: g_deviceMutex, then SDL's device lock, then g_mutex. SDL's
// audio thread holds its device lock while it asks for samples, so SDL's
// device calls are never made with g_mutex held.

// Guards the choice of backend and the SDL device.
std::mutex g_deviceMutex;
std::atomic<host::MediaBackend> g_backend{host::MediaBackend::Sdl};
SDL_AudioDeviceID g_sdlDevice = 0;

// Guards the voices and the capture. Held while mixing and while a
// completion function runs, so that a voice closed by the main thread is
// never touched again by the mixing thread.
std::mutex g_mutex;
std::vector<HWAVEOUT__*> g_voices;
// Closed voices, opened again before any new one is made: once as many
// voices as ever play at once have been made, an open allocates nothing.
std::vector<std::unique_ptr<HWAVEOUT__>> g_closedVoices;
std::size_t g_voiceLimit = 32;
std::vector<std::int16_t> g_capture;

bool IsVoice(HWAVEOUT device) {
    return device != nullptr && std::find(g_voices.begin(), g_voices.end(), device) != g_voices.end();
}

bool IsHeader(const WAVEHDR* header, UINT headerSize) {
    return header != nullptr && headerSize == sizeof(WAVEHDR) &&
           (header->lpData != nullptr || header->dwBufferLength == 0);
}

void Notify(HWAVEOUT voice, UINT message, DWORD_PTR param1) {
    if (voice->callback != nullptr) voice->callback(voice, message, voice->instance, param1, 0);
}

// Takes the head buffer off the queue, marks it done and returns it.
void Retire(HWAVEOUT voice) {
    WAVEHDR* header = voice->head;
    voice->head = header->lpNext;
    if (voice->head == nullptr) voice->tail = nullptr;
    header->lpNext = nullptr;
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    Notify(voice, WOM_DONE, reinterpret_cast<DWORD_PTR>(header));
}

bool IsSounding(const HWAVEOUT__* voice) { return !voice->paused && voice->head != nullptr; }

// Adds the voice's next `count` samples, scaled by its volume, to acc.
void MixVoice(HWAVEOUT voice, std::int32_t* acc, std::size_t count) {
    if (voice->paused) return;
    const std::int32_t gain = static_cast<std::int32_t>(voice->volume & 0xFFFF);
    std::size_t i = 0;
    while (voice->head != nullptr) {
        WAVEHDR* header = voice->head;
        const DWORD_PTR end = header->dwBufferLength & ~DWORD{1};
        for (; i < count && header->reserved < end; ++i, header->reserved += 2) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(header->lpData + header->reserved);
            const auto sample = static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
            acc[i] += sample * gain / 0xFFFF;
        }
        if (header->reserved < end) break;
        Retire(voice);
    }
}

// Mixes the next `count` (at most kChunk) samples of every voice, clipped.
void MixChunk(std::int16_t* out, std::size_t count) {
    std::int32_t acc[kChunk] = {};
    for (HWAVEOUT voice : g_voices) MixVoice(voice, acc, count);
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::int16_t>(std::clamp(acc[i], -32768, 32767));
}

// SDL's audio thread asks for the next samples.
void SdlFill(void*, Uint8* stream, int length) {
    std::lock_guard lock(g_mutex);
    std::size_t samples = static_cast<std::size_t>(length) / 2;
    while (samples > 0) {
        std::int16_t chunk[kChunk];
        const std::size_t n = std::min(samples, kChunk);
        MixChunk(chunk, n);
        std::memcpy(stream, chunk, n * 2);
        stream += n * 2;
        samples -= n;
    }
}

bool OpenSdlDevice() {
    if (g_sdlDevice != 0) return true;
    host::ThirdPartyScope startup;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(kRate);
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 256;
    want.callback = SdlFill;
    // No changes allowed: SDL converts to what the hardware takes.
    g_sdlDevice = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (g_sdlDevice == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(g_sdlDevice, 0);
    return true;
}

// The headless output plays what the virtual clock's advance covers.
void HeadlessAdvance(std::uint32_t ms) {
    std::lock_guard lock(g_mutex);
    if (g_backend != host::MediaBackend::Headless || g_voices.empty()) return;
    std::uint64_t samples = std::uint64_t{ms} * kSamplesPerMs;
    while (samples > 0) {
        if (std::none_of(g_voices.begin(), g_voices.end(), IsSounding)) {
            // Silence to the end: only what the capture still keeps.
            const std::size_t room = kMaxCapture - g_capture.size();
            g_capture.insert(g_capture.end(), static_cast<std::size_t>(std::min<std::uint64_t>(samples, room)), 0);
            break;
        }
        std::int16_t chunk[kChunk];
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(samples, kChunk));
        MixChunk(chunk, n);
        if (g_capture.size() + n <= kMaxCapture) g_capture.insert(g_capture.end(), chunk, chunk + n);
        samples -= n;
    }
}

// Runs `action` on a valid voice under the lock.
template <typename Action>
MMRESULT WithVoice(HWAVEOUT device, Action action) {
    std::lock_guard lock(g_mutex);
    if (!IsVoice(device)) return MMSYSERR_INVALHANDLE;
    return action(device);
}

}  // namespace

MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags) {
    if (device == nullptr || format == nullptr) return MMSYSERR_INVALPARAM;
    if (deviceId != WAVE_MAPPER && deviceId != 0) return MMSYSERR_BADDEVICEID;
    if (format->wFormatTag != WAVE_FORMAT_PCM || format->nChannels != 1 || format->nSamplesPerSec != kRate ||
        format->wBitsPerSample != 16 || format->nBlockAlign != 2 || format->nAvgBytesPerSec != kRate * 2) {
        return WAVERR_BADFORMAT;
    }
    if (flags != CALLBACK_NULL && flags != CALLBACK_FUNCTION) return MMSYSERR_INVALFLAG;
    if (flags == CALLBACK_FUNCTION && callback == 0) return MMSYSERR_INVALPARAM;

    std::lock_guard deviceLock(g_deviceMutex);
    if (g_backend == host::MediaBackend::Sdl && !OpenSdlDevice()) return MMSYSERR_NODRIVER;
    std::lock_guard lock(g_mutex);
    if (g_voices.size() >= g_voiceLimit) return MMSYSERR_ALLOCATED;
    HWAVEOUT__* voice = nullptr;
    if (!g_closedVoices.empty()) {
        voice = g_closedVoices.back().release();
        g_closedVoices.pop_back();
        *voice = HWAVEOUT__{};
    } else {
        voice = new (std::nothrow) HWAVEOUT__;
        if (voice == nullptr) return MMSYSERR_NOMEM;
        g_voices.reserve(g_voiceLimit);
        g_closedVoices.reserve(g_voiceLimit);
    }
    if (flags == CALLBACK_FUNCTION) {
        voice->callback = reinterpret_cast<WAVEOUTPROC>(callback);
        voice->instance = instance;
    }
    g_voices.push_back(voice);
    *device = voice;
    Notify(voice, WOM_OPEN, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT headerSize) {
    return WithVoice(device, [&](HWAVEOUT) {
        if (!IsHeader(header, headerSize)) return MMSYSERR_INVALPARAM;
        header->dwFlags |= WHDR_PREPARED;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT headerSize) {
    return WithVoice(device, [&](HWAVEOUT voice) {
        if (!IsHeader(header, headerSize)) return MMSYSERR_INVALPARAM;
        if ((header->dwFlags & WHDR_PREPARED) == 0) return WAVERR_UNPREPARED;
        if ((header->dwFlags & WHDR_INQUEUE) != 0) return WAVERR_STILLPLAYING;
        header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
        header->reserved = 0;
        header->lpNext = nullptr;
        if (voice->tail != nullptr) {
            voice->tail->lpNext = header;
        } else {
            voice->head = header;
        }
        voice->tail = header;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume) {
    return WithVoice(device, [&](HWAVEOUT voice) {
        voice->volume = volume;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutPause(HWAVEOUT device) {
    return WithVoice(device, [](HWAVEOUT voice) {
        voice->paused = true;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutRestart(HWAVEOUT device) {
    return WithVoice(device, [](HWAVEOUT voice) {
        voice->paused = false;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutReset(HWAVEOUT device) {
    return WithVoice(device, [](HWAVEOUT voice) {
        while (voice->head != nullptr) Retire(voice);
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT headerSize) {
    return WithVoice(device, [&](HWAVEOUT) {
        if (!IsHeader(header, headerSize)) return MMSYSERR_INVALPARAM;
        if ((header->dwFlags & WHDR_INQUEUE) != 0) return WAVERR_STILLPLAYING;
        header->dwFlags &= ~WHDR_PREPARED;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutClose(HWAVEOUT device) {
    return WithVoice(device, [](HWAVEOUT voice) {
        if (voice->head != nullptr) return WAVERR_STILLPLAYING;
        Notify(voice, WOM_CLOSE, 0);
        g_voices.erase(std::find(g_voices.begin(), g_voices.end(), voice));
        g_closedVoices.emplace_back(voice);
        return MMSYSERR_NOERROR;
    });
}

namespace host {

void SetMediaBackend(MediaBackend backend) {
    std::lock_guard deviceLock(g_deviceMutex);
    if (backend == g_backend || OpenVoiceCount() != 0) return;
    g_backend = backend;
    SetVirtualClockListener(backend == MediaBackend::Headless ? HeadlessAdvance : nullptr);
    if (g_sdlDevice != 0) {
        SDL_CloseAudioDevice(g_sdlDevice);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_sdlDevice = 0;
    }
}

MediaBackend GetMediaBackend() { return g_backend; }

std::vector<std::int16_t> TakeHeadlessAudio() {
    std::lock_guard lock(g_mutex);
    return std::exchange(g_capture, {});
}

std::size_t OpenVoiceCount() {
    std::lock_guard lock(g_mutex);
    return g_voices.size();
}

void SetVoiceLimit(std::size_t limit) {
    std::lock_guard lock(g_mutex);
    g_voiceLimit = limit;
}

}  // namespace host
