#include <gtest/gtest.h>

#include <vector>

#include "host/Clock.h"
#include "host/Gx.h"
#include "host/Window.h"

namespace {

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x1000});

std::vector<MSG> g_seen;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(MSG{window, message, wParam, lParam, 0, {}});
    return DefWindowProcW(window, message, wParam, lParam);
}

class HeadlessWindow : public ::testing::Test {
protected:
    void SetUp() override {
        host::ResetWindowing();
        host::SetVirtualClock(1000, 0);
        g_seen.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = kInstance;
        wc.lpszClassName = u"Game";
        ASSERT_NE(RegisterClassW(&wc), 0);
        m_window = CreateWindowExW(0, u"Game", u"Game", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 480, 640, nullptr,
                                   nullptr, kInstance, nullptr);
        ASSERT_NE(m_window, nullptr);
    }
    void TearDown() override {
        host::ResetWindowing();
        host::ClearVirtualClock();
    }

    // The next message as the loop would see it.
    MSG Next() {
        MSG msg{};
        const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
        EXPECT_EQ(result, msg.message == WM_QUIT ? 0 : 1);
        return msg;
    }

    HWND m_window = nullptr;
};

TEST_F(HeadlessWindow, ShowingTheWindowSizesActivatesAndPaintsIt) {
    ShowWindow(m_window, SW_SHOW);
    const UINT expected[] = {WM_WINDOWPOSCHANGED, WM_ACTIVATE, WM_SETFOCUS, WM_PAINT};
    for (UINT message : expected) {
        const MSG msg = Next();
        EXPECT_EQ(msg.message, message);
        DispatchMessageW(&msg);
    }
    RECT rc{};
    ASSERT_TRUE(GetClientRect(m_window, &rc));
    EXPECT_EQ(rc.right - rc.left, 480);
    EXPECT_EQ(rc.bottom - rc.top, 640);
    // The default procedure validated the window: nothing is left.
    MSG msg{};
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);
}

TEST_F(HeadlessWindow, PostedBeforeQuitBeforePaintBeforeTimer) {
    SetTimer(m_window, 1, 48, nullptr);
    host::AdvanceVirtualClock(48);
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE);
    ShowWindow(m_window, SW_SHOW);
    while (Next().message != WM_SETFOCUS) {
    }
    PostQuitMessage(0);
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Next().message, WM_CLOSE);
    EXPECT_EQ(Next().message, WM_QUIT);
    EXPECT_EQ(Next().message, WM_PAINT);
    ValidateRect(m_window, nullptr);
    const MSG timer = Next();
    EXPECT_EQ(timer.message, WM_TIMER);
    EXPECT_EQ(timer.wParam, 1u);
}

TEST_F(HeadlessWindow, IdleLoopMovesTheVirtualClockToTheTimer) {
    SetTimer(m_window, 1, 48, nullptr);
    EXPECT_EQ(Next().message, WM_TIMER);
    EXPECT_EQ(GetTickCount(), 1048u);
    // The timer repeats from the time it was taken.
    host::AdvanceVirtualClock(10);
    EXPECT_EQ(Next().message, WM_TIMER);
    EXPECT_EQ(GetTickCount(), 1096u);
    // Re-arming starts the period again.
    host::AdvanceVirtualClock(40);
    SetTimer(m_window, 1, 48, nullptr);
    DWORD due = 0;
    ASSERT_TRUE(host::GetTimerDue(m_window, 1, &due));
    EXPECT_EQ(due, 1184u);
    ASSERT_TRUE(KillTimer(m_window, 1));
    EXPECT_FALSE(KillTimer(m_window, 1));
    EXPECT_FALSE(host::GetTimerDue(m_window, 1, &due));
    MSG msg{};
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);  // nothing can ever come
}

