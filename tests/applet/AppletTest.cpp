// The program's shell end to end on the headless backend: WinMain runs a
// small recording application through the real applet and message loop,
// and the test drives it from inside the application's ticks and from the
// loop's idle hook.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <vector>

#include "host/Clock.h"
#include "host/Gx.h"
#include "host/Window.h"
#include "platform/shared/core/CApp.h"
#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "src/win32/CApplet.h"
#include "src/win32/WinMain.h"

namespace {

constexpr std::uint32_t kTick = 0;  // log entries of ticks carry id 0

struct Entry {
    std::uint32_t id;  // kTick for a tick
    std::uint16_t param1;
    std::uintptr_t param2;
    DWORD time;
    int tick;  // ticks run before this entry
};

class TestApp;

// What the next application does; reset by every test.
struct Script {
    int startupResult = 0;
    bool failCreation = false;
    std::function<void(TestApp&, const SystemEvent&)> onEvent;
    std::function<void(TestApp&)> onTick;
};

Script g_script;
std::vector<Entry> g_log;
int g_created = 0;
int g_deleted = 0;
int g_shutdowns = 0;

class TestApp : public CApp {
public:
    ~TestApp() override { ++g_deleted; }
    std::int32_t Startup() override { return g_script.startupResult; }
    void Shutdown() override { ++g_shutdowns; }
    void Tick() override {
        ++m_ticks;
        g_log.push_back({kTick, 0, 0, GetTickCount(), m_ticks});
        if (g_script.onTick) g_script.onTick(*this);
    }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override {
        g_log.push_back({id, param1, param2, GetTickCount(), m_ticks});
        if (g_script.onEvent) g_script.onEvent(*this, SystemEvent{id, param1, param2});
        return 0;
    }

    int Ticks() const { return m_ticks; }

private:
    int m_ticks = 0;
};

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});

class Applet : public ::testing::Test {
protected:
    void SetUp() override {
        host::ResetWindowing();
        host::SetVirtualClock(10000, 0);
        g_script = Script{};
        g_log.clear();
        g_created = g_deleted = g_shutdowns = 0;
    }
    void TearDown() override {
        host::ResetWindowing();
        host::ClearVirtualClock();
    }

    static int Run() { return WinMain(kInstance, nullptr, nullptr, SW_SHOW); }

    // Runs the program; the tick hook sees each tick's number, and the
    // program is closed after the given tick.
    static int RunTicks(int closeAfter, std::function<void(int)> onTick) {
        g_script.onTick = [closeAfter, onTick](TestApp& app) {
            if (onTick) onTick(app.Ticks());
            if (app.Ticks() == closeAfter) host::InjectClose();
        };
        return Run();
    }

    // The events (not ticks) handled with the given tick number before them.
    static std::vector<Entry> EntriesBeforeTick(int tick) {
        std::vector<Entry> entries;
        for (const Entry& e : g_log) {
            if (e.id != kTick && e.tick == tick - 1) entries.push_back(e);
        }
        return entries;
    }

    // Their ids.
    static std::vector<std::uint32_t> EventsBeforeTick(int tick) {
        std::vector<std::uint32_t> ids;
        for (const Entry& e : EntriesBeforeTick(tick)) ids.push_back(e.id);
        return ids;
    }

    static const Entry* FindEvent(std::uint32_t id) {
        for (const Entry& e : g_log) {
            if (e.id == id) return &e;
        }
        return nullptr;
    }

    static CApplet* TheApplet() { return static_cast<CApplet*>(CWinBase::GetInstance()); }
};

}  // namespace

CApp* CreateGameApp() {
    if (g_script.failCreation) return nullptr;
    ++g_created;
    return new (std::nothrow) TestApp();
}

// The application's executor hooks; this application runs no executor.
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

