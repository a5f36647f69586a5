// The SDL backend on SDL's display-less video driver: desktop events pushed
// into SDL come out of GetMessageW as the phone's messages.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/Window.h"

namespace {

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x2000});

LRESULT Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        m_runtimeDir = std::filesystem::temp_directory_path() / ("vk-sdl-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_runtimeDir);
        setenv("XDG_RUNTIME_DIR", m_runtimeDir.c_str(), 1);
        host::WindowOptions options;
        options.backend = host::Backend::Sdl;
        options.scale = 2;
        host::ResetWindowing(options);
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = kInstance;
        wc.lpszClassName = u"Game";
        ASSERT_NE(RegisterClassW(&wc), 0);
    }
    void TearDown() override {
        host::ResetWindowing();
        std::filesystem::remove_all(m_runtimeDir);
    }

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

    std::filesystem::path m_runtimeDir;
};

void PushKey(Uint32 type, SDL_Keycode key, Uint8 repeat) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.repeat = repeat;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void PushButton(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void PushMotion(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void PushWindowEvent(Uint8 event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = event;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

TEST_F(SdlWindow, KeysBecomeVirtualKeys) {
    Create();
    struct Case {
        SDL_Keycode key;
        WORD virtualKey;
    };
    const Case cases[] = {
        {SDLK_LEFT, VK_LEFT},     {SDLK_RETURN, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_BACKSPACE, VK_BACK},
        {SDLK_7, '7'},            {SDLK_KP_3, '3'},         {SDLK_KP_0, '0'},         {SDLK_F1, VK_F1},
        {SDLK_F9, VK_F9},         {SDLK_KP_MULTIPLY, VK_F8}, {SDLK_q, 'Q'},
    };
    for (const Case& c : cases) {
        PushKey(SDL_KEYDOWN, c.key, 0);
        PushKey(SDL_KEYDOWN, c.key, 1);
        PushKey(SDL_KEYUP, c.key, 0);
        const LPARAM lParams[] = {1, 1 | 1 << 30, static_cast<LPARAM>(0xC0000001u)};
        for (int i = 0; i < 3; ++i) {
            const MSG msg = Next();
            EXPECT_EQ(msg.message, i < 2 ? WM_KEYDOWN : WM_KEYUP) << c.virtualKey;
            EXPECT_EQ(msg.wParam, c.virtualKey);
            EXPECT_EQ(msg.lParam, lParams[i]) << c.virtualKey;
        }
    }
}

TEST_F(SdlWindow, MouseIsTheStylusInScreenPixels) {
    Create();
    PushButton(SDL_MOUSEBUTTONDOWN, 202, 115);  // the desktop window is twice the screen's size
    PushMotion(5000, 10);  // outside: held at the edge
    PushButton(SDL_MOUSEBUTTONUP, 4, 4);
    const MSG down = Next();
    EXPECT_EQ(down.message, WM_LBUTTONDOWN);
    EXPECT_EQ(down.wParam, MK_LBUTTON);
    EXPECT_EQ(down.lParam, 101 | 57 << 16);
    const MSG move = Next();
    EXPECT_EQ(move.message, WM_MOUSEMOVE);
    EXPECT_EQ(move.wParam, MK_LBUTTON);
    EXPECT_EQ(move.lParam, 479 | 5 << 16);
    const MSG up = Next();
    EXPECT_EQ(up.message, WM_LBUTTONUP);
    EXPECT_EQ(up.wParam, 0u);
    EXPECT_EQ(up.lParam, 2 | 2 << 16);
}

TEST_F(SdlWindow, TheStylusMovesOnlyWhileItTouchesAndUnreadMovesMerge) {
    Create();
    PushMotion(20, 20);  // no button held: a stylus cannot hover
    PushButton(SDL_MOUSEBUTTONDOWN, 0, 0);
    for (int x = 10; x <= 40; x += 10) PushMotion(x, 8);
    PushKey(SDL_KEYDOWN, SDLK_LEFT, 0);
    EXPECT_EQ(Next().message, WM_LBUTTONDOWN);
    const MSG move = Next();
    EXPECT_EQ(move.message, WM_MOUSEMOVE);
    EXPECT_EQ(move.wParam, MK_LBUTTON);
    EXPECT_EQ(move.lParam, 20 | 4 << 16);  // the last one
    EXPECT_EQ(Next().message, WM_KEYDOWN);
}

TEST_F(SdlWindow, FocusActivatesOnlyOnAChange) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);  // showing activates the window
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushKey(SDL_KEYDOWN, SDLK_LEFT, 0);
    std::vector<UINT> messages;
    for (MSG msg = Next(); msg.message != WM_KEYDOWN && msg.message != WM_TIMER; msg = Next()) {
        if (msg.message != WM_PAINT && msg.message != WM_WINDOWPOSCHANGED) messages.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(messages, (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS, WM_ACTIVATE, WM_KILLFOCUS}));
}

TEST_F(SdlWindow, FocusCloseAndRotation) {
    Create();
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushKey(SDL_KEYDOWN, SDLK_F12, 0);
    PushKey(SDL_KEYUP, SDLK_F12, 0);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const UINT expected[] = {WM_ACTIVATE, WM_SETFOCUS, WM_ACTIVATE, WM_KILLFOCUS, WM_SETTINGCHANGE, WM_CLOSE};
    for (UINT message : expected) EXPECT_EQ(Next().message, message);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
}

TEST_F(SdlWindow, ASecondInstanceRaisesTheFirst) {
    // The first instance looks for the window, finds none and creates it.
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
