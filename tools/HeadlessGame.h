// The whole game run in process for fuzzers and benchmarks: WinMain with the
// game's application (the program links `gamehooks`) on the headless window,
// display and media backends, in a game directory that holds its archive,
// on the virtual clock, which moves straight on to the next frame whenever
// the game is idle: a run takes only the time its work takes. (Tests use
// tests/support/GameRun.h.)
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/Clock.h"
#include "host/DDraw.h"
#include "host/File.h"
#include "host/WaveOut.h"
#include "host/Window.h"
#include "src/win32/WinMain.h"

namespace vktools {

// Runs the game in dir until it ends or frameLimit frames have passed (0:
// no limit; host::InjectClose also ends it) and returns its exit code.
// onFrame runs once a frame, between frames, with the virtual time since
// the start in ms.
inline int RunHeadlessGame(const std::string& dir, int frameLimit, const std::function<void(std::uint32_t ms)>& onFrame) {
    const host::MediaBackend media = host::GetMediaBackend();
    host::SetMediaBackend(host::MediaBackend::Headless);
    host::SetModuleDirectory(dir);
    host::ResetDisplay();
    host::WindowOptions window;
    window.frameLimit = frameLimit;
    host::ResetWindowing(window);
    host::SetVirtualClock(10000, 0);
    const DWORD start = GetTickCount();
    DWORD last = start - 1;
    // The loop is idle again at the same time after handling what onFrame
    // injected: frames are told apart by the clock.
    host::SetIdleHook([&] {
        const DWORD now = GetTickCount();
        if (now == last) return;
        last = now;
        onFrame(now - start);
    });
    const int result = WinMain(reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000}), nullptr, nullptr, SW_SHOW);
    host::SetIdleHook(nullptr);
    host::ClearVirtualClock();
    host::ResetWindowing();
    host::ResetDisplay();
    host::SetModuleDirectory("");
    host::SetMediaBackend(media);
    return result;
}

}  // namespace vktools
