#include "src/actionZel/AZ_KeyManager.h"

#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kBackKey = 12;
constexpr std::int32_t kCheatKey = 14;
constexpr std::int32_t kCheatEvent = 220;
constexpr std::int32_t kLastLevel = 15;
// Key-input characters whose box takes taps, and the text box's type,
// which takes them as select.
constexpr std::int32_t kPlayer = 2;
constexpr std::int32_t kOtherPlayer = 3;
constexpr std::int32_t kTextBox = 81;

// A row of the press table: one or two keys, their event and the event of
// a double press (0: none).
struct PressRow {
    std::int32_t key;
    std::int32_t other;  // -1: none
    std::int32_t event;
    std::int32_t doubleEvent;
};
constexpr PressRow kPressRows[] = {
    {1, 7, 217, 234}, {2, 13, 216, 235}, {3, 9, 215, 236}, {4, 11, 214, 237}, {5, -1, 233, 0},
    {18, -1, 231, 0}, {19, -1, 230, 0},  {15, -1, 229, 0}, {6, -1, 228, 0},   {8, -1, 226, 0},
    {10, -1, 233, 0}, {12, -1, 222, 0},  {14, -1, 220, 0}, {16, -1, 219, 0},  {17, -1, 218, 0},
};
// Release events in order: key, event.
constexpr std::int32_t kReleases[][2] = {{1, 244},  {2, 243},  {3, 242},  {4, 241},  {5, 260},
                                         {18, 258}, {19, 257}, {15, 256}, {6, 255},  {7, 244},
                                         {8, 253},  {9, 242},  {10, 260}, {11, 241}, {12, 249},
                                         {13, 243}, {14, 247}, {16, 246}, {17, 245}};
// Direction events: toward the facing, away from it; for a press and a
// release.
constexpr std::int32_t kPressToward = 212, kPressAway = 211, kReleaseToward = 239, kReleaseAway = 238;

bool InRow(const PressRow& row, std::int32_t key) { return key == row.key || key == row.other; }

void Send(std::int32_t presenterId, std::int32_t event) { AZ_Client::getInstance()->sendEvent(presenterId, event); }

bool FacesLeft(std::int32_t presenterId) {
    const AZ_Presenter* presenter = AZ_Presenter::getPresenter(presenterId);
    return presenter != nullptr && presenter->getFacing() == 1;
}

// The cheat key: on to the next level, saved as reached (nothing after the
// last level), then its event.
void SkipLevel(std::int32_t presenterId) {
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    const std::int32_t next = adapter->getCurrentLevel() + 1;
    if (next <= kLastLevel) {
        adapter->saveProgress(next);
        adapter->startLevel(next);
    }
    Send(presenterId, kCheatEvent);
}

}  // namespace

void AZ_KeyManager::update(std::int32_t presenterId) {
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    if (keys == nullptr) return;
    for (std::uint8_t& state : m_states) {
        if (state == kPressed) state = kHeld;
        if (state == kReleased) state = kUp;
    }
    for (std::int32_t k = 0; k < kKeys; ++k) {
        if (keys->GetPressCount(k) > 0) {
            m_states[k] = kPressed;
            m_lastKey = k;
        } else if (keys->GetReleaseCount(k) > 0) {
            m_states[k] = kReleased;
        }
    }
    if (!AZ_Client::getInstance()->getCamera()->IsViewEnabled()) return;
    std::int32_t lifted = -1;
    if (!mapPointer(presenterId, &lifted)) return;
    sendPresses(presenterId);
    // The keys pressed in this frame, noted before the lift or a lost hold
    // lets go of them: a key pressed and let go in one frame still sends
    // its direction press, then its release.
    std::uint32_t pressed = 0;
    for (std::int32_t k = 0; k < kKeys; ++k) {
        if (m_states[k] == kPressed) pressed |= 1u << k;
    }
    if (lifted != -1) m_states[lifted] = kReleased;
    // Any key that went down and up again in this frame is let go after its
    // press, not only the last one: two keys mashed in one frame would leave
    // the other held with its release never sent.
    for (std::int32_t k = 0; k < kKeys; ++k) {
        if ((pressed & 1u << k) != 0 && keys->GetReleaseCount(k) > 0 && !keys->IsKeyHeld(k)) {
            m_states[k] = kReleased;
        }
    }
    if (m_lastKey >= 0 && !keys->IsKeyHeld(m_lastKey)) {
        m_states[m_lastKey] = kReleased;
        m_lastKey = -1;
    }
    sendReleases(presenterId);
    sendDirections(presenterId, pressed);
    m_previousLastKey = keys->GetLastKey();
    m_previousIdleTime = keys->GetIdleTime();
}

