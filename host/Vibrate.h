// The phone's vibrator: on until stopped, or for a time-out.
#pragma once

#include <vector>

#include "host/WinTypes.h"

using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

// A note of a vibration pattern. Patterns are not supported: the vibrator
// simply runs.
struct VIBRATENOTE;

constexpr DWORD INFINITE = 0xFFFFFFFF;

// Starts the vibrator (SDL's haptic rumble on the first haptic device that
// has one; nothing where none has). S_OK on success.
HRESULT Vibrate(DWORD noteCount, const VIBRATENOTE* notes, BOOL repeat, DWORD timeoutMs);
HRESULT VibrateStop();

namespace host {

// Test hooks. With the headless backend (host::SetMediaBackend) the calls are
// only recorded, and Vibrate returns the result set here (S_OK by default).
struct VibrationCall {
    bool start;  // Vibrate, else VibrateStop
    DWORD noteCount;
    BOOL repeat;
    DWORD timeoutMs;
};
std::vector<VibrationCall> TakeVibrationCalls();
void SetVibrateResult(HRESULT result);

}  // namespace host
