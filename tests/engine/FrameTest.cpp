// The engine's frame: the update pass (parents first, each presenter once),
// the draw order and its bands, the custom-code hooks, and interrupts,
// which stop the world, post their event once and draw the view black.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/DDraw.h"
#include "host/Window.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/ScriptUnits.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/ScriptWorld.h"

namespace {

using Strings = std::vector<std::string>;

// Type n (0-5) draws with the priority in its name; `child` has b_child,
// `watched` b_customCodeCallback (callback id 9) and b_tileCollidable
// (interval 128). b_motion (5), b_tileCollidable (7), b_gravity (8) and
// v_rect (91) log.
constexpr char kScript[] = R"(
type p3 initial s3
type p_100 initial s_100
type p50 initial s50
type p200 initial s200
type plain initial s_plain
type child initial s_child
type watched initial s_watched
state s3
on enter
    b_drawable 3 0
    v_rect
state s_100
on enter
    b_drawable -100 0
    v_rect
state s50
on enter
    b_drawable 50 0
    v_rect
state s200
on enter
    b_drawable 200 0
    v_rect
state s_plain
on enter
    b_motion 0 0 0
    v_rect
state s_child
on enter
    b_child 0 0 0
    b_motion 0 0 0
state s_watched
on enter
    b_customCodeCallback 9
    b_tileCollidable 0 0
)";

enum Type { kP3, kP100, kP50, kP200, kPlain, kChild, kWatched };

struct FrameTest : ::testing::Test {
    ScriptUnits units{5, 7, 8, 91};
    ScriptWorld world{kScript};
    AZ_Client& client = *world.client;

    // A child whose parent word is set after the spawn.
    std::int32_t Child(std::int32_t parent) {
        const std::int32_t row = world.Spawn(kChild);
        AZ_Presenter_Singleton::setCodeSlotValue(world.PresenterOfRow(row)->findCodeSlot(2) + 4, parent);
        return row;
    }
    Strings Frame(std::int32_t frameTime = 48) {
        TakeLog();
        world.Tick(frameTime);
        return TakeLog();
    }
};

TEST_F(FrameTest, ParentsAreUpdatedBeforeTheirChildrenOnce) {
    const struct {
        const char* what;
        std::vector<std::int32_t> parents;  // of presenters 0, 1, ...; -1 a plain character
        Strings updates;
        const char* line;
        std::int32_t user = 0;  // the user character's presenter
    } cases[] = {
        {"higher parent", {2, -1, -1}, {"U5 p2 t48", "U5 p0 t48", "U5 p1 t48"}, ""},
        {"chain", {1, 2, 3, -1}, {"U5 p3 t48", "U5 p2 t48", "U5 p1 t48", "U5 p0 t48"}, ""},
        {"loop", {1, 0}, {"U5 p1 t48", "U5 p0 t48"}, ""},
        {"anchored to the view, the user character waiting", {1, -2}, {"U5 p1 t48", "U5 p0 t48"}, ""},
        {"anchored to the camera", {-1, -3, -3}, {"U5 p0 t48", "U5 p1 t48", "U5 p2 t48"}, ""},
        {"another id below -1: no anchor, the user character not first", {-4, -1}, {"U5 p0 t48", "U5 p1 t48"},
         "[ AZ ][ ERROR ] - AZ_Presenter Invalid az presenter Id\n", 1},
        {"the view's anchor waits for the user character", {-2, -1}, {"U5 p1 t48", "U5 p0 t48"}, "", 1},
        {"own parent", {0}, {"U5 p0 t48"},
         "[ AZ ][ ERROR ] - Parent and child are the same for presenter 0 with character id 5\n"},
        {"parent past the pool (b_child looks its character up too)", {150}, {"U5 p0 t48"},
         "[ AZ ][ ERROR ] - AZ_Presenter : Invalid Id in getPresenter\n"
         "[ AZ ][ ERROR ] - AZ_Presenter Invalid az presenter Id\n"},
    };
    for (const auto& c : cases) {
        client.reset();
        world.store->reset();
        client.getAdapter()->setUserCharacter(c.user);
        for (std::int32_t parent : c.parents) {
            if (parent == -1) world.Spawn(kPlain);
            else Child(parent);
        }
        DebugCapture capture;
        Strings updates = Frame();
        updates.erase(std::remove_if(updates.begin(), updates.end(), [](const std::string& e) { return e[0] != 'U'; }),
                      updates.end());
        EXPECT_EQ(updates, c.updates) << c.what;
        EXPECT_EQ(capture.Text(), c.line) << c.what;
    }
}

