#include "host/Vibrate.h"

#include <SDL.h>

#include <mutex>
#include <utility>

#include "host/WaveOut.h"
#include "host/ThirdPartyScope.h"

namespace {

std::mutex g_mutex;
std::vector<host::VibrationCall> g_calls;
HRESULT g_result = S_OK;
bool g_hapticTried = false;
SDL_Haptic* g_haptic = nullptr;

// The first haptic device that can rumble, looked for once.
SDL_Haptic* Rumbler() {
    if (g_hapticTried) return g_haptic;
    g_hapticTried = true;
    host::ThirdPartyScope startup;
    if (SDL_InitSubSystem(SDL_INIT_HAPTIC) != 0) return nullptr;
    for (int i = 0; i < SDL_NumHaptics() && g_haptic == nullptr; ++i) {
        g_haptic = SDL_HapticOpen(i);
        if (g_haptic != nullptr && SDL_HapticRumbleInit(g_haptic) != 0) {
            SDL_HapticClose(g_haptic);
            g_haptic = nullptr;
        }
    }
    return g_haptic;
}

}  // namespace

HRESULT Vibrate(DWORD noteCount, const VIBRATENOTE*, BOOL repeat, DWORD timeoutMs) {
    const bool headless = host::GetMediaBackend() == host::MediaBackend::Headless;
    std::lock_guard lock(g_mutex);
    if (headless) {
        g_calls.push_back({true, noteCount, repeat, timeoutMs});
        return g_result;
    }
    if (SDL_Haptic* haptic = Rumbler()) {
        SDL_HapticRumblePlay(haptic, 1.0f, timeoutMs == INFINITE ? SDL_HAPTIC_INFINITY : timeoutMs);
    }
    return S_OK;
}

HRESULT VibrateStop() {
    const bool headless = host::GetMediaBackend() == host::MediaBackend::Headless;
    std::lock_guard lock(g_mutex);
    if (headless) {
        g_calls.push_back({false, 0, FALSE, 0});
    } else if (g_haptic != nullptr) {
        SDL_HapticRumbleStop(g_haptic);
    }
    return S_OK;
}

namespace host {

std::vector<VibrationCall> TakeVibrationCalls() {
    std::lock_guard lock(g_mutex);
    return std::exchange(g_calls, {});
}

void SetVibrateResult(HRESULT result) {
    std::lock_guard lock(g_mutex);
    g_result = result;
}

}  // namespace host
