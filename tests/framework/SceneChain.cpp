#include "tests/framework/SceneChain.h"

#include <cctype>
#include <typeinfo>

#include "src/CGameApp.h"
#include "src/CRootNode.h"
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
        chain += std::to_string(machine->GetCurrentStateId()) + " " + ClassOf(machine->GetCurrentNode());
    }
    return chain;
}

CStateMachineNode* Scene(CStateMachineNode* machine, std::uint32_t state) {
    if (machine == nullptr || machine->GetCurrentStateId() != state) return nullptr;
    return dynamic_cast<CStateMachineNode*>(machine->GetCurrentNode());
}

void LoadGameSprites() {
    SZ_Home* home = CGameApp::GetSpriteHome();
    for (std::int32_t archetype = 0; archetype <= 20; ++archetype) home->QueueArchetypeCharacter(archetype, 0);
    for (std::int32_t archetype : {2, 16, 17}) {
        for (std::int32_t character : {1, 2}) home->QueueArchetypeCharacter(archetype, character);
    }
    while (home->ProcessLoadQueue(500)) {
    }
}
