// Units that wait: timers, held keys, the attach counter, sounds and
// vibrations through the headless media player, and the level loader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Vibrate.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/COptionsMgr.h"
#include "src/actionZel/AZ_Services.h"
#include "tests/engine/BodyWorld.h"

namespace {

using Events = std::vector<int>;
constexpr std::int32_t kTimer = 17, kKeyHeld = 19, kLoader = 60, kSound = 68, kVibrate = 69, kCounter = 72;

// The events and the unit's word 1 after each 32 ms update, "-" once the
// unit is gone: "68 36 4 299 -".
std::string Countdown(BodyWorld& world, AZ_Presenter* p, std::int32_t code, int updates) {
    std::string trace;
    for (int u = 0; u < updates; ++u) {
        world.Step(32);
        for (int e : world.Events(p)) trace += std::to_string(e) + " ";
        trace += p->findCodeSlot(code) == -1 ? "-" : std::to_string(BodyWorld::Word(p, code, 1));
        trace += u + 1 < updates ? " " : "";
    }
    return trace;
}

TEST(Timers, CountDownAndTellOnce) {
    const struct {
        const char* what;
        std::int32_t type, time;
        int updates;
        std::string trace;
    } cases[] = {
        {"100 ms", 1, 100, 4, "68 36 4 299 -"},
        {"none left", 1, 0, 1, "299 -"},
        {"less than none", 1, -5, 1, "299 -"},
        // The handler's new timer is a fresh one: the old one left first.
        {"attached again by its event", 2, 40, 2, "8 299 100"},
    };
    BodyWorld world;
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = world.Make(c.type);
        BodyWorld::Attach(p, kTimer, {c.time});
        EXPECT_EQ(Countdown(world, p, kTimer, c.updates), c.trace) << c.what;
    }
}

// Key 3 (the application's code 6) raises 215 and, facing right, 211 when
// pressed or held; 242 and 238 when released.
TEST(Timers, AHeldKeyOrItsRelease) {
    const struct {
        const char* what;
        int releaseAt;  // the update whose frame releases the key; 0: never pressed
        int updates;
        std::string trace;
    } cases[] = {
        {"no key down", 0, 1, "210 -"},
        {"held 500 ms", 99, 17,
         "215 211 468 436 404 372 340 308 276 244 212 180 148 116 84 52 20 215 211 - -"},
        {"released early", 3, 3, "215 211 468 436 242 238 210 -"},
    };
    BodyWorld world;
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = world.Make();
        world.client->getAdapter()->setKeyCharacter(p->getId());
        BodyWorld::Attach(p, kKeyHeld, {500});
        if (c.releaseAt != 0) keys->HandleEvent(EVENT_KEY_DOWN, 6, 0);
        std::string trace;
        for (int u = 1; u <= c.updates; ++u) {
            if (u == c.releaseAt) keys->HandleEvent(EVENT_KEY_UP, 6, 0);
            trace += Countdown(world, p, kKeyHeld, 1) + (u < c.updates ? " " : "");
        }
        EXPECT_EQ(trace, c.trace) << c.what;
        keys->HandleEvent(EVENT_KEY_UP, 6, 0);
        world.Step(32);
    }
}

TEST(Counters, CountReattachesUpToTheLimit) {
    const struct {
        std::int32_t limit;
        const char* steps;  // a: attach, u: update
        std::string trace;  // each attach's events; "+"/"-": held or gone after an update
    } cases[] = {
        {3, "aaaaua", "345 346 354 - "},
        {3, "aaau", "345 346 +"},
        {0, "au", "- "},
        {1, "aaua", "354 - "},
        {20, "aaaaaaaaaaa", "345 346 347 348 349 350 351 352 353 353 "},
    };
    BodyWorld world;
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = world.Make();
        std::string trace;
        for (const char* s = c.steps; *s != 0; ++s) {
            if (*s == 'a') BodyWorld::Attach(p, kCounter, {c.limit});
            if (*s == 'u') world.Step();
            for (int e : world.Events(p)) trace += std::to_string(e) + " ";
            if (*s == 'u') trace += p->findCodeSlot(kCounter) == -1 ? "- " : "+";
        }
        EXPECT_EQ(trace, c.trace) << c.limit << " " << c.steps;
    }
}