namespace {

TEST_F(Applet, StartsTicksEvery48msAfterTheWorkAndQuits) {
    std::vector<DWORD> tickTimes;
    const int result = RunTicks(4, [&](int) {
        tickTimes.push_back(GetTickCount());
        host::AdvanceVirtualClock(7);  // the tick's own work
    });
    EXPECT_EQ(result, 0);
    // The first tick handles the start event, then the first activation's
    // redraw and the first paint's redraw.
    EXPECT_EQ(EventsBeforeTick(1), (std::vector<std::uint32_t>{EVENT_START, EVENT_REDRAW, EVENT_REDRAW}));
    ASSERT_EQ(tickTimes.size(), 5u);  // four ticks and the one after the close event
    EXPECT_EQ(tickTimes[0], 10048u);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(tickTimes[i] - tickTimes[i - 1], 55u) << i;
    // The close comes in the next message, right after the fourth tick.
    EXPECT_EQ(EventsBeforeTick(5), std::vector<std::uint32_t>{EVENT_CLOSE});
    EXPECT_EQ(tickTimes[4], tickTimes[3] + 7);
    // Teardown: display and input closed, shutdown, application deleted,
    // core cleared, class unregistered.
    EXPECT_EQ(g_created, 1);
    EXPECT_EQ(g_shutdowns, 1);
    EXPECT_EQ(g_deleted, 1);
    EXPECT_EQ(CApp::GetInstance(), nullptr);
    EXPECT_EQ(ICCore::GetInstance(), nullptr);
    EXPECT_EQ(CWinBase::GetInstance(), nullptr);
    EXPECT_EQ(host::RegisteredClassCount(), 0);
    const host::GxState gx = host::GetGxState();
    EXPECT_FALSE(gx.displayOpen);
    EXPECT_FALSE(gx.inputOpen);
}

TEST_F(Applet, KeysPostOneDownPressAndUpPerPress) {
    struct Case {
        WORD virtualKey;
        std::uint16_t code;
    };
    const Case cases[] = {
        {VK_RETURN, 11}, {VK_ESCAPE, 12}, {VK_LEFT, 6}, {VK_UP, 4},   {VK_RIGHT, 7}, {VK_DOWN, 5},
        {'0', '0'},      {'9', '9'},      {VK_F1, 15},  {VK_F2, 16},  {VK_F3, 2},    {VK_F4, 3},
        {VK_F5, VK_F5},  {VK_F6, 17},     {VK_F7, 18},  {VK_F8, 42},  {VK_F9, 35},   {0x81, 1},
        {VK_BACK, 8},    {19, 19},        {'A', 'A'},   {127, 127},   {200, 200},    {0x80, 0x80},
    };
    // One press per tick: down, two auto-repeats, up.
    const int count = static_cast<int>(std::size(cases));
    RunTicks(count + 1, [&](int tick) {
        if (tick > count) return;
        const WORD key = cases[tick - 1].virtualKey;
        host::InjectKey(key, true);
        host::InjectKey(key, true, true);
        host::InjectKey(key, true, true);
        host::InjectKey(key, false);
    });
    for (int i = 0; i < count; ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(EventsBeforeTick(i + 2), (std::vector<std::uint32_t>{EVENT_KEY_DOWN, EVENT_KEY_PRESS, EVENT_KEY_UP}))
            << c.virtualKey;
        for (const Entry& e : EntriesBeforeTick(i + 2)) {
            EXPECT_EQ(e.param1, c.code) << c.virtualKey;
            EXPECT_EQ(e.param2, 0u) << c.virtualKey;
        }
    }
}

TEST_F(Applet, MapKeyCoversTheWholeTable) {
    struct Case {
        std::uint32_t virtualKey;
        std::uint16_t code;
    };
    const Case cases[] = {
        {VK_RETURN, 11}, {VK_ESCAPE, 12}, {VK_LEFT, 6},  {VK_UP, 4},   {VK_RIGHT, 7}, {VK_DOWN, 5},
        {'0', 48},       {'5', 53},       {'9', 57},     {VK_F1, 15},  {VK_F2, 16},   {VK_F3, 2},
        {VK_F4, 3},      {VK_F5, 0},      {VK_F6, 17},   {VK_F7, 18},  {VK_F8, 42},   {VK_F9, 35},
        {0x81, 1},       {7, 0},          {8, 8},        {10, 10},     {11, 0},       {19, 19},
        {20, 0},         {31, 0},         {32, 32},      {127, 127},   {128, 0},      {255, 0},
        {0x10000 + 13, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(CApplet::MapKey(c.virtualKey), c.code) << c.virtualKey;
}

TEST_F(Applet, StylusPositionsAreHalvedAndPacked) {
    RunTicks(2, [](int tick) {
        if (tick != 1) return;
        host::InjectPointer(WM_LBUTTONDOWN, 101, 57, MK_LBUTTON);
        host::InjectPointer(WM_MOUSEMOVE, 479, 639, MK_LBUTTON | MK_MBUTTON);
        host::InjectPointer(WM_MOUSEMOVE, 3, 5, MK_RBUTTON);
        host::InjectPointer(WM_RBUTTONUP, 0, 1, 0);
        host::InjectPointer(WM_MBUTTONDBLCLK, 2, 2, 0);
    });
    struct Expected {
        std::uint32_t id;
        std::uint16_t param1;
        std::uintptr_t param2;
    };
    const Expected expected[] = {
        {EVENT_POINTER_DOWN, 0, 50 | 28 << 16},     {EVENT_POINTER_MOVE, 5, 239 | 319 << 16},
        {EVENT_POINTER_MOVE, 2, 1 | 2 << 16},       {EVENT_POINTER_UP, 1, 0},
        {EVENT_POINTER_DOUBLE, 2, 1 | 1 << 16},
    };
    const std::vector<Entry> entries = EntriesBeforeTick(2);
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].id, expected[i].id) << i;
        EXPECT_EQ(entries[i].param1, expected[i].param1) << i;
        EXPECT_EQ(entries[i].param2, expected[i].param2) << i;
    }
}

