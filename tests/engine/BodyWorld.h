// The engine over a level for the behaviours: the sample content with an
// oggenc tone as sound 1, a map of the text form in the real adapter (its
// layer 0 active, the view opened; the level archive serves stepwise
// loads), the media player on the headless
// backend and the virtual clock. Characters are spawned by type, their
// units attached as a script call attaches them, frames run with a fixed
// frame time, and the hook recorder gives the events each one handled.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/Clock.h"
#include "host/Vibrate.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/game/MapManager.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/LevelWorld.h"
#include "tests/support/GameRun.h"
#include "tools/ArchiveBuilder.h"
#include "tools/OggTools.h"
#include "tools/ResourceIds.h"

// 40 x 8 tiles: the ground on row 6, a wall of two tiles at column 10 and
// a one-tile wall at column 30 standing on it, a ceiling over columns 20-21
// (row 3), and a plank (3 | 32) at column 25, row 5.
constexpr char kBodyMap[] = R"(
type solid 15 -
type ceiling 12 -
type plank 35 -
key x solid
key c ceiling
key = plank
layer
........................................
........................................
........................................
....................cc..................
..........x.............................
..........x..............=....x.........
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
end
)";

// Type 0 handles 286; type 1, the body, every event the units raise, and
// 299 on type 2 attaches a new 100 ms timer.
inline std::string BodyScript() {
    std::string handlers;
    for (int e : {167, 170, 177, 178, 179, 180, 210, 211, 212, 215, 238, 242, 299, 341, 345, 346, 353, 354, 362, 375}) {
        handlers += "on " + std::to_string(e) + "\n";
    }
    return "type controller initial wait\ntype body initial still\ntype retimer initial still2\n"
           "state wait\non 286\nstate still\n" + handlers + "state still2\non 299\n    b_timer 100\n";
}

struct BodyWorld : LevelWorld {
    explicit BodyWorld(std::string_view map = kBodyMap, const std::string& script = BodyScript())
        : LevelWorld(script) {
        host::SetVirtualClock(0, 0);
        vktools::Content content = SampleContent();
        static const vktools::Bytes tone = vktools::EncodeTone(800);  // 100 ms at 8 kHz
        content.resources[0x09000224] = vktools::MakeResource(tone, vktools::kTagOggSound);
        EXPECT_TRUE(Open(content));
        const vktools::Bytes bytes = MakeTestMap(map);
        AZ_Map& level = client->getAdapter()->getMap();
        EXPECT_TRUE(MapManager::parseMap(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &level));
        Camera* camera = client->getCamera();
        camera->SetBounds(level.pixelWidth, level.pixelHeight);
        camera->SetActiveLayer(0);
        camera->SetViewEnabled(true);
        host::TakeVibrationCalls();
    }
    ~BodyWorld() {
        host::ClearVirtualClock();
        host::SetVibrateResult(S_OK);
    }

    // A character of the type at (x, y) world units.
    AZ_Presenter* Make(std::int32_t type = 1, std::int32_t x = 0, std::int32_t y = 0, bool left = false) {
        AZ_Presenter* p = PresenterOfRow(Spawn(type, x, y));
        p->setFacing(left ? 1 : 0);
        return p;
    }
    // Attaches the unit with the parameters as a script call does; its slot.
    static std::int32_t Attach(AZ_Presenter* p, std::int32_t code, std::initializer_list<std::int32_t> params = {}) {
        const std::int32_t slot = p->attach(code);
        AZ_GetManager()->dispatch(AZ_MODE_ATTACH, p, code, slot, 0, 0, ScriptParams(params).View());
        return slot;
    }
    static std::int32_t Word(const AZ_Presenter* p, std::int32_t code, std::int32_t word) {
        return AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(code) + word);
    }
    // Frames of t ms: the application's key state and the engine's key
    // manager as the game runs them, the engine's update, then the clock
    // and the media player move on.
    void Step(std::int32_t t = 48, int frames = 1) {
        CKeyMgr* keys = CGameApp::GetKeyMgr();
        for (int f = 0; f < frames; ++f) {
            keys->Tick(t);
            client->getKeyManager()->update(client->getAdapter()->getKeyCharacter());
            keys->EndFrame();
            client->update(t);
            host::AdvanceVirtualClock(static_cast<std::uint32_t>(t));
            ICMediaPlayer::GetInstance()->Update(static_cast<std::uint32_t>(t));
        }
    }
    // The events the presenter's handlers took since the last call, in
    // order; the enter event left out.
    std::vector<int> Events(const AZ_Presenter* p) {
        std::vector<int> events;
        std::erase_if(hooks.calls, [&](const AZ_HookCall& call) {
            if (call.presenter != p) return false;
            if (call.hook == AZ_Hook::HandlerBegin && call.args[0] != 162) events.push_back(call.args[0]);
            return true;
        });
        return events;
    }
    // A fresh level: no characters, every presenter free.
    void Restart() {
        client->reset();
        store->reset();
        hooks.calls.clear();
    }
};