TEST_F(FrameTest, CharactersAreDrawnByPriorityInTheirBands) {
    for (Type type : {kP50, kP3, kP200, kP100, kPlain, kP50}) world.Spawn(type);
    Strings draws = Frame();
    EXPECT_EQ(draws, (Strings{"U5 p4 t48", "R91 p4", "R91 p0", "R91 p5", "R91 p1"}));
    // 200 is the signed byte -56: listed (a parallax layer's band) but in
    // neither of the game's bands; -100 is never listed.
    std::vector<std::int32_t> order;
    for (std::int32_t i = 0; i < client.getDrawOrderCount(); ++i) order.push_back(client.getDrawOrderEntry(i));
    EXPECT_EQ(order, (std::vector<std::int32_t>{4, 0, 5, 1, 2}));
    EXPECT_EQ(client.getDrawPriority(2), -56);
}

TEST_F(FrameTest, PresentersWithoutARowOrFlagsAreHandledByTheirFlags) {
    for (int i = 0; i < 3; ++i) world.Spawn(kPlain);
    client.releaseRow(0);                        // presenter 0: updated, not drawn
    world.PresenterOfRow(0)->setFrozen(true);    // presenter 1: neither
    world.PresenterOfRow(1)->setUpdateEnabled(false);  // presenter 2: drawn only
    EXPECT_EQ(Frame(), (Strings{"U5 p0 t48", "R91 p2"}));
    EXPECT_TRUE(AZ_Presenter::getPresenter(0)->isProcessed());
    EXPECT_TRUE(AZ_Presenter::getPresenter(2)->isRendered());
    EXPECT_FALSE(AZ_Presenter::getPresenter(1)->isRendered());
}

TEST_F(FrameTest, ABehaviourDetachingItselfSkipsTheEntryBelow) {
    const auto nothing = [](AZ_Presenter*, std::int32_t) {};
    ScopedUnit selfDetaching(12, AZ_Unit{"b_szAnimatable", 12, nothing,
                                         [](AZ_Presenter* p, std::int32_t, std::int32_t) {
                                             g_unitLog.push_back("U12");
                                             p->detach(12);
                                         },
                                         nullptr, nothing, nullptr, 0, false});
    world.Spawn(kPlain);
    AZ_Presenter* p = world.PresenterOfRow(0);
    p->attach(8);
    p->attach(12);
    EXPECT_EQ(Frame(), (Strings{"U12", "U5 p0 t48", "R91 p0"}));  // 8, just below 12, is passed over
    EXPECT_EQ(Frame(), (Strings{"U8 p0 t48", "U5 p0 t48", "R91 p0"}));
}

TEST_F(FrameTest, TheUpdateHooksGetTheFrameTimeBeforeThrottling) {
    world.Spawn(kWatched);
    const std::int32_t slot = world.PresenterOfRow(0)->findCodeSlot(7);
    world.hooks.calls.clear();
    Strings runs;
    for (int f = 0; f < 4; ++f) {
        for (const std::string& e : Frame()) runs.push_back(e);
    }
    EXPECT_EQ(runs, (Strings{"U7 p0 t128"}));  // 48, 96, 144: runs once with its interval
    const std::string pre = "PreUpdate 0 9 7 " + std::to_string(slot) + " 48";
    const Strings hooks = world.hooks.Of({AZ_Hook::PreUpdate, AZ_Hook::PostUpdate});
    EXPECT_EQ(std::count(hooks.begin(), hooks.end(), pre), 4);
    EXPECT_EQ(hooks.size(), 16u);  // b_customCodeCallback's own update is bracketed too
}