// Sound 1 is a 100 ms tone; frames of 48 ms.
TEST(SoundUnits, OneShotsLoopsAndSoundsThatNeverStarted) {
    enum Setup { kPlays, kOptionOff, kRefused, kMissing };
    const struct {
        const char* what;
        Setup setup;
        std::int32_t sound, loop;
        int updates;
        std::string trace;  // per update: the events, "+" while attached
    } cases[] = {
        {"a one-shot ends once played out", kPlays, 1, 0, 4, "+ + + 362"},
        {"a loop starts again", kPlays, 1, 1, 4, "+ + + +"},
        {"option off at the attach", kOptionOff, 1, 0, 1, "362"},
        {"refused by the player", kRefused, 1, 0, 1, "362"},
        {"no such sound", kMissing, 5, 0, 1, "362"},
        {"no such sound, looping", kMissing, 5, 1, 2, "+ +"},
    };
    BodyWorld world;
    AZ_Adapter* adapter = world.client->getAdapter();
    ICMediaPlayer* player = ICMediaPlayer::GetInstance();
    for (const auto& c : cases) {
        world.Restart();
        adapter->stopAllSounds();
        AZ_Presenter* other = world.Make();
        AZ_Presenter* p = world.Make();
        // Another character's loop, which no ending of this one stops.
        BodyWorld::Attach(other, kSound, {1, 1});
        if (c.setup == kOptionOff) CGameApp::GetOptionsMgr()->SetSoundOn(0);
        if (c.setup == kRefused) player->SetSoundEnabled(0);
        BodyWorld::Attach(p, kSound, {c.sound, c.loop});
        const std::int32_t first = BodyWorld::Word(p, kSound, 3);
        CGameApp::GetOptionsMgr()->SetSoundOn(1);
        if (c.setup == kRefused) {
            player->SetSoundEnabled(1);
            BodyWorld::Attach(other, kSound, {1, 1});
        }
        EXPECT_EQ(first > 0, c.setup == kPlays) << c.what;
        std::string trace;
        for (int u = 0; u < c.updates; ++u) {
            world.Step();
            for (int e : world.Events(p)) trace += std::to_string(e);
            if (p->findCodeSlot(kSound) != -1) trace += "+";
            trace += u + 1 < c.updates ? " " : "";
            // The other loop's 100 ms tone plays on past the first update.
            EXPECT_TRUE(u > 0 || adapter->isSoundPlaying(BodyWorld::Word(other, kSound, 3))) << c.what;
        }
        EXPECT_EQ(trace, c.trace) << c.what;
        EXPECT_TRUE(c.setup != kPlays || c.loop == 0 || BodyWorld::Word(p, kSound, 3) > first) << c.what;
        // Detaching a loop stops its sound only.
        const std::int32_t handle = p->findCodeSlot(kSound) != -1 ? BodyWorld::Word(p, kSound, 3) : 0;
        BodyWorld::Attach(other, kSound, {1, 1});
        p->detach(kSound);
        EXPECT_FALSE(handle > 0 && adapter->isSoundPlaying(handle)) << c.what;
        EXPECT_TRUE(adapter->isSoundPlaying(BodyWorld::Word(other, kSound, 3))) << c.what;
    }
}

TEST(SoundUnits, VibrationsRunTheirTimeAndOutliveAnEarlyDetach) {
    const struct {
        const char* what;
        bool optionOn;
        HRESULT device;
        bool detachAtOnce;
        int updates;  // until the unit is gone
        std::vector<bool> calls;  // starts (true) and stops (false) seen
    } cases[] = {
        {"runs 200 ms, stopped by the player", true, S_OK, false, 6, {true, false}},
        {"detached early: the vibration goes on", true, S_OK, true, 0, {true}},
        {"the device fails", true, E_FAIL, false, 1, {true}},
        {"option off", false, S_OK, false, 1, {}},
    };
    BodyWorld world;
    for (const auto& c : cases) {
        world.Restart();
        CGameApp::GetOptionsMgr()->SetVibrationOn(c.optionOn ? 1 : 0);
        host::SetVibrateResult(c.device);
        AZ_Presenter* p = world.Make();
        BodyWorld::Attach(p, kVibrate, {0, 200});
        if (c.detachAtOnce) p->detach(kVibrate);
        int updates = 0;
        while (p->findCodeSlot(kVibrate) != -1 && updates < 10) {
            world.Step();
            ++updates;
        }
        EXPECT_EQ(updates, c.updates) << c.what;
        std::vector<bool> calls;
        for (const host::VibrationCall& call : host::TakeVibrationCalls()) calls.push_back(call.start);
        EXPECT_EQ(calls, c.calls) << c.what;
        ICMediaPlayer::GetInstance()->StopVibrate(0);
        host::TakeVibrationCalls();
    }
    CGameApp::GetOptionsMgr()->SetVibrationOn(1);
}

// The loader on a body, the level's parts missing from the archive: one
// update counts four steps, four run them, the next finishes.
TEST(Loader, RunsTheStepsThenOpensTheViewAndTells) {
    for (const bool controller : {true, false}) {
        BodyWorld world;
        AZ_Adapter* adapter = world.client->getAdapter();
        AZ_Presenter* control = controller ? world.Make(0) : nullptr;
        AZ_Presenter* p = world.Make();
        BodyWorld::Attach(p, kLoader);
        adapter->setPendingLevel(0, 0, 0);
        CGameApp::GetKeyMgr()->SetPointerFlags(CKeyMgr::kPointerDown);
        std::string trace;
        for (int u = 0; u < 6; ++u) {
            world.Step();
            trace.append(std::to_string(adapter->getLoadStep()));
            if (world.client->getCamera()->IsViewEnabled()) trace.append("v");
            for (int e : world.Events(p)) trace.append(" ").append(std::to_string(e));
            if (control != nullptr) {
                for (int e : world.Events(control)) trace.append(" c").append(std::to_string(e));
            }
            if (p->findCodeSlot(kLoader) != -1) {
                trace.append(" total ").append(std::to_string(BodyWorld::Word(p, kLoader, 1))).append(", ");
            }
        }
        // The view was open, the map's set-up closed it; the end opens it.
        EXPECT_EQ(trace, std::string("0v total 4, 1v total 4, 2 total 4, 3 total 4, 4 total 4, 4v 341") +
                             (controller ? " c286" : ""))
            << controller;
        EXPECT_EQ(CGameApp::GetKeyMgr()->GetPointerFlags(), 0u);
        // A loader with nothing to load waits, telling nothing.
        BodyWorld::Attach(p, kLoader);
        world.Step(48, 3);
        EXPECT_EQ(std::pair(BodyWorld::Word(p, kLoader, 1), BodyWorld::Word(p, kLoader, 3)), std::pair(0, 0));
        EXPECT_EQ(world.Events(p), Events{});
    }
}

}  // namespace
