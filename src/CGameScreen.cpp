#include "src/CGameScreen.h"

#include <new>

#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CSaveGameMgr.h"
#include "src/game/Velkorin.h"

namespace {

constexpr std::uint16_t kBackKey = 12;
constexpr std::uint16_t kRightSoftKey = 16;

}  // namespace

CGameScreen::~CGameScreen() { delete m_game; }

std::int32_t CGameScreen::Init() {
    m_game = new (std::nothrow) Velkorin();
    if (m_game != nullptr) m_game->OnCreated();
    return 0;
}

void CGameScreen::Exit() {
    delete m_game;
    m_game = nullptr;
}

std::uint8_t CGameScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t) {
    switch (id) {
        case EVENT_KEY_PRESS:
            if (param1 != kBackKey && param1 != kRightSoftKey) return 0;
            Report(kResultPause);
            return 1;
        case EVENT_GAME_INTERRUPT_1: Report(kResultInterrupt1); return 1;
        case EVENT_GAME_INTERRUPT_3: Report(kResultInterrupt3); return 1;
        case EVENT_GAME_INTERRUPT_4: Report(kResultInterrupt4); return 1;
        case EVENT_REDRAW:
        case EVENT_RESUME:
        case EVENT_CLAMSHELL:
        case EVENT_RESUME_2: m_redraw = 1; return 1;
        case EVENT_SUSPEND:
        case EVENT_DISPLAY_CHANGED:
        case EVENT_PAUSE_REQUEST:
        case EVENT_PAUSE_REQUEST_2: Report(kResultPause); return 1;
        default: return 0;
    }
}

std::uint32_t CGameScreen::Update(std::uint32_t dt) {
    if (m_game != nullptr) m_game->Update(static_cast<std::int32_t>(dt));
    m_redraw = 1;
    return 1;
}

std::uint8_t CGameScreen::Draw() {
    if (m_redraw == 0) return 0;
    if (m_game != nullptr) m_game->Paint();
    m_redraw = 0;
    return 1;
}

std::uint8_t CGameScreen::SaveGameStarted() {
    CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    if (saves == nullptr) return 0;
    saves->SetStarted(1);
    return saves->Save();
}