// On RGB 565 and on XRGB 8888, where a black off by a low bit shows (the
// pixels' colour bits are compared).
TEST_F(FrameTest, AnInterruptPostsItsEventOnceAndHoldsTheWorld) {
    const struct {
        std::int32_t code;
        std::vector<std::uint32_t> events;
        host::DisplayFormat display = host::kDisplayRgb565;
    } cases[] = {
        {1, {EVENT_GAME_INTERRUPT_1}}, {3, {EVENT_GAME_INTERRUPT_3}}, {4, {EVENT_GAME_INTERRUPT_4}}, {2, {}}, {5, {}},
        {1, {EVENT_GAME_INTERRUPT_1}, host::kDisplayXrgb8888}, {5, {}, host::kDisplayXrgb8888},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.display.bitCount);
        world.UseDisplay(c.display);
        const std::uint32_t colour = c.display.redMask | c.display.greenMask | c.display.blueMask;
        client.reset();
        world.store->reset();
        world.appEvents.clear();
        world.Spawn(kPlain);
        world.Fill(0xFFFFFF);
        EXPECT_EQ(Frame(), (Strings{"U5 p0 t48", "R91 p0"}));
        EXPECT_EQ(world.Pixel(100, 100) & colour, colour);  // the placeholder visual draws nothing
        client.setInterrupt(c.code);
        world.hooks.calls.clear();
        for (int f = 0; f < 50; ++f) EXPECT_EQ(Frame(), Strings{}) << c.code;
        EXPECT_EQ(world.appEvents, c.events) << c.code;
        EXPECT_EQ(client.getInterrupt(), c.events.empty() ? c.code : 2);
        for (const auto& [x, y] : {std::pair{0, 0}, {239, 319}, {120, 160}}) EXPECT_EQ(world.Pixel(x, y) & colour, 0u);
        const std::string held = std::to_string(c.events.empty() ? c.code : 2);
        const Strings first(world.hooks.Of({AZ_Hook::Interrupt, AZ_Hook::PostInterruptUpdate, AZ_Hook::RenderInterrupt,
                                            AZ_Hook::PostRenderInterrupt}));
        EXPECT_EQ(Strings(first.begin(), first.begin() + 6),
                  (Strings{"Interrupt " + std::to_string(c.code), "PostInterruptUpdate " + held + " 48",
                           "RenderInterrupt " + held, "PostRenderInterrupt " + held, "RenderInterrupt " + held,
                           "PostRenderInterrupt " + held}));
    }
    // The draw order is still rebuilt while the world is held.
    world.Spawn(kP50);
    Frame();
    EXPECT_EQ(client.getDrawOrderCount(), 2);
    client.reset();
    EXPECT_EQ(client.getInterrupt(), -1);
}

TEST_F(FrameTest, LengthsScaleFromTheReferenceScreen) {
    EXPECT_EQ(AZ_ScaleX(240), 240);
    EXPECT_EQ(AZ_ScaleY(-320), -320);
    host::ResetWindowing(host::WindowOptions{.screenWidth = 320, .screenHeight = 400});
    ASSERT_TRUE(ICGraphics2d::GetInstance()->Init());  // a back buffer of 160 x 200
    const struct {
        std::int32_t length, x, y;
    } cases[] = {{240, 160, 150}, {7, 4, 4}, {-7, -4, -4}, {1, 0, 0}, {100000000, 66666666, 62500000}};
    for (const auto& c : cases) {
        EXPECT_EQ(AZ_ScaleX(c.length), c.x) << c.length;
        EXPECT_EQ(AZ_ScaleY(c.length), c.y) << c.length;
    }
}

}  // namespace

namespace {

// A controller that, on each ping, spawns a walker, destroys the oldest
// once there are eight, and changes and pushes states; walkers attach a
// behaviour and a visual on entering and change state on a pong.
constexpr char kBusyScript[] = R"(
event ping 300
event pong 301
type controller initial run
type walker initial walk
state run
on ping
    f_customCodeInstruction 1
state walk
on enter
    b_drawable 20 0
    b_boundingBox 512 512 0
    b_motion 5 0 0
    v_rect
on pong
    f_customCodeInstruction 2
    b_gravity 1 keep
state turn
on enter
    b_timer 100
on exit
    f_detachBehavior b_timer
)";

TEST(EngineFrame, ManyFramesAllocateNothing) {
    ScriptUnits units{};
    ScriptWorld world(kBusyScript);
    AZ_Client& client = *world.client;
    g_action = [&client, &world](AZ_Presenter* p, std::int32_t n) {
        if (n == 1) {
            client.spawnCharacter(world.store->createPresenter(1, 0, 0));
            if (client.getNumActive() > 8) client.destroyCharacter(1);
            return;
        }
        const std::int32_t row = client.getActiveIndex(p->getId());
        client.exitState(row);
        client.setTopState(row, 2);
        client.enterState(row);
        client.pushState(row, 1);
        client.popState(row);
    };
    world.Spawn(0);
    const auto frame = [&] {
        client.raiseEvent(0, 300);
        for (std::int32_t row = 1; row < client.getNumActive(); row += 2) client.raiseEvent(row, 301);
        client.update(48);
        client.render(4, 100);
        client.render(0, 3);
    };
    for (int f = 0; f < 10; ++f) frame();  // everything the frame reaches is set up
    AZ_SetHookListener(nullptr);           // the recorder's list grows
    const std::size_t before = AllocationCount();
    for (int f = 0; f < 100; ++f) frame();
    EXPECT_EQ(AllocationCount(), before);
    EXPECT_EQ(client.getNumActive(), 8);
}

}  // namespace
