// The queue of archetype,character pairs waiting to be loaded, and the pass
// that then creates the images their sprites need, both worked off within a
// time budget per call.
#pragma once

#include <cstdint>

#include "platform/shared/core/CVector.h"
#include "src/ridaroVoz3/SZ_Defines.h"

class SZ_Home;

class SZ_LoadQueue {
public:
    enum State : std::int32_t { kIdle = 0, kQueued = 1, kProcessing = 2 };

    SZ_LoadQueue() = default;
    SZ_LoadQueue(const SZ_LoadQueue&) = delete;
    SZ_LoadQueue& operator=(const SZ_LoadQueue&) = delete;

    // Empty and idle, with no sprite marked among the home's image sprites;
    // false when memory runs out.
    bool Init(SZ_Home* owner);
    // Queues the pair unless it is queued already (then 0). Asserts that
    // the queue is not being processed.
    bool Add(std::uint8_t archetype, std::uint8_t character);
    // One pair per call, the last queued first; once none is left, the
    // images of the marked sprites until the budget (ms, not 0) is spent.
    // Returns whether work remains.
    bool LoadQueued(std::uint32_t budget);
    // The sprite pass; returns whether marked sprites remain.
    bool LoadQueuedSprites(std::uint32_t budget);
    // Remaining work: pairs x 100 plus the image sprites not yet visited.
    std::int32_t GetProgress() const;

    State GetState() const { return m_state; }
    SZ_BitSet& GetMarkedSprites() { return m_marked; }

private:
    SZ_Home* m_owner = nullptr;
    State m_state = kIdle;
    std::uint16_t m_charactersExpected = 0;
    std::uint16_t m_charactersLoaded = 0;
    CVector m_characterIds;
    CVector m_archetypeIds;
    std::uint32_t m_characterTime = 0;
    SZ_BitSet m_marked;
    std::uint16_t m_spriteCursor = 0;
    std::uint16_t m_visited = 0;
    std::uint16_t m_loaded = 0;
    std::uint16_t m_allocated = 0;
    std::uint16_t m_redundant = 0;
    std::uint16_t m_visitedExpected = 0;
    std::uint16_t m_loadedExpected = 0;
    std::uint32_t m_spriteTime = 0;
    std::uint16_t m_ticks = 0;
};
