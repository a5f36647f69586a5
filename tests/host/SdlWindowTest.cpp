// The SDL backend on SDL's display-less video driver: desktop events pushed
// into SDL come out of GetMessageW as the phone's messages.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "host/Window.h"
#include "tests/support/TempDir.h"

namespace {

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x2000});

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1);  // for the single-instance lock
        host::WindowOptions options;
        options.backend = host::Backend::Sdl;
        options.scale = 2;
        host::ResetWindowing(options);
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = kInstance;
        wc.lpszClassName = u"Game";
        ASSERT_NE(RegisterClassW(&wc), 0);
    }
    void TearDown() override { host::ResetWindowing(); }

    HWND Create() {
        HWND window = CreateWindowExW(0, u"Game", u"Game", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 480, 640, nullptr,
                                      nullptr, kInstance, nullptr);
        EXPECT_NE(window, nullptr);
        // A guard, so that a missing message cannot block the test.
        SetTimer(window, 9, 2000, nullptr);
        return window;
    }

    static MSG Next() {
        MSG msg{};
        GetMessageW(&msg, nullptr, 0, 0);
        return msg;
    }

    TempDir m_runtime;
};

void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1); }

void PushKey(Uint32 type, SDL_Keycode key, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.repeat = repeat;
    Push(e);
}

// A left button press or release, or a move.
void PushMouse(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.x = x;
        e.motion.y = y;
    } else {
        e.button.button = SDL_BUTTON_LEFT;
        e.button.x = x;
        e.button.y = y;
    }
    Push(e);
}

void PushFocus(bool gained) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    Push(e);
}

TEST_F(SdlWindow, KeysBecomeVirtualKeys) {
    Create();
    const std::pair<SDL_Keycode, WORD> cases[] = {
        {SDLK_LEFT, VK_LEFT}, {SDLK_BACKSPACE, VK_BACK}, {SDLK_7, '7'},  {SDLK_KP_3, '3'},
        {SDLK_F9, VK_F9},     {SDLK_KP_MULTIPLY, VK_F8}, {SDLK_q, 'Q'},
    };
    for (const auto& [key, virtualKey] : cases) {
        PushKey(SDL_KEYDOWN, key);
        PushKey(SDL_KEYDOWN, key, 1);
        PushKey(SDL_KEYUP, key);
        // Repeats and releases carry the previous key state (bit 30).
        const std::pair<UINT, LPARAM> expected[] = {
            {WM_KEYDOWN, 1}, {WM_KEYDOWN, 1 | 1 << 30}, {WM_KEYUP, static_cast<LPARAM>(0xC0000001u)}};
        for (const auto& [message, lParam] : expected) {
            const MSG msg = Next();
            EXPECT_EQ(msg.message, message) << virtualKey;
            EXPECT_EQ(msg.wParam, virtualKey);
            EXPECT_EQ(msg.lParam, lParam) << virtualKey;
        }
    }
}

TEST_F(SdlWindow, MouseIsTheStylusInScreenPixels) {
    Create();
    PushMouse(SDL_MOUSEMOTION, 20, 20);  // no button held: a stylus cannot hover
    PushMouse(SDL_MOUSEBUTTONDOWN, 202, 115);  // the desktop window is twice the screen's size
    PushMouse(SDL_MOUSEMOTION, 40, 8);
    PushMouse(SDL_MOUSEMOTION, 5000, 10);  // outside: held at the edge; unread moves merge
    PushMouse(SDL_MOUSEBUTTONUP, 4, 4);
    const MSG expected[] = {{nullptr, WM_LBUTTONDOWN, MK_LBUTTON, 101 | 57 << 16, 0, {}},
                            {nullptr, WM_MOUSEMOVE, MK_LBUTTON, 479 | 5 << 16, 0, {}},
                            {nullptr, WM_LBUTTONUP, 0, 2 | 2 << 16, 0, {}}};
    for (const MSG& e : expected) {
        const MSG msg = Next();
        EXPECT_EQ(msg.message, e.message);
        EXPECT_EQ(msg.wParam, e.wParam) << e.message;
        EXPECT_EQ(msg.lParam, e.lParam) << e.message;
    }
}

TEST_F(SdlWindow, FocusActivatesOnlyOnAChangeCloseAndRotation) {
    ShowWindow(Create(), SW_SHOW);  // showing activates the window
    PushFocus(true);
    PushFocus(false);
    PushFocus(false);
    PushKey(SDL_KEYDOWN, SDLK_F12);
    PushKey(SDL_KEYUP, SDLK_F12);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    std::vector<UINT> messages;
    for (MSG msg = Next(); msg.message != WM_CLOSE && msg.message != WM_TIMER; msg = Next()) {
        if (msg.message != WM_PAINT && msg.message != WM_WINDOWPOSCHANGED) messages.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(messages, (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS, WM_ACTIVATE, WM_KILLFOCUS, WM_SETTINGCHANGE}));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
}

TEST_F(SdlWindow, ASecondInstanceRaisesTheFirst) {
    // Looking for the window and finding none makes this the first instance.
    ASSERT_EQ(FindWindowW(u"Game", u"Game"), nullptr);
    Create();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The second instance finds the first and asks it to raise itself.
        host::WindowOptions options;
        options.backend = host::Backend::Sdl;
        host::ResetWindowing(options);
        HWND other = FindWindowW(u"Game", u"Game");
        _exit(other != nullptr && SetForegroundWindow(other) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // The request arrives as an activation.
    EXPECT_EQ(Next().message, WM_ACTIVATE);
    EXPECT_EQ(Next().message, WM_SETFOCUS);
}

}  // namespace
