#include "src/ridaroVoz3/SZ_LoadQueue.h"

#include "platform/shared/core/Clock.h"
#include "platform/shared/core/Debug.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Trace.h"

namespace {

constexpr const char* kSource = "SZ_Home";

}  // namespace

bool SZ_LoadQueue::Init(SZ_Home* owner) {
    m_owner = owner;
    m_state = kIdle;
    m_characterIds.Clear();
    m_archetypeIds.Clear();
    m_spriteCursor = owner->GetImagespriteCount();
    m_charactersExpected = m_charactersLoaded = 0;
    return m_marked.Init(owner->GetImagespriteCount());
}

bool SZ_LoadQueue::Add(std::uint8_t archetype, std::uint8_t character) {
    DebugAssert(m_state != kProcessing, kSource, 1115);
    for (std::int32_t k = 0; k < m_archetypeIds.GetSize(); ++k) {
        if (m_archetypeIds.GetData()[k] == archetype && m_characterIds.GetData()[k] == character) return false;
    }
    if (m_archetypeIds.Add(archetype) != CVector::kOk) return false;
    if (m_characterIds.Add(character) != CVector::kOk) {
        m_archetypeIds.RemoveAt(m_archetypeIds.GetSize() - 1, nullptr);
        return false;
    }
    if (m_state == kIdle) m_state = kQueued;
    return true;
}

bool SZ_LoadQueue::LoadQueued(std::uint32_t budget) {
    DebugAssert(budget != 0, kSource, 1145);
    if (m_state == kIdle) {
        DebugPrintf("%s", SZ_STEP "LoadQueued() invoked even though queue is empty");
        return false;
    }
    if (m_state == kQueued) {
        DebugPrintf("%s", SZ_OPEN "LoadQueued() queue now being processed");
        m_state = kProcessing;
        m_charactersExpected = static_cast<std::uint16_t>(m_archetypeIds.GetSize());
        m_charactersLoaded = 0;
        m_characterTime = 0;
    }
    DebugAssert(m_state == kProcessing, kSource, 1162);
    DebugAssert(m_archetypeIds.GetSize() == m_characterIds.GetSize(), kSource, 1164);

    if (!m_archetypeIds.IsEmpty()) {
        // Last in, first loaded; one pair per call whatever the budget.
        const std::uint32_t start = GetTimeMs();
        std::uintptr_t archetype = 0, character = 0;
        m_archetypeIds.RemoveAt(m_archetypeIds.GetSize() - 1, &archetype);
        m_characterIds.RemoveAt(m_characterIds.GetSize() - 1, &character);
        m_owner->LoadArchetypeCharacter(static_cast<std::int32_t>(archetype), static_cast<std::int32_t>(character));
        ++m_charactersLoaded;
        m_characterTime += GetTimeMs() - start;
        if (m_archetypeIds.IsEmpty()) {
            DebugPrintf("%s", SZ_STEP "LoadQueued() finished loading character binaries");
            DebugPrintf("%s %d%s %d", SZ_STEP "LoadQueued() loaded characters should be", m_charactersExpected,
                        ".  Actual value", m_charactersLoaded);
            DebugPrintf("%s %d", SZ_STEP "LoadQueued() loaded characters time elapsed", m_characterTime);
            if (m_marked.GetSetCount() == 0) {
                m_state = kIdle;
                return false;
            }
        }
        return true;
    }
    if (!LoadQueuedSprites(budget)) {
        m_state = kIdle;
        DebugPrintf("%s", SZ_CLOSE "LoadQueued() done processing queue");
        return false;
    }
    return true;
}

bool SZ_LoadQueue::LoadQueuedSprites(std::uint32_t budget) {
    DebugAssert(m_state == kProcessing, kSource, 1217);
    SZ_Home& home = *m_owner;
    const std::uint16_t count = home.GetImagespriteCount();
    if (m_spriteCursor == count) {
        DebugPrintf("%s", SZ_OPEN "LoadQueuedSprites() queue begin processing sprites");
        m_spriteCursor = m_visited = m_loaded = m_allocated = m_redundant = 0;
        m_visitedExpected = count;
        m_loadedExpected = static_cast<std::uint16_t>(m_marked.GetSetCount());
        m_spriteTime = 0;
        m_ticks = 0;
    }
    ++m_ticks;
    const std::uint32_t start = GetTimeMs();
    std::uint32_t elapsed = 0;
    for (;;) {
        if (m_spriteCursor >= count) {
            m_spriteTime += elapsed;
            DebugPrintf("%s %d%s %d", SZ_STEP "LoadQueuedSprites() visited should be", m_visitedExpected,
                        ".  Actual value", m_visited);
            DebugPrintf("%s %d%s %d", SZ_STEP "LoadQueuedSprites() loaded should be", m_loadedExpected,
                        ".  Actual value", m_loaded);
            DebugPrintf("%s %d%s %d", SZ_STEP "LoadQueuedSprites() allocated should be <=", m_loaded,
                        ".  Actual value", m_allocated);
            DebugPrintf("%s %d", SZ_STEP "LoadQueuedSprites() redundant should be 0.  Actual value", m_redundant);
            DebugPrintf("%s %d", SZ_STEP "LoadQueuedSprites() time elapsed", m_spriteTime);
            DebugPrintf("%s %d", SZ_STEP "LoadQueuedSprites() ticks required", m_ticks);
            DebugPrintf("%s", SZ_CLOSE "LoadQueuedSprites() done processing sprites");
            return false;
        }
        // Checked between sprites: the first of a call is always handled,
        // and one image creation may overrun the budget.
        if (elapsed >= budget) {
            m_spriteTime += elapsed;
            return true;
        }
        ++m_visited;
        const std::uint32_t sprite = m_spriteCursor;
        if (m_marked.Test(sprite)) {
            ++m_loaded;
            const std::uint32_t o = home.GetImagesprite(sprite).GetOrientation();
            SZ_Image& image = home.GetImageOf(sprite);
            CPalettizedImage* created = nullptr;
            bool usable = true;
            if (image.NeedsLoad(o)) {
                ++m_allocated;
                // The id comes from the data: only an image id is asked for.
                const std::uint32_t id = home.GetFirstImageId() + image.GetIndex();
                if ((id & CResMgr::kTypeMask) == CResMgr::kTypeImage) {
                    created = CGameApp::GetResMgr()->CreatePalettizedImage(id, nullptr, 0, SZ_IsRotatedOrientation(o));
                }
                usable = created != nullptr;
                if (!usable) {
                    DebugPrintf(SZ_STEP "LoadQueuedSprites() no image 0x%08X for imagesprite %u: drawn as nothing",
                                id, sprite);
                }
            }
            if (usable && !image.AddUse(o, created)) ++m_redundant;
            m_marked.Set(sprite, false);
        }
        elapsed = GetTimeMs() - start;
        ++m_spriteCursor;
    }
}

std::int32_t SZ_LoadQueue::GetProgress() const {
    const std::int32_t pairs = m_archetypeIds.GetSize() * 100;
    const std::int32_t count = m_owner != nullptr ? m_owner->GetImagespriteCount() : 0;
    switch (m_state) {
        case kIdle:
            return 0;
        case kQueued:
            return pairs + count;
        case kProcessing:
            return pairs + (m_spriteCursor != count ? count - m_spriteCursor : count);
    }
    DebugAssert(false, kSource, 1098);
    return 0;
}
