#include "tests/support/RecordedPlay.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "src/CGameApp.h"
#include "src/CSaveGameMgr.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"
#include "tests/support/GameFlow.h"
#include "tests/support/GameRun.h"
#include "tests/support/WorldCounts.h"

Plans ReadPlans() {
    static const std::map<std::string, WORD> keys = {
        {"right", VK_RIGHT}, {"left", VK_LEFT}, {"up", VK_UP}, {"down", VK_DOWN}, {"select", VK_RETURN}};
    Plans plans;
    std::ifstream in(VK_SAMPLE_PLAY);
    EXPECT_TRUE(in.good()) << VK_SAMPLE_PLAY;
    std::vector<KeyEvent>* plan = nullptr;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string first, key, action;
        if (!(words >> first)) continue;
        if (first == "plan" && words >> key) {
            plan = &plans[key];
            continue;
        }
        KeyEvent event;
        const bool read = plan != nullptr && (words >> key >> action) && keys.contains(key) &&
                          (action == "press" || action == "down" || action == "up");
        EXPECT_TRUE(read) << line;
        if (!read) continue;
        event.frame = std::stoi(first);
        event.key = keys.at(key);
        event.action = action == "press" ? KeyEvent::Press : action == "down" ? KeyEvent::Down : KeyEvent::Up;
        plan->push_back(event);
    }
    return plans;
}

RecordedPlay::RecordedPlay(const std::map<std::int32_t, std::string>& planOfScriptLevel)
    : m_plans(ReadPlans()), m_planOf(planOfScriptLevel) {
    for (const auto& [level, name] : m_planOf) EXPECT_TRUE(m_plans.contains(name)) << name;
}

std::int32_t RecordedPlay::Tick(int tick) {
    if (Chain() != kPlayChain) {
        m_dialogue = false;
        return -1;
    }
    AZ_Client* client = AZ_Client::getInstance();
    const bool dialogue = Character(kDialogue) != nullptr;
    const bool opened = dialogue && !m_dialogue;
    m_dialogue = dialogue;
    std::int32_t started = -1;
    if (opened) {
        m_start = tick;
        // The adapter plays the first row for any saved character but 1.
        const std::int32_t row = CGameApp::GetSaveGameMgr()->GetCharacter() == 1 ? 1 : 0;
        started = AZ_LevelTable[row][client->getAdapter()->getCurrentLevel()];
        const auto plan = m_planOf.find(started);
        m_plan = plan != m_planOf.end() && m_plans.contains(plan->second) ? &m_plans.at(plan->second) : nullptr;
    }
    if (m_plan == nullptr) return started;
    for (const KeyEvent& event : *m_plan) {
        if (event.frame != tick - m_start) continue;
        if (event.action == KeyEvent::Press) Press(event.key);
        else host::InjectKey(event.key, event.action == KeyEvent::Down);
    }
    return started;
}
