// WinMain on the headless backend with a recording application, driven
// from inside its ticks and the loop's idle hook.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <vector>

#include "host/Clock.h"
#include "host/Gx.h"
#include "host/Window.h"
#include "platform/shared/core/CApp.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "src/win32/CApplet.h"
#include "src/win32/WinMain.h"

namespace {

using Ids = std::vector<std::uint32_t>;

struct Entry {
    std::uint32_t id;
    std::uint16_t param1;
    std::uintptr_t param2;
    int tick;  // ticks run before this event
    bool operator==(const Entry&) const = default;
};

// What the next application does; reset by every test.
struct Script {
    int startupResult = 0;
    bool failCreation = false;
    std::function<void(std::uint32_t)> onEvent;  // with the event's id
    std::function<void(int)> onTick;  // with the tick's number
};

Script g_script;
std::vector<Entry> g_log;  // events handled
std::vector<DWORD> g_tickTimes;
int g_created = 0, g_deleted = 0, g_shutdowns = 0;

class TestApp : public CApp {
public:
    ~TestApp() override { ++g_deleted; }
    std::int32_t Startup() override { return g_script.startupResult; }
    void Shutdown() override { ++g_shutdowns; }
    void Tick() override {
        g_tickTimes.push_back(GetTickCount());
        if (g_script.onTick) g_script.onTick(static_cast<int>(g_tickTimes.size()));
    }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override {
        g_log.push_back({id, param1, param2, static_cast<int>(g_tickTimes.size())});
        if (g_script.onEvent) g_script.onEvent(id);
        return 0;
    }
};

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});

class Applet : public ::testing::Test {
protected:
    void SetUp() override {
        host::ResetWindowing();
        host::SetVirtualClock(10000, 0);
        g_script = Script{};
        g_log.clear();
        g_tickTimes.clear();
        g_created = g_deleted = g_shutdowns = 0;
    }
    void TearDown() override {
        host::SetIdleHook(nullptr);
        host::ResetWindowing();
        host::ClearVirtualClock();
    }

    static int Run() { return WinMain(kInstance, nullptr, nullptr, SW_SHOW); }

    static int RunTicks(int closeAfter, std::function<void(int)> onTick) {
        g_script.onTick = [closeAfter, onTick](int tick) {
            if (onTick) onTick(tick);
            if (tick == closeAfter) host::InjectClose();
        };
        return Run();
    }

    static std::vector<Entry> EntriesBeforeTick(int tick) {
        std::vector<Entry> entries;
        for (const Entry& e : g_log) if (e.tick == tick - 1) entries.push_back(e);
        return entries;
    }
    static Ids EventsBeforeTick(int tick) {
        Ids ids;
        for (const Entry& e : EntriesBeforeTick(tick)) ids.push_back(e.id);
        return ids;
    }
};

}  // namespace

CApp* CreateGameApp() {
    if (g_script.failCreation) return nullptr;
    ++g_created;
    return new (std::nothrow) TestApp();
}

std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

