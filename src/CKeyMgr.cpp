#include "src/CKeyMgr.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/shared/core/SystemEvent.h"
#include "src/CDeviceConfig.h"

namespace {

bool IsLower(std::uint16_t c) { return c >= 'a' && c <= 'z'; }
bool IsUpper(std::uint16_t c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

std::int32_t CKeyMgr::MapKey(std::uint16_t code) {
    switch (code) {
        case 4: return 1;   // up
        case 5: return 2;   // down
        case 6: return 3;   // left
        case 7: return 4;   // right
        case 11: return 5;  // select
        case '0': return 15;
        case '#': return 16;
        case '*': return 17;
        case 15: return 18;  // left soft key
        case 16: return 19;  // right soft key
        case 3: return 20;   // the end key
        default: return code >= '1' && code <= '9' ? code - '1' + 6 : 0;
    }
}

std::uint16_t CKeyMgr::RemapDeviceKey(std::uint16_t code) const {
    const CKeyMapPair* pairs = m_config.GetKeyMap();
    for (std::int32_t i = 0; i < m_config.GetKeyMapCount(); ++i) {
        const std::uint16_t from = pairs[i].deviceCode;
        if (from == code || (IsLower(from) && from - 32 == code) || (IsUpper(from) && from + 32 == code)) {
            return pairs[i].keyCode;
        }
    }
    return code;
}

std::uint32_t CKeyMgr::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    switch (id) {
        case EVENT_KEY_DOWN: {
            const std::int32_t key = MapKey(param1);
            if (key != 0) {
                ++m_pressCounts[key];
                m_heldMask |= 1u << key;
                m_lastKey = static_cast<std::uint8_t>(key);
                // Two keys at once cancel everything of this frame.
                if (m_config.onlyOneKeyPress && (m_heldMask & (m_heldMask - 1)) != 0) {
                    m_heldMask = 0;
                    ClearCounts();
                    m_lastKey = 0;
                }
            }
            m_idleTime = 0;
            return 1;
        }
        case EVENT_KEY_UP: {
            const std::int32_t key = MapKey(param1);
            if (key != 0) {
                ++m_releaseCounts[key];
                m_heldMask &= ~(1u << key);
                m_holdTimes[key] = 0;
            }
            return 1;
        }
        case EVENT_POINTER_DOWN:
        case EVENT_POINTER_MOVE:
        case EVENT_POINTER_UP:
            m_pointerX = static_cast<std::int32_t>(param2 & 0xFFFF);
            m_pointerY = static_cast<std::int32_t>((param2 >> 16) & 0xFFFF);
            if (id == EVENT_POINTER_DOWN) m_pointerFlags |= kPointerDown;
            if (id == EVENT_POINTER_MOVE) m_pointerFlags |= kPointerMove;
            if (id == EVENT_POINTER_UP) m_pointerFlags |= kPointerUp;
            return 0;
        // The hold times stay until the next Tick, which zeroes them.
        case EVENT_RESUME:
        case EVENT_RESUME_2:
        case EVENT_CLAMSHELL: m_heldMask = 0; return 1;
        case EVENT_SUSPEND:
        case EVENT_PAUSE_REQUEST:
        case EVENT_PAUSE_REQUEST_2: m_heldMask = 0; return 0;
        default: return 0;
    }
}

void CKeyMgr::Tick(std::int32_t dtMs) {
    constexpr std::int64_t kLongest = std::numeric_limits<std::int32_t>::max();
    m_idleTime = static_cast<std::int32_t>(std::min(kLongest, static_cast<std::int64_t>(m_idleTime) + dtMs));
    for (std::int32_t key = 0; key < kGameKeyCount; ++key) {
        m_holdTimes[key] = (m_heldMask >> key) & 1 ? m_holdTimes[key] + static_cast<std::uint32_t>(dtMs) : 0;
    }
}

void CKeyMgr::EndFrame() { ClearCounts(); }

void CKeyMgr::ClearCounts() {
    std::memset(m_pressCounts, 0, sizeof m_pressCounts);
    std::memset(m_releaseCounts, 0, sizeof m_releaseCounts);
}

std::int8_t CKeyMgr::GetPressCount(std::int32_t key) const { return IsGameKey(key) ? m_pressCounts[key] : 0; }

std::int8_t CKeyMgr::GetReleaseCount(std::int32_t key) const { return IsGameKey(key) ? m_releaseCounts[key] : 0; }

bool CKeyMgr::IsKeyHeld(std::int32_t key) const { return IsGameKey(key) && ((m_heldMask >> key) & 1) != 0; }

std::uint32_t CKeyMgr::GetHoldTime(std::int32_t key) const { return IsGameKey(key) ? m_holdTimes[key] : 0; }

void CKeyMgr::SetHoldTime(std::int32_t key, std::uint32_t ms) {
    if (IsGameKey(key)) m_holdTimes[key] = ms;
}

bool CKeyMgr::IsAnyKeyPressed() const {
    for (const std::int8_t count : m_pressCounts) {
        if (count > 0) return true;
    }
    return false;
}

bool CKeyMgr::IsAnyKeyReleased() const {
    for (const std::int8_t count : m_releaseCounts) {
        if (count > 0) return true;
    }
    return false;
}
