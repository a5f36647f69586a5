#include "src/win32/CApplet.h"

#include <new>

#include "host/Gx.h"
#include "platform/shared/core/CApp.h"
#include "platform/shared/win32/CCore_Win32.h"

namespace {

constexpr LPCWSTR kClassName = u"Game";
constexpr LPARAM kPreviousKeyState = LPARAM{1} << 30;

std::uint16_t Low16(std::uintptr_t value) { return static_cast<std::uint16_t>(value & 0xFFFF); }

// Key code of a key message: the mapped code, or the raw virtual key when
// the map leaves it alone.
std::uint16_t KeyOf(WPARAM wParam) {
    const std::uint16_t key = CApplet::MapKey(Low16(wParam));
    return key != 0 ? key : Low16(wParam);
}

}  // namespace

CApplet* CApplet::Create(HINSTANCE instance) { return new (std::nothrow) CApplet(instance); }

CApplet::CApplet(HINSTANCE instance)
    : CWinBase(instance), m_width(GetSystemMetrics(SM_CXSCREEN)), m_height(GetSystemMetrics(SM_CYSCREEN)) {
    ICCore::SetInstance(nullptr);
    CApp::SetInstance(nullptr);
}

int CApplet::Run() {
    int result = 1;
    if (CreateAppWindow()) {
        ICCore* core = CCore_Win32::Create();
        ICCore::SetInstance(core);
        CApp* app = CreateGameApp();
        CApp::SetInstance(app);
        if (core != nullptr && app != nullptr && app->Startup() == 0 && GXOpenDisplay(m_window, GX_FULLSCREEN) != 0 &&
            GXOpenInput() != 0) {
            PostEvent(EVENT_START, 0, 0);
            StartTimer();
            MSG msg;
            for (;;) {
                const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
                // WM_QUIT carries the exit code.
                if (got == 0) result = static_cast<int>(msg.wParam);
                if (got <= 0) break;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    // Teardown, whichever step ended the run.
    GXCloseDisplay();
    GXCloseInput();
    if (CApp* app = CApp::GetInstance()) app->Shutdown();
    delete ICCore::GetInstance();
    ICCore::SetInstance(nullptr);
    delete CApp::GetInstance();
    CApp::SetInstance(nullptr);
    return result;
}

bool CApplet::CreateAppWindow() {
    m_window = CreateWindowExW(WS_EX_NODRAG, kClassName, kClassName, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, m_width,
                               m_height, nullptr, nullptr, m_instance, nullptr);
    if (m_window == nullptr) return false;
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    return true;
}

bool CApplet::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            switch (Low16(wParam)) {
                case WA_ACTIVE:
                case WA_CLICKACTIVE:
                    if (m_active == 0) {
                        PostEvent(EVENT_RESUME, 0, 0);
                        StartTimer();
                    } else {
                        PostEvent(EVENT_REDRAW, 0, 0);
                    }
                    m_active = 1;
                    break;
                case WA_INACTIVE:
                    if (m_active != 0) {
                        StopTimer();
                        PostEvent(EVENT_SUSPEND, 0, 0);
                        FlushEvents();
                    }
                    m_active = 0;
                    break;
                default: break;
            }
            return false;
        case WM_SETFOCUS:
            GXResume();
            return false;
        case WM_KILLFOCUS:
            GXSuspend();
            return false;
        case WM_PAINT:
            if (m_redrawPosted == 0) {
                PostEvent(EVENT_REDRAW, 0, 0);
                m_redrawPosted = 1;
            }
            ValidateRect(window, nullptr);  // the game draws only in its tick
            return true;
        case WM_CLOSE:
            Quit();
            return true;
        case WM_SETTINGCHANGE:
            if (wParam == SETTINGCHANGE_RESET) {
                m_width = GetSystemMetrics(SM_CXSCREEN);
                m_height = GetSystemMetrics(SM_CYSCREEN);
                PostEvent(EVENT_DISPLAY_CHANGED, 0, 0);
                PostEvent(EVENT_SETTINGS_CHANGED, 0, 0);
                PostEvent(EVENT_REDRAW, 0, 0);
            }
            return false;
        case WM_WINDOWPOSCHANGED: {
            RECT rc{};
            GetClientRect(window, &rc);
            m_width = rc.right - rc.left;
            m_height = rc.bottom - rc.top;
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
            return true;
        }
        case WM_KEYDOWN:
            // Auto-repeats carry the previous key state and are dropped.
            if ((lParam & kPreviousKeyState) == 0) {
                const std::uint16_t key = KeyOf(wParam);
                PostEvent(EVENT_KEY_DOWN, key, 0);
                PostEvent(EVENT_KEY_PRESS, key, 0);
            }
            return true;
        case WM_KEYUP:
            if ((lParam & kPreviousKeyState) != 0) PostEvent(EVENT_KEY_UP, KeyOf(wParam), 0);
            return true;
        case WM_TIMER:
            if (m_timerRunning != 0) {
                FlushEvents();
                StartTimer();  // the next tick comes 48 ms after this one's work
            }
            return true;
        case WM_HSCROLL:
        case WM_VSCROLL:
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
            return true;
        case WM_MOUSEMOVE: {
            std::uint32_t mask = 0;
            if (wParam & MK_LBUTTON) mask |= 1;
            if (wParam & MK_RBUTTON) mask |= 2;
            if (wParam & MK_MBUTTON) mask |= 4;
            PostPointer(EVENT_POINTER_MOVE, mask, lParam);
            return false;
        }
        case WM_LBUTTONDOWN: PostPointer(EVENT_POINTER_DOWN, 0, lParam); return false;
        case WM_LBUTTONUP: PostPointer(EVENT_POINTER_UP, 0, lParam); return false;
        case WM_LBUTTONDBLCLK: PostPointer(EVENT_POINTER_DOUBLE, 0, lParam); return false;
        case WM_RBUTTONDOWN: PostPointer(EVENT_POINTER_DOWN, 1, lParam); return false;
        case WM_RBUTTONUP: PostPointer(EVENT_POINTER_UP, 1, lParam); return false;
        case WM_RBUTTONDBLCLK: PostPointer(EVENT_POINTER_DOUBLE, 1, lParam); return false;
        case WM_MBUTTONDOWN: PostPointer(EVENT_POINTER_DOWN, 2, lParam); return false;
        case WM_MBUTTONUP: PostPointer(EVENT_POINTER_UP, 2, lParam); return false;
        case WM_MBUTTONDBLCLK: PostPointer(EVENT_POINTER_DOUBLE, 2, lParam); return false;
        default: return false;
    }
}

bool CApplet::PreTranslate(HWND, UINT, WPARAM, LPARAM) { return false; }

void CApplet::PostPointer(std::uint32_t id, std::uint32_t param1, LPARAM lParam) {
    const auto packed = static_cast<std::uint32_t>(lParam);
    std::int32_t x = static_cast<std::int32_t>(packed & 0xFFFF);
    std::int32_t y = static_cast<std::int32_t>(packed >> 16);
    MapPointer(x, y);
    PostEvent(id, param1, static_cast<std::uintptr_t>(static_cast<std::uint32_t>(x) | static_cast<std::uint32_t>(y) << 16));
}

void CApplet::PostEvent(std::uint32_t id, std::uint32_t param1, std::uintptr_t param2) {
    SystemEvent event{};
    event.id = id;
    event.param1 = static_cast<std::uint16_t>(param1 & 0xFFFF);
    event.param2 = param2;
    m_queue.Push(event);
}

void CApplet::Quit() {
    StopTimer();
    PostEvent(EVENT_CLOSE, 0, 0);
    FlushEvents();
    PostQuitMessage(0);
}

void CApplet::FlushEvents() {
    CApp* app = CApp::GetInstance();
    // Read the count on every step: handlers may post behind the end. The
    // position is shared with a flush nested in a handler (a quit), which
    // goes on after the event being handled instead of handing the queue
    // out again from its start.
    while (m_flushNext < m_queue.GetCount()) {
        SystemEvent event;
        m_queue.GetEvent(m_flushNext, event);
        ++m_flushNext;
        if (app != nullptr) app->HandleEvent(event.id, event.param1, event.param2);
    }
    m_queue.Clear();
    m_flushNext = 0;
    if (app != nullptr) app->Tick();
    m_redrawPosted = 0;
}

void CApplet::StartTimer() {
    SetTimer(m_window, kTimerId, kTimerPeriodMs, nullptr);
    m_timerRunning = 1;
}

void CApplet::StopTimer() {
    KillTimer(m_window, kTimerId);
    m_timerRunning = 0;
}

std::uint16_t CApplet::MapKey(std::uint32_t virtualKey) {
    switch (virtualKey) {
        case VK_RETURN: return 11;
        case VK_ESCAPE: return 12;
        case VK_LEFT: return 6;
        case VK_UP: return 4;
        case VK_RIGHT: return 7;
        case VK_DOWN: return 5;
        case VK_F1: return 15;
        case VK_F2: return 16;
        case VK_F3: return 2;
        case VK_F4: return 3;
        case VK_F6: return 17;
        case VK_F7: return 18;
        case VK_F8: return 42;  // '*'
        case VK_F9: return 35;  // '#'
        case 0x81: return 1;
        case VK_F5: return 0;  // posted raw
        default: break;
    }
    if ((virtualKey >= 8 && virtualKey <= 10) || virtualKey == 19 || (virtualKey >= 32 && virtualKey <= 127)) {
        return static_cast<std::uint16_t>(virtualKey);  // digits included
    }
    return 0;
}

void CApplet::MapPointer(std::int32_t& x, std::int32_t& y) {
    // The game draws into a back buffer of half the screen's size.
    x /= 2;
    y /= 2;
}