namespace {

TEST_F(Applet, TicksEvery48msAfterTheWorkAndQuits) {
    EXPECT_EQ(RunTicks(4, [](int) { host::AdvanceVirtualClock(7); }), 0);  // each tick works for 7 ms
    // Start, then the first activation's redraw and the first paint's.
    EXPECT_EQ(EventsBeforeTick(1), (Ids{EVENT_START, EVENT_REDRAW, EVENT_REDRAW}));
    ASSERT_EQ(g_tickTimes.size(), 5u);  // four ticks and the close's
    EXPECT_EQ(g_tickTimes[0], 10048u);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(g_tickTimes[i] - g_tickTimes[i - 1], 55u) << i;
    EXPECT_EQ(EventsBeforeTick(5), Ids{EVENT_CLOSE});
    EXPECT_EQ(g_tickTimes[4], g_tickTimes[3] + 7);
    EXPECT_EQ(g_deleted, 1);
    EXPECT_EQ(host::RegisteredClassCount(), 0);
}

// Auto-repeats dropped, stylus positions halved, one redraw for several paints.
TEST_F(Applet, InputPostsItsEvents) {
    const std::pair<WORD, std::uint16_t> keys[] = {{VK_LEFT, 6}, {VK_F5, VK_F5}, {VK_F8, 42}, {0x81, 1}, {200, 200}};
    std::pair<std::int32_t, std::int32_t> size;
    RunTicks(2, [&](int tick) {
        const auto* applet = static_cast<CApplet*>(CWinBase::GetInstance());
        size = {applet->GetWidth(), applet->GetHeight()};
        if (tick != 1) return;
        for (const auto& [key, code] : keys) {
            host::InjectKey(key, true);
            host::InjectKey(key, true, true);
            host::InjectKey(key, true, true);
            host::InjectKey(key, false);
        }
        host::InjectPointer(WM_LBUTTONDOWN, 101, 57, MK_LBUTTON);
        host::InjectPointer(WM_MOUSEMOVE, 479, 639, MK_LBUTTON | MK_MBUTTON);
        host::InjectPointer(WM_RBUTTONUP, 0, 1, 0);
        host::InjectPointer(WM_MBUTTONDBLCLK, 2, 2, 0);
        for (int i = 0; i < 3; ++i) PostMessageW(host::GetMainWindow(), WM_PAINT, 0, 0);
        host::RotateScreen();
    });
    std::vector<Entry> expected;
    for (const auto& [key, code] : keys) {
        for (std::uint32_t id : {EVENT_KEY_DOWN, EVENT_KEY_PRESS, EVENT_KEY_UP}) expected.push_back({id, code, 0, 1});
    }
    expected.insert(expected.end(), {{EVENT_POINTER_DOWN, 0, 50 | 28 << 16, 1}, {EVENT_POINTER_MOVE, 5, 239 | 319 << 16, 1},
                                     {EVENT_POINTER_UP, 1, 0, 1}, {EVENT_POINTER_DOUBLE, 2, 1 | 1 << 16, 1},
                                     {EVENT_REDRAW, 0, 0, 1}, {EVENT_DISPLAY_CHANGED, 0, 0, 1},
                                     {EVENT_SETTINGS_CHANGED, 0, 0, 1}, {EVENT_REDRAW, 0, 0, 1}});
    EXPECT_EQ(EntriesBeforeTick(2), expected);
    EXPECT_EQ(size, std::make_pair(640, 480));  // the rotated screen read again
}

TEST(AppletKeys, MapKeyCoversTheTable) {
    const std::pair<std::uint32_t, std::uint16_t> cases[] = {
        {VK_RETURN, 11}, {VK_ESCAPE, 12}, {VK_UP, 4}, {VK_F1, 15}, {VK_F3, 2}, {VK_F5, 0}, {VK_F9, 35}, {7, 0},
        {8, 8},          {19, 19},        {20, 0},    {32, 32},    {127, 127}, {128, 0},  {0x10000 + 13, 0},
    };
    for (const auto& [key, code] : cases) EXPECT_EQ(CApplet::MapKey(key), code) << key;
}

// Events posted during the flush are handled in it; the queue holds 24
// events between two ticks.
TEST_F(Applet, EventsPostedInTheFlushAndTheQueuesSize) {
    g_script.onEvent = [](std::uint32_t id) {
        if (id == EVENT_START || id == 77) ICCore::GetInstance()->PostEvent(id == 77 ? 78 : 77, 0, 0);
    };
    RunTicks(2, [](int tick) {
        for (std::uint32_t id = 1000; tick == 1 && id < 1025; ++id) ICCore::GetInstance()->PostEvent(id, 0x1234, id);
    });
    EXPECT_EQ(EventsBeforeTick(1), (Ids{EVENT_START, EVENT_REDRAW, EVENT_REDRAW, 77, 78}));
    std::vector<Entry> expected;
    for (std::uint32_t id = 1000; id < 1024; ++id) expected.push_back({id, 0x1234, id, 1});
    EXPECT_EQ(EntriesBeforeTick(2), expected);
}

TEST_F(Applet, DeactivationFlushesAtOnceAndReactivationResumes) {
    DWORD deactivatedAt = 0;
    host::SetIdleHook([] {
        DWORD due = 0;
        if (host::GetTimerDue(host::GetMainWindow(), CApplet::kTimerId, &due)) return;
        EXPECT_TRUE(host::GetGxState().suspended);
        host::AdvanceVirtualClock(500);
        host::InjectActivation(true);
    });
    RunTicks(4, [&](int tick) {
        if (tick != 1) return;
        ICCore::GetInstance()->PostEvent(55, 0, 0);
        host::InjectActivation(false);
        deactivatedAt = GetTickCount();
    });
    EXPECT_EQ(EventsBeforeTick(2), (Ids{55, EVENT_SUSPEND}));
    EXPECT_EQ(g_tickTimes.at(1), deactivatedAt);
    EXPECT_EQ(EventsBeforeTick(3), Ids{EVENT_RESUME});
    EXPECT_EQ(g_tickTimes.at(2), deactivatedAt + 500 + 48);
    EXPECT_FALSE(host::GetGxState().suspended);
}

// From inside a tick the close event and a nested tick run first; from a
// handler each event is still handled once.
TEST_F(Applet, QuitFromATickOrAHandlerRunsTheWholeSequence) {
    g_script.onTick = [&](int tick) {
        if (tick != 2) return;
        ICCore::GetInstance()->PostEvent(99, 0, 0);
        ICCore::GetInstance()->Quit(0);
        EXPECT_EQ(g_tickTimes.size(), 3u);
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(EventsBeforeTick(3), (Ids{99, EVENT_CLOSE}));
    EXPECT_EQ(g_tickTimes.size(), 3u);
    EXPECT_EQ(g_shutdowns, 1);
    SetUp();
    g_script.onEvent = [](std::uint32_t id) {
        if (id == EVENT_START) ICCore::GetInstance()->Quit(0);
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(EventsBeforeTick(1), (Ids{EVENT_START, EVENT_REDRAW, EVENT_REDRAW, EVENT_CLOSE}));
    EXPECT_EQ(g_tickTimes.size(), 2u);
}

TEST_F(Applet, MessagesPostTheirEventsAndSayWhetherTheyAreHandled) {
    struct Case { UINT message; WPARAM wParam; LPARAM lParam; bool handled; Ids events; };
    const Case cases[] = {
        {WM_ACTIVATE, WA_CLICKACTIVE, 0, false, {EVENT_REDRAW}},
        {WM_ACTIVATE, 3, 0, false, {}},
        {WM_SETTINGCHANGE, 0x10000 | SETTINGCHANGE_RESET, 0, false, {}},
        {WM_WINDOWPOSCHANGED, 0, 0, true, {}},
        {WM_KEYUP, VK_LEFT, 1, true, {}},  // an up without its previous state
        {WM_TIMER, 1, 0, true, {}},        // while stopped
        {0x400, 0, 0, false, {}},
    };
    for (const Case& c : cases) {
        SetUp();
        CApplet* applet = CApplet::Create(kInstance);
        ASSERT_NE(applet, nullptr);
        TestApp app;
        CApp::SetInstance(&app);
        EXPECT_EQ(applet->HandleMessage(nullptr, c.message, c.wParam, c.lParam), c.handled) << c.message;
        applet->FlushEvents();
        EXPECT_EQ(EventsBeforeTick(1), c.events) << c.message << " " << c.wParam;
        CApp::SetInstance(nullptr);
        delete applet;
    }
}

TEST_F(Applet, StartupFailuresTearDownAndReturn1) {
    struct Case { const char* name; std::function<void()> arrange; int created; std::string box = ""; };
    const Case cases[] = {
        {"class", [] { host::SetFault(host::Fault::RegisterClass, true); }, 0, "Error Registering wndClass|Game"},
        {"window", [] { host::SetFault(host::Fault::CreateWindow, true); }, 0},
        {"application", [] { g_script.failCreation = true; }, 0},
        {"startup", [] { g_script.startupResult = 5; }, 1},
        {"input", [] { host::SetFault(host::Fault::GxOpenInput, true); }, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        c.arrange();
        EXPECT_EQ(Run(), 1) << c.name;
        EXPECT_EQ((std::vector<int>{g_created, g_shutdowns, g_deleted}), std::vector<int>(3, c.created)) << c.name;
        EXPECT_TRUE(g_log.empty()) << c.name;
        EXPECT_EQ(ICCore::GetInstance(), nullptr) << c.name;
        EXPECT_EQ(host::GetGxState().closeDisplayCalls, c.box.empty() ? 1 : 0) << c.name;  // opened after the class
        EXPECT_EQ(host::RegisteredClassCount(), 0) << c.name;
        const host::MessageBoxRecord* box = host::LastMessageBox();
        EXPECT_EQ(box == nullptr ? "" : box->text + "|" + box->caption, c.box) << c.name;
    }
}

TEST_F(Applet, NoWindowOrNoApplicationIsHarmless) {
    EXPECT_EQ(WindowProc(nullptr, WM_CLOSE, 0, 0), 0);
    CCore_Win32* core = CCore_Win32::Create();
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(core->GetPlatformCode(), 6);
    EXPECT_TRUE(core->HasTouchInput());
    core->PostEvent(1, 0, 0);  // no window: nothing happens
    core->Quit(0);
    CApplet* applet = CApplet::Create(kInstance);
    ASSERT_NE(applet, nullptr);
    core->PostEvent(1, 0, 0);
    applet->FlushEvents();  // no application: nothing is handled or ticked
    delete applet;
    delete core;
}

}  // namespace
