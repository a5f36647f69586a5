// Characters that an event's handler destroys while code that raised the
// event, or runs around it, still holds them: the code goes on with the
// steps that are still safe, and a character that takes the presenter at
// once is a new one, which gets none of what was meant for the old.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "src/CAdapterServices.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
#include "tests/engine/GameUnitWorld.h"
#include "tests/engine/LevelWorld.h"
#include "tests/engine/ScriptUnits.h"
#include "tests/support/GameRun.h"
#include "tools/ArchiveBuilder.h"
#include "tools/EntityListWriter.h"
#include "tools/ScriptAssembler.h"

namespace {

// The sample game's script, its level 0 with a walker placed at pixel
// (150, 200), above the ground (top y = 264): its action bubble wakes it,
// it falls and lands, and its landing handler attaches its walk's gravity
// again. The landing stops its fall, so it stands on the ground and walks
// on the way it faces.
TEST(CharacterLoss, AWalkerThatLandsWalksOnTheWayItFaces) {
    vktools::ScriptAssembler assembler;
    vktools::Bytes script;
    ASSERT_TRUE(assembler.ParseFile(VK_CONTENT_DIR "/scripts/characters.script") && assembler.Build(script))
        << assembler.Error();
    const std::int32_t walker = static_cast<std::int32_t>(assembler.TypeNumber("walker"));
    ScriptWorld world(script);
    vktools::Content content = SampleContent();
    content.resources[AZ_ENTITY_LIST_RESOURCE] = vktools::MakeResource(vktools::MakeEntityList({{walker, 150, 200}}));
    ASSERT_TRUE(world.Open(content, {{0, 0}}));
    CAdapterServices services;
    AZ_Client* client = world.client;
    client->getAdapter()->setServices(&services);
    client->getAdapter()->loadLevel(0, 0, 0);
    Camera* camera = client->getCamera();
    camera->SetActiveLayer(1);
    camera->SetViewEnabled(true);
    camera->SetSnap(true);
    camera->LookAtPixels(150, 200, 0);
    camera->UpdateScroll(0);
    ASSERT_EQ(client->getNumActive(), 1);
    AZ_Presenter* w = world.PresenterOfRow(0);
    w->setUpdateEnabled(true);
    w->setRenderEnabled(true);
    const std::int32_t ground = 264 * 1024 / 24 - 42;
    std::int32_t landed = -1;
    for (int frame = 0; frame < 40; ++frame) {
        world.Tick();
        if (landed == -1 && w->getY() == ground) landed = frame;
    }
    ASSERT_NE(landed, -1);
    EXPECT_EQ(w->getY(), ground);
    EXPECT_EQ(w->getFacing(), 0);
    EXPECT_GT(w->getX(), 150 * 1024 / 24);
    // Still walking: its velocity holds the walk's speed and no fall.
    const std::int32_t motion = w->findCodeSlot(5);
    ASSERT_NE(motion, -1);
    EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(motion + 1), 512);
    EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(motion + 2), 0);
}