TEST_F(HeadlessWindow, IdleHookInjectsInput) {
    int calls = 0;
    host::SetIdleHook([&] {
        if (++calls == 2) host::InjectClose();
    });
    SetTimer(m_window, 1, 48, nullptr);
    EXPECT_EQ(Next().message, WM_TIMER);
    EXPECT_EQ(Next().message, WM_CLOSE);
    EXPECT_EQ(GetTickCount(), 1048u);
    host::SetIdleHook(nullptr);
}

TEST_F(HeadlessWindow, InjectedMessagesCarryThePlatformsParameters) {
    struct Case {
        const char* name;
        void (*inject)();
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {"key down", [] { host::InjectKey(VK_LEFT, true); }, WM_KEYDOWN, VK_LEFT, 1},
        {"repeat", [] { host::InjectKey(VK_LEFT, true, true); }, WM_KEYDOWN, VK_LEFT, 1 | 1 << 30},
        {"key up", [] { host::InjectKey(VK_LEFT, false); }, WM_KEYUP, VK_LEFT,
         static_cast<LPARAM>(0xC0000001u)},
        {"tap", [] { host::InjectPointer(WM_LBUTTONDOWN, 101, 57, MK_LBUTTON); }, WM_LBUTTONDOWN, MK_LBUTTON,
         101 | 57 << 16},
        {"close", [] { host::InjectClose(); }, WM_CLOSE, 0, 0},
        {"rotate", [] { host::RotateScreen(); }, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0},
    };
    for (const Case& c : cases) {
        c.inject();
        const MSG msg = Next();
        EXPECT_EQ(msg.hwnd, m_window) << c.name;
        EXPECT_EQ(msg.message, c.message) << c.name;
        EXPECT_EQ(msg.wParam, c.wParam) << c.name;
        EXPECT_EQ(msg.lParam, c.lParam) << c.name;
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(g_seen.size(), std::size(cases));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
}

TEST_F(HeadlessWindow, ClassesAndWindowsAreFoundByName) {
    EXPECT_EQ(FindWindowW(u"Game", u"Game"), m_window);
    EXPECT_EQ(FindWindowW(u"Other", u"Game"), nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = kInstance;
    wc.lpszClassName = u"Game";
    EXPECT_EQ(RegisterClassW(&wc), 0);  // already registered
    EXPECT_TRUE(UnregisterClassW(u"Game", kInstance));
    EXPECT_FALSE(UnregisterClassW(u"Game", kInstance));
    EXPECT_EQ(host::RegisteredClassCount(), 0);
    EXPECT_NE(LoadCursorW(nullptr, IDC_ARROW), nullptr);
}

TEST_F(HeadlessWindow, FaultsAndGapiState) {
    host::SetFault(host::Fault::GxOpenDisplay, true);
    EXPECT_EQ(GXOpenDisplay(m_window, GX_FULLSCREEN), 0);
    host::SetFault(host::Fault::GxOpenDisplay, false);
    EXPECT_EQ(GXOpenDisplay(m_window, GX_FULLSCREEN), 1);
    EXPECT_EQ(GXOpenInput(), 1);
    GXSuspend();
    EXPECT_TRUE(host::GetGxState().suspended);
    GXResume();
    GXCloseDisplay();
    GXCloseInput();
    const host::GxState gx = host::GetGxState();
    EXPECT_FALSE(gx.suspended);
    EXPECT_FALSE(gx.displayOpen);
    EXPECT_FALSE(gx.inputOpen);
    EXPECT_EQ(gx.openDisplayCalls, 2);
    host::SetFault(host::Fault::CreateWindow, true);
    EXPECT_EQ(CreateWindowExW(0, u"Game", u"Game", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, kInstance, nullptr),
              nullptr);
    MessageBoxW(nullptr, u"text", u"caption", MB_ICONERROR);
    ASSERT_NE(host::LastMessageBox(), nullptr);
    EXPECT_EQ(host::LastMessageBox()->text, "text");
    EXPECT_EQ(host::LastMessageBox()->caption, "caption");
}

}  // namespace