bool AZ_KeyManager::mapPointer(std::int32_t presenterId, std::int32_t* lifted) {
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    const std::uint32_t flags = keys->GetPointerFlags();
    const bool wentDown = (flags & CKeyMgr::kPointerDown) != 0, wentUp = (flags & CKeyMgr::kPointerUp) != 0;
    // Went-down becomes held, went-up clears both: each tap is taken once.
    std::uint32_t next = flags;
    if (wentDown) next = (next & ~CKeyMgr::kPointerDown) | CKeyMgr::kPointerMove;
    if (wentUp) next &= ~(CKeyMgr::kPointerUp | CKeyMgr::kPointerMove);
    const std::int32_t x = keys->GetPointerX(), y = keys->GetPointerY();
    std::int32_t key = 0;
    if (wentDown) {
        if (y > camera->GetViewHeight()) {
            // The bar by quarters of the screen: 6, '*' (17), 8, and back.
            const std::int32_t quarter = camera->GetScreenWidth() / 4;
            if (x < quarter) {
                key = 6;
            } else if (x < 2 * quarter) {
                key = 17;
            } else if (x < 3 * quarter) {
                key = 8;
            } else if (x < 4 * quarter) {
                if (ICCore* core = ICCore::GetInstance()) core->PostEvent(EVENT_KEY_PRESS, kBackKey, 0);
                keys->SetPointerFlags(next);
                return false;
            }
        }
        m_states[key] = kPressed;
        m_lastKey = key;
        keys->SetIdleTime(0);
    }
    const AZ_Presenter* presenter = AZ_Presenter::getPresenter(presenterId);
    const std::int32_t type = presenter != nullptr ? presenter->getCharacterType() : -1;
    if (key != 0) {
        keys->SetHeldMask(keys->GetHeldMask() | 1u << key);
        keys->SetLastKey(static_cast<std::uint8_t>(key));
        m_tapKey = key;
    } else if (type == kTextBox) {
        if (wentDown) {
            m_states[5] = kPressed;
            m_tapKey = 5;
        } else if (wentUp) {
            m_states[5] = kReleased;
        }
    } else if (type == kPlayer || type == kOtherPlayer) {
        const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
        if (wentDown && box != -1) {
            const std::int32_t x0 = Camera::WorldToPixel(presenter->getX()) - camera->GetX();
            const std::int32_t y0 = Camera::WorldToPixel(presenter->getY()) - camera->GetY();
            const std::int32_t width = Camera::WorldToPixel(b_boundingBox_getWidth(box));
            const std::int32_t height = Camera::WorldToPixel(b_boundingBox_getHeight(box));
            std::int32_t tapped = 4;
            if (y > y0) {
                tapped = 2;
            } else if (y < y0 - height) {
                tapped = 1;
            } else if (x < x0 - width / 2) {
                tapped = 3;
            } else if (x <= x0 + width / 2) {
                tapped = 5;
            }
            m_states[tapped] = kPressed;
            m_lastKey = tapped;
            m_tapKey = tapped;
            keys->SetLastKey(static_cast<std::uint8_t>(tapped));
            keys->SetHeldMask(keys->GetHeldMask() | 1u << tapped);
            keys->SetIdleTime(0);
        }
        if (wentUp) {
            for (std::int32_t k = 0; k < kKeys; ++k) {
                if (m_states[k] != kHeld) continue;
                m_states[k] = kReleased;
                keys->SetHeldMask(keys->GetHeldMask() & ~(1u << k));
            }
        }
    }
    // The lift lets go of the key the tap made: its held bit goes, and a key
    // pressed in this very frame is released after its press event.
    if (wentUp && m_tapKey != -1) {
        keys->SetHeldMask(keys->GetHeldMask() & ~(1u << m_tapKey));
        if (m_states[m_tapKey] == kHeld) m_states[m_tapKey] = kReleased;
        if (m_states[m_tapKey] == kPressed) *lifted = m_tapKey;
        m_tapKey = -1;
    }
    keys->SetPointerFlags(next);
    return true;
}