TEST_F(Applet, ADragOfManyMovesKeepsItsRelease) {
    // Moves that pile up unread merge into one, as on the phone, so that a
    // quick drag cannot fill the queue and lose the stylus's release.
    RunTicks(2, [](int tick) {
        if (tick != 1) return;
        host::InjectPointer(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
        for (int x = 11; x < 51; ++x) host::InjectPointer(WM_MOUSEMOVE, x, 10, MK_LBUTTON);
        host::InjectPointer(WM_LBUTTONUP, 50, 10, 0);
    });
    EXPECT_EQ(EventsBeforeTick(2), (std::vector<std::uint32_t>{EVENT_POINTER_DOWN, EVENT_POINTER_MOVE, EVENT_POINTER_UP}));
    const Entry* move = FindEvent(EVENT_POINTER_MOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(move->param2, 25u | 5u << 16);  // the last position
}

TEST_F(Applet, QueueHolds24EventsBetweenTwoTicks) {
    RunTicks(2, [](int tick) {
        if (tick != 1) return;
        for (std::uint32_t id = 1000; id < 1025; ++id) ICCore::GetInstance()->PostEvent(id, 0x1234, id);
    });
    std::vector<std::uint32_t> expected;
    for (std::uint32_t id = 1000; id < 1024; ++id) expected.push_back(id);
    EXPECT_EQ(EventsBeforeTick(2), expected);
    const Entry* first = FindEvent(1000);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->param1, 0x1234);
    EXPECT_EQ(first->param2, 1000u);
}

TEST_F(Applet, EventsPostedDuringTheFlushAreHandledBeforeTheTick) {
    g_script.onEvent = [](TestApp&, const SystemEvent& e) {
        if (e.id == EVENT_START) ICCore::GetInstance()->PostEvent(77, 1, 2);
        if (e.id == 77) ICCore::GetInstance()->PostEvent(78, 0, 0);
    };
    RunTicks(1, nullptr);
    EXPECT_EQ(EventsBeforeTick(1), (std::vector<std::uint32_t>{EVENT_START, EVENT_REDRAW, EVENT_REDRAW, 77, 78}));
}

TEST_F(Applet, SeveralPaintsPostOneRedrawPerTick) {
    RunTicks(3, [](int tick) {
        if (tick > 2) return;
        for (int i = 0; i < 3; ++i) PostMessageW(host::GetMainWindow(), WM_PAINT, 0, 0);
    });
    EXPECT_EQ(EventsBeforeTick(2), std::vector<std::uint32_t>{EVENT_REDRAW});
    EXPECT_EQ(EventsBeforeTick(3), std::vector<std::uint32_t>{EVENT_REDRAW});
}

TEST_F(Applet, DeactivationFlushesAtOnceAndReactivationResumes) {
    DWORD deactivatedAt = 0;
    int idleCalls = 0;
    host::SetIdleHook([&] {
        // With the timer stopped the loop is idle: come back 500 ms later.
        DWORD due = 0;
        if (host::GetTimerDue(host::GetMainWindow(), CApplet::kTimerId, &due)) return;
        ++idleCalls;
        EXPECT_TRUE(host::GetGxState().suspended);
        host::AdvanceVirtualClock(500);
        host::InjectActivation(true);
    });
    RunTicks(4, [&](int tick) {
        if (tick == 1) {
            ICCore::GetInstance()->PostEvent(55, 0, 0);
            host::InjectActivation(false);
            deactivatedAt = GetTickCount();
        }
    });
    host::SetIdleHook(nullptr);
    EXPECT_EQ(idleCalls, 1);
    // The queued event and the suspend event are handled with an extra tick
    // right away, without waiting for the timer.
    EXPECT_EQ(EventsBeforeTick(2), (std::vector<std::uint32_t>{55, EVENT_SUSPEND}));
    EXPECT_EQ(g_log[g_log.size() - 1].tick, 5);
    const Entry* suspend = FindEvent(EVENT_SUSPEND);
    ASSERT_NE(suspend, nullptr);
    EXPECT_EQ(suspend->time, deactivatedAt);
    // Reactivation posts the resume event; the restarted timer ticks 48 ms
    // later.
    EXPECT_EQ(EventsBeforeTick(3), std::vector<std::uint32_t>{EVENT_RESUME});
    const Entry* resume = FindEvent(EVENT_RESUME);
    ASSERT_NE(resume, nullptr);
    EXPECT_EQ(resume->time, deactivatedAt + 500 + 48);
    EXPECT_FALSE(host::GetGxState().suspended);
}

TEST_F(Applet, ActivationWhileActivePostsRedraw) {
    RunTicks(2, [](int tick) {
        if (tick == 1) host::InjectActivation(true);
    });
    EXPECT_EQ(EventsBeforeTick(2), std::vector<std::uint32_t>{EVENT_REDRAW});
}

TEST_F(Applet, QuitFromInsideATickRunsTheWholeSequenceFirst) {
    bool returned = false;
    g_script.onTick = [&](TestApp& app) {
        if (app.Ticks() != 2) return;
        ICCore::GetInstance()->PostEvent(99, 0, 0);
        ICCore::GetInstance()->Quit(0);
        // The close event and one more (nested) tick ran before Quit returned.
        EXPECT_EQ(app.Ticks(), 3);
        returned = true;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(returned);
    EXPECT_EQ(EventsBeforeTick(3), (std::vector<std::uint32_t>{99, EVENT_CLOSE}));
    EXPECT_EQ(g_log.back().tick, 3);
    EXPECT_EQ(g_shutdowns, 1);
}

TEST_F(Applet, QuitFromAnEventHandler) {
    g_script.onEvent = [](TestApp&, const SystemEvent& e) {
        if (e.id == EVENT_START) ICCore::GetInstance()->Quit(0);
    };
    EXPECT_EQ(Run(), 0);
    // The nested flush handled the rest of the queue and the close event and
    // ticked; the outer flush then found the queue empty and ticked again.
    EXPECT_EQ(EventsBeforeTick(1), (std::vector<std::uint32_t>{EVENT_START, EVENT_REDRAW, EVENT_REDRAW, EVENT_CLOSE}));
    EXPECT_EQ(g_log.back().tick, 2);
}

TEST_F(Applet, MessagesPostTheirEventsAndSayWhetherTheyAreHandled) {
    // Each message on a fresh applet (active, timer stopped, no redraw
    // posted); what is not handled goes on to the default procedure.
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool handled;
        std::vector<std::uint32_t> events;
    };
    const LPARAM previous = LPARAM{1} << 30;
    const Case cases[] = {
        {"activate", WM_ACTIVATE, WA_ACTIVE, 0, false, {EVENT_REDRAW}},
        {"click activate", WM_ACTIVATE, WA_CLICKACTIVE, 0, false, {EVENT_REDRAW}},
        {"activate, high word set", WM_ACTIVATE, 0x10000 | WA_ACTIVE, 0, false, {EVENT_REDRAW}},
        {"deactivate", WM_ACTIVATE, WA_INACTIVE, 0, false, {EVENT_SUSPEND}},
        {"other activation state", WM_ACTIVATE, 3, 0, false, {}},
        {"set focus", WM_SETFOCUS, 0, 0, false, {}},
        {"kill focus", WM_KILLFOCUS, 0, 0, false, {}},
        {"paint", WM_PAINT, 0, 0, true, {EVENT_REDRAW}},
        {"close", WM_CLOSE, 0, 0, true, {EVENT_CLOSE}},
        {"display reset", WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0, false,
         {EVENT_DISPLAY_CHANGED, EVENT_SETTINGS_CHANGED, EVENT_REDRAW}},
        {"other setting", WM_SETTINGCHANGE, 0, 0, false, {}},
        {"reset with a high bit", WM_SETTINGCHANGE, 0x10000 | SETTINGCHANGE_RESET, 0, false, {}},
        {"window moved", WM_WINDOWPOSCHANGED, 0, 0, true, {}},
        {"key down", WM_KEYDOWN, VK_LEFT, 1, true, {EVENT_KEY_DOWN, EVENT_KEY_PRESS}},
        {"key repeat", WM_KEYDOWN, VK_LEFT, 1 | previous, true, {}},
        {"key up", WM_KEYUP, VK_LEFT, 1 | previous, true, {EVENT_KEY_UP}},
        {"key up without its previous state", WM_KEYUP, VK_LEFT, 1, true, {}},
        {"timer while stopped", WM_TIMER, 1, 0, true, {}},
        {"horizontal scroll", WM_HSCROLL, 0, 0, true, {}},
        {"vertical scroll", WM_VSCROLL, 0, 0, true, {}},
        {"move", WM_MOUSEMOVE, 0, 0, false, {EVENT_POINTER_MOVE}},
        {"middle double", WM_MBUTTONDBLCLK, 0, 0, false, {EVENT_POINTER_DOUBLE}},
        {"unknown", 0x400, 0, 0, false, {}},
    };
    for (const Case& c : cases) {
        SetUp();
        CApplet* applet = CApplet::Create(kInstance);
        ASSERT_NE(applet, nullptr);
        auto* app = new TestApp();
        CApp::SetInstance(app);
        EXPECT_EQ(applet->HandleMessage(nullptr, c.message, c.wParam, c.lParam), c.handled) << c.name;
        applet->FlushEvents();
        std::vector<std::uint32_t> ids;
        for (const Entry& e : g_log) {
            if (e.id != kTick) ids.push_back(e.id);
        }
        EXPECT_EQ(ids, c.events) << c.name;
        CApp::SetInstance(nullptr);
        delete app;
        delete applet;
    }
}

TEST_F(Applet, DisplayChangeReadsTheScreenAgain) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    RunTicks(2, [&](int tick) {
        if (tick == 1) host::RotateScreen();
        if (tick == 2) {
            width = TheApplet()->GetWidth();
            height = TheApplet()->GetHeight();
        }
    });
    EXPECT_EQ(EventsBeforeTick(2),
              (std::vector<std::uint32_t>{EVENT_DISPLAY_CHANGED, EVENT_SETTINGS_CHANGED, EVENT_REDRAW}));
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

TEST_F(Applet, ASecondStartFindsTheWindowAndEnds) {
    int secondResult = -1;
    RunTicks(1, [&](int) { secondResult = Run(); });
    EXPECT_EQ(secondResult, 0);
    EXPECT_EQ(g_created, 1);
}

TEST_F(Applet, FrameLimitClosesTheWindowAfterThatManyTimerTicks) {
    host::WindowOptions options;
    options.frameLimit = 3;
    host::ResetWindowing(options);
    // A deactivation's tick is not a frame of the timer.
    g_script.onTick = [](TestApp& app) {
        if (app.Ticks() == 1) {
            host::InjectActivation(false);
            host::InjectActivation(true);
        }
    };
    EXPECT_EQ(Run(), 0);
    int ticks = 0;
    for (const Entry& e : g_log) ticks += e.id == kTick ? 1 : 0;
    EXPECT_EQ(ticks, 5);  // three frames, the deactivation's and the close's
    EXPECT_EQ(EventsBeforeTick(5), std::vector<std::uint32_t>{EVENT_CLOSE});
}

TEST_F(Applet, StartupFailuresTearDownAndReturn1) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        int created;
        int shutdowns;
    };
    const Case cases[] = {
        {"window", [] { host::SetFault(host::Fault::CreateWindow, true); }, 0, 0},
        {"application", [] { g_script.failCreation = true; }, 0, 0},
        {"startup", [] { g_script.startupResult = 5; }, 1, 1},
        {"display", [] { host::SetFault(host::Fault::GxOpenDisplay, true); }, 1, 1},
        {"input", [] { host::SetFault(host::Fault::GxOpenInput, true); }, 1, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        c.arrange();
        EXPECT_EQ(Run(), 1) << c.name;
        EXPECT_EQ(g_created, c.created) << c.name;
        EXPECT_EQ(g_shutdowns, c.shutdowns) << c.name;
        EXPECT_EQ(g_deleted, c.created) << c.name;
        EXPECT_TRUE(g_log.empty()) << c.name;
        EXPECT_EQ(ICCore::GetInstance(), nullptr) << c.name;
        EXPECT_EQ(host::GetGxState().closeDisplayCalls, 1) << c.name;
        EXPECT_EQ(host::GetGxState().closeInputCalls, 1) << c.name;
        EXPECT_EQ(host::RegisteredClassCount(), 0) << c.name;
    }
}

