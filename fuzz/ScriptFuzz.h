// The script fuzz target's body and seeds, shared with the test that
// replays them: the bytes become the script resource of an archive; the
// engine starts on it (on the headless display), spawns a character of
// every type and raises on each the events 162 to 170 and every event the
// handlers list, then runs a frame.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/CBinRes.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"
#include "tools/BigFileWriter.h"
#include "tools/ResourceWriters.h"
#include "tools/ProgramDisplay.h"
#include "tools/ScriptAssembler.h"

namespace fuzz {

constexpr std::uint32_t kScriptResource = 0x0300025D;

// b_gravity's update reads its character's b_motion and b_boundingBox
// through the checked accessors, which stop the program when the script
// left either off the character: a stop the engine makes on purpose, not a
// fault. While a script runs here, gravity's update skips such characters,
// so that fuzzing goes on past the scripts that do this.
constexpr std::int32_t kGravity = 8, kMotion = 5, kBoundingBox = 27;
inline AZ_UpdateCallback g_gravityUpdate = nullptr;

inline void GuardedGravityUpdate(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    if (presenter->findCodeSlot(kMotion) < 0 || presenter->findCodeSlot(kBoundingBox) < 0) return;
    g_gravityUpdate(presenter, codeSlot, frameTime);
}

class GravityGuard {
public:
    GravityGuard() {
        AZ_Unit unit = AZ_GetUnit(kGravity);
        g_gravityUpdate = unit.update;
        unit.update = GuardedGravityUpdate;
        m_saved = AZ_SwapUnit(kGravity, unit);
    }
    ~GravityGuard() { AZ_SwapUnit(kGravity, m_saved); }
    GravityGuard(const GravityGuard&) = delete;
    GravityGuard& operator=(const GravityGuard&) = delete;

private:
    AZ_Unit m_saved;
};

inline int FuzzScript(const std::uint8_t* data, std::size_t size) {
    const GravityGuard guard;
    vktools::BigFileWriter writer;
    writer.Add(kScriptResource & 0x7FFF, 3, vktools::MakeBlob(vktools::Bytes(data, data + size)));
    const vktools::Bytes archive = writer.Build(vktools::BigFileWriter::IdForm::List);
    if (!WriteScratch(archive.data(), archive.size())) return 0;
    CBigFileReader reader;
    CBinRes script;
    if (!reader.Open(ScratchPath().c_str()) || !script.LoadFromBigFile(&reader, kScriptResource, 1)) return 0;

    if (vktools::OpenProgramDisplay() == nullptr) return 0;  // the camera needs the back buffer
    AZ_Client client(script.GetPayload(), script.GetPayloadSize());
    AZ_Presenter_Singleton store;
    store.init(AZ__MAX_PRESENTER);
    for (std::int32_t type = 0; type < client.getData()->getNumCharacters(); ++type) {
        AZ_Presenter* presenter = store.createPresenter(type, 0, 0);
        if (presenter == nullptr) break;
        client.spawnCharacter(presenter);
    }
    const AZ_Data* tables = client.getData();
    for (std::int32_t row = 0; row < client.getNumActive(); ++row) {
        for (std::int32_t event = 162; event <= 170; ++event) client.raiseEvent(row, event);
        for (std::int32_t e = 0; e < tables->getNumEvents(); ++e) {
            client.raiseEvent(row, 162 + tables->getEventNumber(e));
        }
    }
    client.update(48);
    client.render(-128, 127);
    store.release();
    return 0;
}

inline vktools::Bytes AssembledSeed(const char* text) {
    vktools::ScriptAssembler assembler;
    vktools::Bytes payload;
    assembler.Parse(text, "seed");
    assembler.Build(payload);
    return payload;
}

inline std::vector<vktools::Bytes> ScriptSeeds() {
    std::vector<vktools::Bytes> seeds = {
        AssembledSeed("type a initial s\nstate s\non enter\n  b_drawable 5 keep\n  v_rect\n"),
        AssembledSeed(R"(event hit 164
type root initial idle
type mid base root initial walk
type leaf base mid initial run
state idle
on enter
    b_child 0 0 0
    b_motion 1 2 3
on hit
    f_changeState walk
on exit
state walk
on 165
    b_drawable 200 0
    v_sz 1 2
state run
on enter
    f_pushState idle
    b_customCodeCallback 4
on hit
    f_popState 1
)"),
    };
    // The level, option, menu, combo and text-box instructions with the
    // units they look for: a menu of items, a player, a counter and the text
    // box type 81.
    std::string text = "type ctl initial ctl|type item initial item|type player initial player|";
    for (int n = 3; n < 81; ++n) text += "type t" + std::to_string(n) + " initial item|";
    text += "type box initial box|state ctl|on enter|b_widgetSelectable 1 0|b_loader|b_playSound 1 0|"
            "f_setActiveLayer 0|f_setLayerScrollSpeed 1 512 512|on 300|f_widgetSelectItem 1 1|f_activateSelected|"
            "f_spawnInGameTextBox 1 0 1 1 0 t3 1 300 ctl 1|f_spawnInGameTextBox 2 0 0 1 500 none 0 none none 0|"
            "f_checkComboMeter|f_testHacks|f_enableSounds|f_disableSounds|f_enableVibration|f_disableVibration|"
            "f_stopSounds|f_loadLevel 0 0 0 0 255 300 -1|f_exitInterrupt 1|on 301|f_loadSelectedLevel|"
            "f_loadNextLevel|f_retryCurrentLevel|f_resetSaveData|f_unloadCurrentLevel|state item|on enter|"
            "b_textWidget 12 0|b_changeLevelStringId 10|b_counter 3|state player|on enter|b_health 5 10|"
            "b_power 0 0|b_combo 10 10 0 0 0|v_hudBar|v_combo 0 0|v_bar|v_color 1 2 3 4|v_rect|state box|on enter|"
            "b_inGameTextBox 4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 60 0|v_inGameTextBox 0 0 0";
    std::replace(text.begin(), text.end(), '|', '\n');
    seeds.push_back(AssembledSeed(text.c_str()));
    vktools::RawScript raw;
    raw.characters = {{-1, 0}, {0, 1}, {1, 2}};
    raw.states = {0, 2, 3};
    raw.events = {{0, 0}, {1, 2}, {2, 3}, {3, 5}};
    raw.calls = {{40, 0}, {162, 0}, {2, 2}, {5, 1}, {91, 0}, {-3, 0}};
    raw.parameters = {3, 0, -32767, 1, 2, 3};
    seeds.push_back(vktools::WriteRawScript(raw));
    // Every instruction, each handling an event of its own, its arguments
    // from a shared run of small values.
    vktools::RawScript each;
    each.characters = {{-1, 0}, {0, 1}};
    each.states = {0, 34};
    for (std::int16_t i = 0; i < 68; ++i) {
        each.events.push_back({static_cast<std::int16_t>(10 + i), i});
        each.calls.push_back({static_cast<std::int16_t>(94 + i), static_cast<std::int16_t>(i % 8)});
    }
    each.parameters = {1, 0, 1, 300, 2, 512, 0, 1, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1};
    seeds.push_back(vktools::WriteRawScript(each));
    raw.numCalls = 9;  // counts that lie
    seeds.push_back(vktools::WriteRawScript(raw));
    return seeds;
}

}  // namespace fuzz
