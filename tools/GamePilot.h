// Scripted input for runs of the whole game: keys chosen by the chain of
// scenes and screens on top, so that a run walks the flow (sound question,
// splash movie, loading, intro pictures, title), visits the main menu's
// options, help and about pages, starts a new game with the chosen
// character and plays: it pages the opening dialogue, walks, jumps and takes
// what lies in reach, answers the retry question and goes on to the next
// level. A screen that is still on top two seconds after its keys gets them
// again, so a run whose content misbehaves goes on wherever it can.
#pragma once

#include <string>
#include <vector>

#include "host/Window.h"
#include "src/CGameApp.h"
#include "src/CGameScene.h"
#include "src/CInitScene.h"
#include "src/CRootNode.h"
#include "src/CShellScene.h"

namespace vktools {

// A key pressed and released (a virtual key of the phone).
inline void Press(WORD key) {
    host::InjectKey(key, true);
    host::InjectKey(key, false);
}

class GamePilot {
public:
    // character: the arrow that chooses it on the character selection
    // (VK_LEFT for the first, VK_RIGHT for the second).
    explicit GamePilot(WORD character) : m_character(character) {}

    // The root node's scenes.
    static constexpr std::uint32_t kStartUpScene = 1, kShellScene = 3;

    // The chain of the state ids, as StateChain gives it.
    static std::string Chain(std::initializer_list<std::uint32_t> ids) {
        std::string chain;
        for (const std::uint32_t id : ids) {
            if (!chain.empty()) chain += '/';
            chain += std::to_string(id);
        }
        return chain;
    }

    // "3/10/2": the state ids from the root node down to the top screen.
    static std::string StateChain(CNode** top = nullptr) {
        std::string chain;
        CStateMachineNode* machine = CGameApp::GetInstance() != nullptr ? CGameApp::GetInstance()->GetRootNode() : nullptr;
        CNode* node = machine;
        while (machine != nullptr && machine->GetCurrentNode() != nullptr) {
            if (!chain.empty()) chain += '/';
            chain += std::to_string(machine->GetCurrentStateId());
            node = machine->GetCurrentNode();
            machine = dynamic_cast<CStateMachineNode*>(node);
        }
        if (top != nullptr) *top = node;
        return chain;
    }

    // Whether the game screen is on top.
    bool IsPlaying() const { return m_chain == kPlay; }

    // Called once a frame with the virtual time in ms.
    void Step(std::uint32_t now) {
        CNode* top = nullptr;
        const std::string chain = StateChain(&top);
        if (top != m_node || chain != m_chain) {
            if (m_chain == kPlay) host::InjectKey(kWalk, false);  // the walking key let go
            m_node = top;
            m_chain = chain;
            m_arrived = now;
            m_next = 0;
            if (chain == kMainMenu) ++m_mainMenuVisits;
            if (chain == kPlay) host::InjectKey(kWalk, true);  // held while playing
        }
        if (top == nullptr || chain.empty()) return;
        if (chain == kPlay) {
            // Every 10th frame Enter (pages the dialogue, takes a pickup),
            // every 60th a jump (landed by then); the walking key stays down, pressed anew
            // every 50th.
            const std::uint32_t frame = (now - m_arrived) / 48;
            if (frame % 10 == 9) Press(VK_RETURN);
            if (frame % 60 == 30) Press(VK_UP);
            if (frame % 50 == 49) {
                host::InjectKey(kWalk, false);
                host::InjectKey(kWalk, true);
            }
            return;
        }
        if (top->GetElapsed() < top->GetTransitionTime() || now < m_next) return;
        const Keys keys = KeysFor(chain);
        if (now - m_arrived < keys.waitMs) return;
        for (const WORD key : keys.keys) Press(key);
        m_next = now + 2000;
    }

private:
    // The players start facing right.
    static constexpr WORD kWalk = VK_RIGHT;

    struct Keys {
        std::vector<WORD> keys;
        std::uint32_t waitMs = 0;  // after arriving, at the least
    };

    Keys KeysFor(const std::string& chain) const {
        if (chain == Chain({kStartUpScene, CInitScene::kSoundQuestion})) return {{VK_DOWN, VK_RETURN}};  // sound: yes
        if (chain == Chain({kStartUpScene, CInitScene::kSplash})) return {{VK_RETURN}, 1500};  // past the movie's middle
        if (chain == Chain({kStartUpScene, CInitScene::kLoading})) return {};  // loading
        if (chain == Chain({kShellScene, CShellScene::kTitle})) return {{VK_RETURN}, 400};  // the logo in place
        if (chain == kMainMenu) {
            // Options, help and about in turn (the focus stays where it
            // was), then the first item: new game, later continue.
            if (m_mainMenuVisits <= 3) return {{VK_DOWN, VK_RETURN}};
            if (m_mainMenuVisits == 4) return {{VK_UP, VK_UP, VK_UP, VK_RETURN}};
            return {{VK_RETURN}};
        }
        // Sound off and on again (its sample plays), then back.
        if (chain == Chain({kShellScene, CShellScene::kOptions, 1})) return {{VK_RETURN, VK_RETURN, VK_ESCAPE}};
        if (chain == Chain({kShellScene, CShellScene::kHelp})) return {{VK_DOWN, VK_ESCAPE}};
        if (chain == Chain({kShellScene, CShellScene::kCharacterSelect})) return {{m_character, VK_RETURN}};
        // The game's own options, help and questions: back.
        const std::string game = Chain({kShellScene, CShellScene::kGame}) + "/";
        for (const std::uint32_t back : {CGameScene::kOptions, CGameScene::kHelp, CGameScene::kQuit}) {
            if (chain.starts_with(game + std::to_string(back))) return {{VK_ESCAPE}};
        }
        if (chain.starts_with(Chain({kShellScene, CShellScene::kAbout})) ||
            chain == Chain({kShellScene, CShellScene::kExitQuestion})) {
            return {{VK_ESCAPE}};
        }
        // The rest takes Enter: pictures, pages, the pause menu (resume),
        // retry (yes), level complete, the level menu, languages.
        return {{VK_RETURN}};
    }

    inline static const std::string kMainMenu = Chain({kShellScene, CShellScene::kMainMenu});
    inline static const std::string kPlay = Chain({kShellScene, CShellScene::kGame, CGameScene::kGame});

    WORD m_character;
    CNode* m_node = nullptr;
    std::string m_chain;
    std::uint32_t m_arrived = 0;
    std::uint32_t m_next = 0;
    int m_mainMenuVisits = 0;
};

}  // namespace vktools
