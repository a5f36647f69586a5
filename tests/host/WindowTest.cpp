#include <gtest/gtest.h>

#include "host/Clock.h"
#include "host/Window.h"

namespace {

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x1000});

class HeadlessWindow : public ::testing::Test {
protected:
    void SetUp() override {
        host::ResetWindowing();
        host::SetVirtualClock(1000, 0);
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
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

TEST_F(HeadlessWindow, ShownThenPostedBeforeQuitBeforePaintBeforeTimer) {
    SetTimer(m_window, 1, 48, nullptr);
    host::AdvanceVirtualClock(48);
    ShowWindow(m_window, SW_SHOW);
    for (UINT message : {WM_WINDOWPOSCHANGED, WM_ACTIVATE, WM_SETFOCUS}) EXPECT_EQ(Next().message, message);
    PostQuitMessage(0);
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Next().message, WM_CLOSE);
    EXPECT_EQ(Next().message, WM_QUIT);
    const MSG paint = Next();
    EXPECT_EQ(paint.message, WM_PAINT);
    DispatchMessageW(&paint);  // the default procedure validates the window
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
    ASSERT_TRUE(KillTimer(m_window, 1));
    EXPECT_FALSE(KillTimer(m_window, 1));
    MSG msg{};
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);  // nothing can ever come
}

}  // namespace