// Types: 0 the controller, which loads level 0 on its start, logs the
// loader's 286 and, when the case asks, replaces itself on 287; 1 and 2,
// the newcomers, log every event but their entry and hold b_rotation (and
// b_szRotatable); 3 to 14, and 81 the dialogue, replace themselves (or
// another) by a newcomer at some moment or carry the case's other steps.
// "f_customCodeInstruction 1000 + t" replaces the character whose handler
// runs by one of type t on the same presenter.
std::string Script() {
    std::string logged;
    for (int e = 163; e <= 420; ++e) {
        logged += "on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e) + " | ";
    }
    return "type controller initial control | type fresh initial fresh | type fresh_pair initial fresh_pair | "
           "type attacher initial attach | type quitter initial quit | type ender initial end | "
           "type timed initial timed | type stacked initial s_base | type deep initial d_base | "
           "type caller initial caller | type loading initial loading | type hearer initial hear | "
           "type hearer2 base hearer initial hear2 | type selector initial select | "
           "type runner initial run | " +
           FillerTypes(15, 81) +
           "type box initial quit | "
           "state control | on 286 | f_customCodeInstruction 286 | on 261 | f_loadLevel 0 0 0 0 0 0 0 | "
           "on 287 | f_customCodeInstruction 3 | "
           "state fresh | on enter | b_rotation 0 0 | " + logged +
           "state fresh_pair | on enter | b_rotation 0 0 | b_szRotatable 0 | "
           "state attach | on 300 | f_customCodeInstruction 1001 | b_szRotatable 0 | "
           "state quit | on enter | f_customCodeInstruction 1001 | "
           "state end | on enter | b_timer 0 | on 299 | f_customCodeInstruction 1001 | "
           "state timed | on enter | b_timer 10 | on 299 | f_customCodeInstruction 1002 | "
           "state s_base | on enter | f_pushState s_top | on 300 | f_changeState s_other | "
           "state s_top | on exit | f_customCodeInstruction 1001 | "
           "state s_other | on enter | f_customCodeInstruction 999 | "
           "state d_base | on enter | f_pushState d_top | "
           "on 300 | f_generateEvent 301 | f_customCodeInstruction 2 | on 301 | f_customCodeInstruction 1001 | "
           "state d_top | "
           "state caller | on 300 | f_spawnCharacterRelative quitter 0 0 0 1 0 0 1 301 | "
           "on 301 | f_spawnInGameTextBox 1 0 0 0 500 none 0 none none 0 | "
           "state loading | on enter | b_loader | on 341 | f_customCodeInstruction 1001 | "
           "state hear | on 302 | f_customCodeInstruction 1012 | "
           "state hear2 | on 302 | f_customCodeInstruction 302 | "
           "state select | on enter | b_widgetSelectable 13 0 | "
           "state run | on enter | b_timer 10 | on 299 | f_retryCurrentLevel | "
           "state idle\n";
}

constexpr std::int32_t kFresh = 1, kAttacher = 3, kQuitter = 4, kEnder = 5, kTimed = 6, kStacked = 7, kDeep = 8,
                       kCaller = 9, kLoading = 10, kHearer = 11, kSelector = 13, kRunner = 14;

// The level world over an archive with level 0 (a ground row), whose
// entity list the case gives; g_action replaces characters and logs the
// events the newcomers hear as "<event> p<presenter id>", the handler
// depth asked for as "depth <d>".
struct Loss : LevelWorld {
    Loss() : LevelWorld(Lines(Script())) {
        archive.Add(AZ_MAP_RESOURCE,
                    MakeTestMap("type ground 15 0\nkey g ground\nlayer\n..........\n..........\ngggggggggg\nend\n"));
        g_action = [this](AZ_Presenter* p, std::int32_t value) {
            if (value == 3 && replaceController) value = 1000 + kFresh;
            if (value > 1000) {
                const std::int32_t x = p->getX(), y = p->getY();
                client->destroyCharacter(client->getActiveIndex(p->getId()));
                AZ_Presenter* newcomer = store->createPresenter(value - 1000, x, y);
                EXPECT_EQ(newcomer, p);
                Note("new p" + std::to_string(p->getId()));
                client->spawnCharacter(newcomer);
            } else if (value == 2) {
                Note("depth " + std::to_string(client->getHandlerDepth(client->getActiveIndex(p->getId()))));
            } else {
                Note(std::to_string(value) + " p" + std::to_string(p->getId()));
            }
        };
    }
    void Note(const std::string& entry) { trace.append(trace.empty() ? "" : ", ").append(entry); }
    AZ_Presenter* Make(std::int32_t type) { return PresenterOfRow(Spawn(type)); }
    static bool Holds(std::int32_t id, std::int32_t code) {
        return AZ_Presenter::getPresenter(id)->findCodeSlot(code) != -1;
    }
    // The event sent to a character of the type made for it: the unit log.
    std::string Send(std::int32_t type, std::int32_t event) {
        client->sendEvent(Make(type)->getId(), event);
        return Units();
    }
    // Level 0 loaded with one character of the type: the unit log, and
    // whether presenter 0 is left running or paused.
    std::string Place(std::int32_t type) {
        archive.Add(AZ_ENTITY_LIST_RESOURCE, vktools::MakeEntityList({{type, 2, 2}}));
        Adapter()->loadLevel(0, 0, 0);
        const AZ_Presenter* p = AZ_Presenter::getPresenter(0);
        return Units() + (p->isUpdateEnabled() && p->isRenderEnabled() ? " running" : " paused");
    }
    // The unit log, its entries joined.
    static std::string Units() {
        std::string joined;
        for (const std::string& entry : TakeLog()) joined.append(joined.empty() ? "" : ", ").append(entry);
        return joined;
    }

