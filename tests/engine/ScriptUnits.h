// Units for script tests, swapped into the unit table under the names of
// the units they stand in for: behaviours and visuals that log their
// calls, and f_customCodeInstruction running the test's action.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"

inline std::vector<std::string> g_unitLog;
inline std::function<void(AZ_Presenter*, std::int32_t)> g_action;

// "<letter><code id> p<presenter id>", plus " t<time>" for an update; the
// code id is the one whose range holds the slot.
inline void LogCall(char what, AZ_Presenter* presenter, std::int32_t slot, std::int32_t frameTime = -1) {
    const AZ_Manager* manager = AZ_GetManager();
    std::int32_t code = 0;
    while (slot >= manager->getSlotStart(code + 1)) ++code;
    std::string entry(1, what);
    entry.append(std::to_string(code)).append(" p").append(std::to_string(presenter->getId()));
    if (frameTime >= 0) entry.append(" t").append(std::to_string(frameTime));
    g_unitLog.push_back(entry);
}

// A behaviour or visual logging attach (A), update (U), render (R) and
// detach (D).
inline AZ_Unit LoggingUnit(std::int32_t id) {
    return AZ_Unit{AZ_GetUnit(id).name,
                   id,
                   [](AZ_Presenter* p, std::int32_t slot) { LogCall('A', p, slot); },
                   [](AZ_Presenter* p, std::int32_t slot, std::int32_t t) { LogCall('U', p, slot, t); },
                   [](AZ_Presenter* p, std::int32_t slot) { LogCall('R', p, slot); },
                   [](AZ_Presenter* p, std::int32_t slot) { LogCall('D', p, slot); },
                   nullptr,
                   0,
                   false};
}

// f_customCodeInstruction (94, one argument) calling g_action.
inline AZ_Unit ActionUnit() {
    return AZ_Unit{"f_customCodeInstruction", AZ_FIRST_INSTRUCTION, nullptr, nullptr, nullptr, nullptr,
                   [](AZ_Presenter* p, std::int32_t offset, AZ_ParamArray params) {
                       if (g_action) g_action(p, params[offset]);
                   },
                   1, false};
}

// Logging units at the given ids and the action instruction, for a scope;
// the log and the action start empty.
class ScriptUnits {
public:
    explicit ScriptUnits(std::initializer_list<std::int32_t> ids) {
        for (std::int32_t id : ids) m_saved.emplace_back(id, AZ_SwapUnit(id, LoggingUnit(id)));
        m_saved.emplace_back(AZ_FIRST_INSTRUCTION, AZ_SwapUnit(AZ_FIRST_INSTRUCTION, ActionUnit()));
        g_unitLog.clear();
        g_action = nullptr;
    }
    ~ScriptUnits() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) AZ_SwapUnit(it->first, it->second);
        g_action = nullptr;
    }
    ScriptUnits(const ScriptUnits&) = delete;
    ScriptUnits& operator=(const ScriptUnits&) = delete;

private:
    std::vector<std::pair<std::int32_t, AZ_Unit>> m_saved;
};

// Takes and clears the log.
inline std::vector<std::string> TakeLog() { return std::exchange(g_unitLog, {}); }
