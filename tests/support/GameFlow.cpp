#include "tests/support/GameFlow.h"

#include <gtest/gtest.h>

#include <cctype>
#include <typeinfo>

#include "host/Clock.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/CStateMachineNode.h"
#include "src/CTextScreen.h"
#include "src/ridaroVoz3/SZ_Home.h"

std::string ClassOf(CNode* node) {
    std::string name = typeid(*node).name();
    if (name.find("GameScreen") != std::string::npos) return "Play";
    name = name.substr(name.find_first_not_of("0123456789"));
    if (name.size() > 1 && name[0] == 'C' && std::isupper(static_cast<unsigned char>(name[1]))) name.erase(0, 1);
    for (const char* end : {"Scene", "Screen"}) {
        if (name.ends_with(end)) name.resize(name.size() - std::string(end).size());
    }
    return name;
}

CStateMachineNode* Root() { return CGameApp::GetInstance()->GetRootNode(); }

CNode* Top() {
    CNode* node = Root();
    while (auto* machine = dynamic_cast<CStateMachineNode*>(node)) {
        if (machine->GetCurrentNode() == nullptr) break;
        node = machine->GetCurrentNode();
    }
    return node;
}

std::string Chain() {
    std::string chain;
    for (auto* machine = Root(); machine != nullptr && machine->GetCurrentNode() != nullptr;
         machine = dynamic_cast<CStateMachineNode*>(machine->GetCurrentNode())) {
        if (!chain.empty()) chain += '/';
        chain.append(std::to_string(machine->GetCurrentStateId())).append(" ").append(ClassOf(machine->GetCurrentNode()));
    }
    return chain;
}

CStateMachineNode* Scene(CStateMachineNode* machine, std::uint32_t state) {
    if (machine == nullptr || machine->GetCurrentStateId() != state) return nullptr;
    return dynamic_cast<CStateMachineNode*>(machine->GetCurrentNode());
}

std::vector<std::pair<std::int32_t, std::int32_t>> GameSprites() {
    std::vector<std::pair<std::int32_t, std::int32_t>> sprites;
    for (std::int32_t archetype = 0; archetype <= 20; ++archetype) sprites.emplace_back(archetype, 0);
    for (std::int32_t archetype : {2, 16, 17}) {
        for (std::int32_t character : {1, 2}) sprites.emplace_back(archetype, character);
    }
    return sprites;
}

void LoadGameSprites() {
    SZ_Home* home = CGameApp::GetSpriteHome();
    for (const auto& [archetype, character] : GameSprites()) home->QueueArchetypeCharacter(archetype, character);
    while (home->ProcessLoadQueue(500)) {
    }
}

std::u16string TopText() {
    auto* page = dynamic_cast<CTextScreen*>(Top());
    EXPECT_NE(page, nullptr) << "no text page on top: " << Chain();
    return page != nullptr ? page->GetText() : std::u16string();
}

std::u16string Text(std::uint32_t id) {
    const char16_t* text = CGameApp::GetResMgr()->GetText(id, 0);
    std::u16string copy = text != nullptr ? text : u"";
    CGameApp::GetResMgr()->Release(id, 0);
    return copy;
}

std::uint8_t PrefsByte(const GameRun& run, int n) { return static_cast<std::uint8_t>(run.dir.Read("prefs.dat").at(n)); }

std::string SaveGame(char started, char level, char character) {
    return {started, 0, 0, 0, level, 0, 0, 0, character, 0, 0, 0};
}

void TakePage(int tick, WORD character) {
    CNode* top = Top();
    if (top->GetElapsed() < top->GetTransitionTime() || tick % 2 != 0) return;
    if (Chain() == kCharacterSelectChain) Press(character);
    Press(VK_RETURN);
}

std::vector<int> FlowRun::Walk(const std::vector<Step>& steps) {
    std::vector<int> times(steps.size(), -1);
    std::size_t at = 0;
    int closeAt = -1;
    DWORD start = 0;
    exitCode = Run([&](int tick) {
        const int now = static_cast<int>(GetTickCount() - start);
        if (tick == 0) start = GetTickCount();
        lastTick = tick;
        if (tick == closeAt) host::InjectClose();
        if (tick == 0) return;
        if (everyTick) everyTick(tick);
        if (at >= steps.size()) {
            if (after && closeAt < 0 && after()) closeAt = tick + 4;
            return;
        }
        const Step& step = steps[at];
        if (times[at] < 0 && Chain() == step.chain) {
            times[at] = now;
            if (step.check) step.check();
        }
        if (times[at] < 0) return;
        if (Chain() != step.chain) {
            ADD_FAILURE() << "left " << step.chain << " for " << Chain() << " at " << now;
            at = steps.size();
            return;
        }
        if (Top()->GetElapsed() < Top()->GetTransitionTime() || now - times[at] < step.waitMs) return;
        if (step.settled) step.settled();
        for (WORD key : step.keys) Press(key);
        if (++at == steps.size() && !after) closeAt = tick + 4;
    }, maxTicks);
    endedByItself = closeAt < 0 || lastTick < closeAt;
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_GE(times[i], 0) << "never reached: " << steps[i].chain;
    return times;
}

std::vector<Step> ToShell(std::vector<Step> more) {
    more.insert(more.begin(), {{"1 Init/3 Menu", {kEnter}}, {"1 Init/4 ZelMovie", {kEnter}},
                               {"2 Intro/1 Image", {kEnter}}, {"2 Intro/2 Image", {kEnter}}});
    return more;
}

std::vector<Step> ToMainMenu(std::vector<Step> more) {
    more.insert(more.begin(), Step{"3 Shell/11 AnimatedImage", {kEnter}});
    return ToShell(more);
}