    ScriptUnits units{11, 13};
    std::string trace;
    // Whether the controller's level event (287) replaces it.
    bool replaceController = false;
};

// What was meant for a destroyed character goes neither to a new one that
// took its presenter at once nor, for the rest of the handler, to that
// new one's record; each case gives the events the newcomer heard and
// what its units saw.
TEST(CharacterLoss, ANewCharacterOnTheSamePresenterGetsNothingMeantForTheOld) {
    const struct {
        const char* what;
        std::function<std::string(Loss&)> run;
        const char* trace;
    } cases[] = {
        {"the rest of the handler's attaches", [](Loss& w) { return w.Send(kAttacher, 300); }, "new p0 | A11 p0"},
        {"a spawn whose entry handler replaced it, placed by the level",
         [](Loss& w) { return w.Place(kQuitter); }, "new p0 | A11 p0 running"},
        {"a placed character replaced at its first update",
         [](Loss& w) { return w.Place(kEnder); }, "new p0 | A11 p0 running"},
        {"the rest of the update pass",
         [](Loss& w) {
             w.Make(kTimed);
             w.Tick();
             return w.Units();
         },
         "new p0 | A11 p0, A13 p0"},
        {"the states left above the handler's",
         [](Loss& w) {
             const AZ_Presenter* p = w.Make(kStacked);
             w.client->sendEvent(p->getId(), 300);
             return w.Units() + " states " + std::to_string(w.Stack(w.client->getActiveIndex(p->getId())).size());
         },
         "new p0 | A11 p0 states 1"},
        {"the handler depth given back", [](Loss& w) { return w.Send(kDeep, 300); }, "new p0, depth 0 | A11 p0"},
        {"a relative spawn's link and event",
         [](Loss& w) { return w.Send(kCaller, 300) + (w.Holds(1, 2) ? " child" : ""); },
         "new p1 | A11 p1"},
        {"the dialogue's timer and words",
         [](Loss& w) { return w.Send(kCaller, 301) + (w.Holds(1, 17) ? " timer" : ""); },
         "new p1 | A11 p1"},
        {"the level's events after the first",
         [](Loss& w) {
             w.replaceController = true;
             w.Adapter()->startLevel(0);
             return w.Units();
         },
         "new p0 | A11 p0"},
        {"the loader's event to the controller",
         [](Loss& w) {
             w.Make(0);
             w.archive.Add(AZ_ENTITY_LIST_RESOURCE, vktools::MakeEntityList({}));
             w.Make(kLoading);
             w.Adapter()->setPendingLevel(0, 0, 0);
             for (int frame = 0; frame < 8 && w.trace.empty(); ++frame) w.Tick();
             return w.Units();
         },
         "new p1 | A11 p1"},
        // A broadcast reaches every character of the type, one that took
        // the presenter of one that heard it too.
        {"a broadcast",
         [](Loss& w) {
             w.Make(kHearer);
             AZ_BroadcastEventToType(302 - 162, kHearer);
             return w.Units();
         },
         "new p0, 302 p0"},
    };
    for (const auto& c : cases) {
        Loss world;
        const std::string units = c.run(world);
        EXPECT_EQ(world.trace + (units.empty() ? "" : " | " + units), c.trace) << c.what;
    }
}

// A character that an event resets the world under, while its update
// runs, leaves its presenter to a character the level places: that one is
// updated once at its placement like any other.
TEST(CharacterLoss, ALevelStartedAgainDuringAnUpdatePlacesItsCharactersUpdated) {
    Loss world;
    world.archive.Add(AZ_ENTITY_LIST_RESOURCE, vktools::MakeEntityList({{kSelector, 2, 2}, {kSelector, 4, 2}}));
    world.Adapter()->startLevel(0);
    ASSERT_EQ(world.client->getNumActive(), 3);
    // The first selector (presenter 1) gives way to a runner, whose timer
    // starts the level again.
    world.client->destroyCharacter(1);
    ASSERT_EQ(world.store->createPresenter(kRunner, 0, 0)->getId(), 1);
    world.client->spawnCharacter(AZ_Presenter::getPresenter(1));
    world.Tick();
    const AZ_Presenter* placed = AZ_Presenter::getPresenter(1);
    ASSERT_EQ(placed->getCharacterType(), kSelector);
    EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(placed->findCodeSlot(65) + 3), 1);
}

}  // namespace
