#include "src/actionZel/SZ_Pool.h"

#include "platform/shared/core/Debug.h"
#include "src/CGameApp.h"
#include "src/actionZel/AZ_Defs.h"
#include "src/ridaroVoz3/SZ_Home.h"

namespace {

constexpr std::uint16_t kNoAnimation = 0xFFFF;

bool IsByte(std::int32_t v) { return v >= 0 && v < 256; }

}  // namespace

SZ_Pool::SZ_Pool() {
    // Hit tests and rectangle searches see only the invisible boxes.
    for (SZ_Presenter& entry : m_entries) entry.setBoxesOnly(1);
}

bool SZ_Pool::check(std::int32_t id) {
    if (isValid(id)) return true;
    AZ_LogError("[ AZ ][ ERROR ] - SZ_Presenter Pool fragmentation");
    return false;
}

bool SZ_Pool::isReady(std::int32_t id) const {
    if (!isValid(id)) return false;
    const SZ_Home* home = CGameApp::GetSpriteHome();
    const SZ_Presenter& entry = m_entries[id - 1];
    return home != nullptr && home->IsConstructed() &&
           home->IsArchetypeCharacterLoaded(entry.getArchetype(), entry.getCharacter());
}

void SZ_Pool::releaseAll() {
    for (std::uint8_t& used : m_inUse) used = 0;
}

std::int32_t SZ_Pool::alloc() {
    for (std::int32_t i = 0; i < kSize; ++i) {
        if (m_inUse[i] == 0) {
            m_inUse[i] = 1;
            return i + 1;
        }
    }
    AZ_LogError("[ AZ ][ ERROR ] - Out of SZ_Presenter Pool, increase pool size in code");
    return -1;
}

void SZ_Pool::free(std::int32_t id) {
    if (!check(id)) return;
    SZ_Presenter& entry = m_entries[id - 1];
    if (isReady(id)) entry.clearAnimation();
    entry.setArchetypeCharacter(0, 0);
    m_inUse[id - 1] = 0;
    dropCache();
}

void SZ_Pool::setArchetypeCharacter(std::int32_t id, std::int32_t archetype, std::int32_t character) {
    if (!check(id)) return;
    dropCache();
    if (!IsByte(archetype) || !IsByte(character)) {
        DebugPrintf("[ AZ ][ ERROR ] - SZ_Pool : No archetype %d character %d", archetype, character);
        return;
    }
    m_entries[id - 1].setArchetypeCharacter(archetype, character);
}

void SZ_Pool::setAnimation(std::int32_t id, std::int32_t animation, std::int32_t flags, std::int32_t loop) {
    if (!check(id)) return;
    dropCache();
    if (isReady(id)) {
        m_entries[id - 1].setAnimation(animation, static_cast<std::uint8_t>(flags), static_cast<std::uint8_t>(loop));
    }
}

void SZ_Pool::setOrientation(std::int32_t id, std::int32_t flags) {
    if (!check(id)) return;
    SZ_Presenter& entry = m_entries[id - 1];
    if (entry.getFlags() == flags) return;
    setAnimation(id, entry.getAnimation(), flags, entry.getTimeline().getLoop());
}

void SZ_Pool::update(std::int32_t id, std::int32_t dt) {
    if (!check(id)) return;
    dropCache();
    if (isReady(id)) m_entries[id - 1].update(static_cast<std::uint32_t>(dt));
}

bool SZ_Pool::isAnimationFinished(std::int32_t id) { return check(id) && m_entries[id - 1].isAnimationFinished(); }

std::uint16_t SZ_Pool::getAnimation(std::int32_t id) const {
    return isValid(id) ? static_cast<std::uint16_t>(m_entries[id - 1].getAnimation()) : kNoAnimation;
}

void SZ_Pool::setFrame(std::int32_t id, std::int32_t frame) {
    if (!check(id)) return;
    dropCache();
    if (IsByte(frame)) m_entries[id - 1].getTimeline().setCurrentFrame(static_cast<std::uint8_t>(frame));
}

std::int32_t SZ_Pool::getFrameCount(std::int32_t id) {
    return check(id) ? m_entries[id - 1].getTimeline().getFrameCount() : 0;
}

void SZ_Pool::draw(std::int32_t id, std::int32_t x, std::int32_t y) {
    if (!check(id) || !isReady(id)) return;
    SZ_Presenter& entry = m_entries[id - 1];
    entry.setOffset(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    entry.drawAtOrigin();
}

void SZ_Pool::drawClipped(std::int32_t id, std::int32_t x, std::int32_t y, std::int32_t clipX, std::int32_t clipY,
                          std::int32_t clipWidth, std::int32_t clipHeight) {
    if (!check(id) || !isReady(id)) return;
    SZ_Presenter& entry = m_entries[id - 1];
    entry.setOffset(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    entry.drawClipped(0, 0,
                      CRect(static_cast<std::int16_t>(clipX), static_cast<std::int16_t>(clipY),
                            static_cast<std::int16_t>(clipWidth), static_cast<std::int16_t>(clipHeight)));
}

void SZ_Pool::updateCollisionRect(std::int32_t id, std::int32_t tag) {
    if (!check(id)) return;
    if (m_cachedId == id && m_cachedTag == tag) return;
    m_cachedTag = tag;
    std::int32_t kind = tag == 0 ? 1 : tag;
    if (tag != 0 && tag != 2 && tag != 3) {
        AZ_LogError("[ AZ ][ ERROR ] - SZ_Pool: Invalid tag on collision rect, examine tags in RidaroVoz");
        kind = 0;
    }
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    if (isReady(id) && m_entries[id - 1].findCollisionRect(kind, &x, &y, &w, &h) == 1) {
        m_cachedId = id;
        m_cachedRect = CRect(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::int16_t>(w),
                             static_cast<std::int16_t>(h));
    } else {
        m_cachedId = -1;
        m_cachedRect = CRect();
    }
}

const CRect& SZ_Pool::rectOf(std::int32_t id, std::int32_t tag) {
    updateCollisionRect(id, tag);
    if (!isValid(id)) {
        static const CRect kEmpty;
        return kEmpty;
    }
    return m_cachedRect;
}

void SZ_Pool::loadArchetypeCharacter(std::int32_t archetype, std::int32_t character) {
    SZ_Home* home = CGameApp::GetSpriteHome();
    if (home != nullptr && home->IsConstructed() && IsByte(archetype) && IsByte(character)) {
        home->QueueArchetypeCharacter(archetype, character);
    }
}