TEST_F(Applet, ClassRegistrationFailureShowsTheMessage) {
    host::SetFault(host::Fault::RegisterClass, true);
    EXPECT_EQ(Run(), 1);
    const host::MessageBoxRecord* box = host::LastMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, "Error Registering wndClass");
    EXPECT_EQ(box->caption, "Game");
    EXPECT_EQ(box->type, MB_ICONERROR);
    EXPECT_EQ(g_created, 0);
}

TEST_F(Applet, WindowProcWithoutAWindowObjectUsesTheDefault) {
    EXPECT_EQ(CWinBase::GetInstance(), nullptr);
    EXPECT_EQ(WindowProc(nullptr, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(PreTranslateForward(nullptr, WM_KEYDOWN, VK_LEFT, 0), 0);
}

TEST_F(Applet, CoreCarriesThePlatformsValues) {
    int code = 0;
    bool touch = false;
    std::uint32_t classId = 0;
    RunTicks(1, [&](int) {
        code = ICCore::GetInstance()->GetPlatformCode();
        touch = ICCore::GetInstance()->HasTouchInput();
        classId = ICCore::GetInstance()->GetClassId();
    });
    EXPECT_EQ(code, 6);
    EXPECT_TRUE(touch);
    EXPECT_EQ(classId, 0x02D75845u);
}

}  // namespace
