// The applet: owns the game's window, the full-screen display and keys, the
// 48 ms frame timer, the message loop and the queue through which every
// window message reaches the application as an event.
#pragma once

#include <cstdint>

#include "platform/shared/core/CSystemEventQueue.h"
#include "src/win32/CWinBase.h"

class CApplet : public CWinBase {
public:
    static constexpr std::uintptr_t kTimerId = 1;
    static constexpr UINT kTimerPeriodMs = 48;

    // A new applet, or null when out of memory.
    static CApplet* Create(HINSTANCE instance);
    ~CApplet() override = default;

    // The quit message's code (0 after a normal end), 1 when a start-up
    // step fails.
    int Run() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Queues an event; the first 24 between two ticks are kept.
    void PostEvent(std::uint32_t id, std::uint32_t param1, std::uintptr_t param2);
    // Stops the timer, handles everything queued and the close event at once
    // (with one more tick) and ends the message loop.
    void Quit();

    // Hands every queued event to the application (events posted meanwhile
    // included), empties the queue and runs one tick.
    void FlushEvents();
    void StartTimer();
    void StopTimer();
    bool CreateAppWindow();

    // Virtual key to the application's key code, 0 for keys it leaves raw.
    static std::uint16_t MapKey(std::uint32_t virtualKey);
    // Screen pixels to back-buffer pixels (half in each direction).
    static void MapPointer(std::int32_t& x, std::int32_t& y);

    std::int32_t GetWidth() const { return m_width; }
    std::int32_t GetHeight() const { return m_height; }

protected:
    explicit CApplet(HINSTANCE instance);

private:
    void PostPointer(std::uint32_t id, std::uint32_t param1, LPARAM lParam);

    std::int32_t m_width;
    std::int32_t m_height;
    std::uint8_t m_active = 1;  // the window counts as active before its first activation
    std::uint8_t m_timerRunning = 0;
    std::uint8_t m_redrawPosted = 0;
    CSystemEventQueue m_queue;
    std::int32_t m_flushNext = 0;  // next queued event a flush hands out
};