void AZ_KeyManager::sendPresses(std::int32_t presenterId) {
    const bool recent = m_previousIdleTime <= kDoublePressMs;
    for (const PressRow& row : kPressRows) {
        if (!isPressed(row.key) && !isPressed(row.other)) continue;
        if (row.key == kCheatKey) {
            if (CGameApp::GetInstance() != nullptr && CGameApp::GetInstance()->AreCheatsEnabled() != 0) {
                SkipLevel(presenterId);
            }
            continue;
        }
        const bool twice = row.doubleEvent != 0 && recent && InRow(row, m_previousLastKey);
        Send(presenterId, twice ? row.doubleEvent : row.event);
    }
}

void AZ_KeyManager::sendReleases(std::int32_t presenterId) {
    for (const auto& release : kReleases) {
        if (isReleased(release[0])) Send(presenterId, release[1]);
    }
}

void AZ_KeyManager::sendDirections(std::int32_t presenterId, std::uint32_t pressed) {
    const bool left = FacesLeft(presenterId);
    if ((pressed & (1u << 3 | 1u << 9)) != 0) Send(presenterId, left ? kPressToward : kPressAway);
    if ((pressed & (1u << 4 | 1u << 11)) != 0) Send(presenterId, left ? kPressAway : kPressToward);
    if (isReleased(3) || isReleased(9)) Send(presenterId, left ? kReleaseToward : kReleaseAway);
    if (isReleased(4) || isReleased(11)) Send(presenterId, left ? kReleaseAway : kReleaseToward);
}

void AZ_KeyManager::sendHeldKeyEvents(std::int32_t presenterId) {
    const CKeyMgr* keys = CGameApp::GetKeyMgr();
    const AZ_Presenter* presenter = AZ_Presenter::getPresenter(presenterId);
    if (keys == nullptr || presenter == nullptr) return;
    // A handler may destroy the character: the events end with it, also
    // when another character takes its presenter.
    const AZ_HeldCharacter character(presenter);
    const auto send = [&](std::int32_t event) {
        if (character.held()) Send(presenterId, event);
    };
    for (const PressRow& row : kPressRows) {
        if (keys->IsKeyHeld(row.key) || (row.other != -1 && keys->IsKeyHeld(row.other))) send(row.event);
    }
    const bool left = presenter->getFacing() == 1;
    if (keys->IsKeyHeld(3) || keys->IsKeyHeld(9)) send(left ? kPressToward : kPressAway);
    if (keys->IsKeyHeld(4) || keys->IsKeyHeld(11)) send(left ? kPressAway : kPressToward);
}

bool AZ_KeyManager::isKeyDown() const {
    const CKeyMgr* keys = CGameApp::GetKeyMgr();
    return keys != nullptr && m_lastKey >= 0 && keys->IsKeyHeld(m_lastKey);
}

bool AZ_KeyManager::isAnyKeyDown() const {
    const CKeyMgr* keys = CGameApp::GetKeyMgr();
    return keys != nullptr && keys->IsAnyKeyHeld();
}
