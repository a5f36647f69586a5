// The window services on the headless backend, and on SDL's display-less
// video driver, where desktop events pushed into SDL come out of GetMessageW
// as the phone's messages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

#include "host/Clock.h"
#include "host/Window.h"
#include "tests/support/TempDir.h"

namespace {

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x2000});

HWND CreateGameWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = kInstance;
    wc.lpszClassName = u"Game";
    EXPECT_NE(RegisterClassW(&wc), 0);
    HWND window = CreateWindowExW(0, u"Game", u"Game", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 480, 640, nullptr,
                                  nullptr, kInstance, nullptr);
    EXPECT_NE(window, nullptr);
    return window;
}

TEST(HeadlessWindow, ShownThenPostedBeforeQuitBeforePaintBeforeTimer) {
    host::ResetWindowing();
    host::SetVirtualClock(1000, 0);
    HWND window = CreateGameWindow();
    SetTimer(window, 1, 48, nullptr);
    host::AdvanceVirtualClock(48);
    ShowWindow(window, SW_SHOW);
    PostQuitMessage(0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const std::pair<UINT, BOOL> expected[] = {{WM_WINDOWPOSCHANGED, 1}, {WM_ACTIVATE, 1}, {WM_SETFOCUS, 1},
                                              {WM_CLOSE, 1}, {WM_QUIT, 0}, {WM_PAINT, 1}, {WM_TIMER, 1}};
    for (const auto& [message, result] : expected) {
        MSG msg{};
        EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), result);
        EXPECT_EQ(msg.message, message);
        if (message == WM_PAINT) DispatchMessageW(&msg);  // the default procedure validates the window
        if (message == WM_TIMER) {
            EXPECT_EQ(msg.wParam, 1u);
        }
    }
    EXPECT_TRUE(KillTimer(window, 1));
    MSG msg{};
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);  // nothing can ever come
    host::ResetWindowing();
    host::ClearVirtualClock();
}

TEST(FittingScale, LargestWholeScaleOfTheScreenThatFitsTheUsableArea) {
    const struct {
        const char* display;
        int width, height;  // usable
        int scale;
    } cases[] = {
        {"768 lines", 1366, 740, 1},
        {"1080 lines", 1920, 1040, 1},
        {"1440 lines", 2560, 1400, 2},
        {"2160 lines", 3840, 2120, 3},
        {"two screens exactly", 960, 1280, 2},
        {"a line short of two screens", 960, 1279, 1},
        {"a column short of two screens", 959, 1280, 1},
        {"narrower than one screen", 400, 2160, 1},
        {"lower than one screen", 1920, 600, 1},
        {"larger than the largest scale", 8000, 8000, host::kMaxScale},
        {"unknown", 0, 0, 1},
        {"negative", -1, 1080, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(host::FittingScale(c.width, c.height, 480, 640), c.scale) << c.display;
    }
}

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1);  // for the single-instance lock
        host::ResetWindowing({.backend = host::Backend::Sdl, .scale = 2});
    }
    void TearDown() override { host::ResetWindowing(); }

    static HWND Create() {
        HWND window = CreateGameWindow();
        SetTimer(window, 9, 2000, nullptr);  // a guard, so that a missing message cannot block the test
        return window;
    }

    static MSG Next() {
        MSG msg{};
        GetMessageW(&msg, nullptr, 0, 0);
        return msg;
    }

    TempDir m_runtime;
};

// An event of the type; keys get the key and repeat flag, window events the
// event, mouse buttons the left button, and mouse events the position.
void Push(Uint32 type, int a = 0, int b = 0) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
        std::tie(e.key.keysym.sym, e.key.repeat) = std::tuple(a, static_cast<Uint8>(b));
    }
    if (type == SDL_WINDOWEVENT) e.window.event = static_cast<Uint8>(a);
    if (type == SDL_MOUSEMOTION) std::tie(e.motion.x, e.motion.y) = std::tuple(a, b);
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
        std::tie(e.button.button, e.button.x, e.button.y) = std::tuple(SDL_BUTTON_LEFT, a, b);
    }
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

TEST_F(SdlWindow, KeysBecomeVirtualKeys) {
    Create();
    const std::pair<SDL_Keycode, WORD> cases[] = {
        {SDLK_LEFT, VK_LEFT}, {SDLK_BACKSPACE, VK_BACK}, {SDLK_7, '7'},  {SDLK_KP_3, '3'},
        {SDLK_F9, VK_F9},     {SDLK_KP_MULTIPLY, VK_F8}, {SDLK_q, 'Q'},
    };
    for (const auto& [key, virtualKey] : cases) {
        Push(SDL_KEYDOWN, key);
        Push(SDL_KEYDOWN, key, 1);
        Push(SDL_KEYUP, key);
        // Repeats and releases carry the previous key state (bit 30).
        const std::pair<UINT, LPARAM> expected[] = {
            {WM_KEYDOWN, 1}, {WM_KEYDOWN, 1 | 1 << 30}, {WM_KEYUP, static_cast<LPARAM>(0xC0000001u)}};
        for (const auto& [message, lParam] : expected) {
            const MSG msg = Next();
            EXPECT_EQ(std::tuple(msg.message, msg.wParam, msg.lParam), std::tuple(message, WPARAM{virtualKey}, lParam));
        }
    }
}

TEST_F(SdlWindow, MouseIsTheStylusInScreenPixels) {
    Create();
    Push(SDL_MOUSEMOTION, 20, 20);  // no button held: a stylus cannot hover
    Push(SDL_MOUSEBUTTONDOWN, 202, 115);  // the desktop window is twice the screen's size
    Push(SDL_MOUSEMOTION, 40, 8);
    Push(SDL_MOUSEMOTION, 5000, 10);  // outside: held at the edge; unread moves merge
    Push(SDL_MOUSEBUTTONUP, 4, 4);
    const std::tuple<UINT, WPARAM, LPARAM> expected[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, 101 | 57 << 16}, {WM_MOUSEMOVE, MK_LBUTTON, 479 | 5 << 16}, {WM_LBUTTONUP, 0, 2 | 2 << 16}};
    for (const auto& e : expected) {
        const MSG msg = Next();
        EXPECT_EQ(std::tuple(msg.message, msg.wParam, msg.lParam), e);
    }
}

TEST_F(SdlWindow, FocusActivatesOnlyOnAChangeCloseAndRotation) {
    ShowWindow(Create(), SW_SHOW);  // showing activates the window
    for (int focus : {SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_FOCUS_LOST}) {
        Push(SDL_WINDOWEVENT, focus);
    }
    Push(SDL_KEYDOWN, SDLK_F12);
    Push(SDL_KEYUP, SDLK_F12);
    Push(SDL_QUIT);
    std::vector<UINT> messages;
    for (MSG msg = Next(); msg.message != WM_CLOSE && msg.message != WM_TIMER; msg = Next()) {
        if (msg.message != WM_PAINT && msg.message != WM_WINDOWPOSCHANGED) messages.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(messages, (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS, WM_ACTIVATE, WM_KILLFOCUS, WM_SETTINGCHANGE}));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
}

}  // namespace
