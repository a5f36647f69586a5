// The characters' sprites: 70 sprite presenters addressed by ids 1 to 70.
// A sprite visual takes an id when it is attached and gives it back when it
// is detached; behaviours animate and hit-test the sprite through the same
// id. The pool caches one collision rectangle, the last one asked for; any
// change of what a sprite shows drops it. There is one pool, owned by
// AZ_Client.
//
// An id outside 1..70 (a visual whose allocation failed holds -1) writes a
// line and the call does nothing. A sprite whose archetype and character
// are not loaded draws and finds nothing.
#pragma once

#include <cstdint>

#include "platform/shared/graphics/2d/CRect.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

class SZ_Pool {
public:
    static constexpr std::int32_t kSize = 70;

    SZ_Pool();
    virtual ~SZ_Pool() = default;

    SZ_Pool(const SZ_Pool&) = delete;
    SZ_Pool& operator=(const SZ_Pool&) = delete;

    // Every id free at once; the presenters keep what they show.
    void releaseAll();
    // The lowest free id, or -1 with a line when all 70 are in use.
    std::int32_t alloc();
    // Clears the animation, archetype and character and frees the id.
    void free(std::int32_t id);
    bool isInUse(std::int32_t id) const { return isValid(id) && m_inUse[id - 1] != 0; }
    // 1 to 70.
    static bool isValid(std::int32_t id) { return id >= 1 && id <= kSize; }

    void setArchetypeCharacter(std::int32_t id, std::int32_t archetype, std::int32_t character);
    // Orientation flag 2 mirrors the sprite.
    void setAnimation(std::int32_t id, std::int32_t animation, std::int32_t flags, std::int32_t loop);
    // Restarts the animation with the flags, unless it has them already.
    void setOrientation(std::int32_t id, std::int32_t flags);
    void update(std::int32_t id, std::int32_t dt);
    bool isAnimationFinished(std::int32_t id);
    // The animation as an unsigned 16-bit number (65535: none, or an id
    // outside the pool, which is not reported).
    std::uint16_t getAnimation(std::int32_t id) const;
    void setFrame(std::int32_t id, std::int32_t frame);
    std::int32_t getFrameCount(std::int32_t id);
    // The current frame with its origin at (x, y) on the screen, or inside
    // the clip rectangle.
    void draw(std::int32_t id, std::int32_t x, std::int32_t y);
    void drawClipped(std::int32_t id, std::int32_t x, std::int32_t y, std::int32_t clipX, std::int32_t clipY,
                     std::int32_t clipWidth, std::int32_t clipHeight);

    // Caches the first rectangle sprite of the tag's kind in the current
    // frame (tag 0: kind 1; 2 and 3: kinds 2 and 3; others are logged and
    // take kind 0), or an empty rectangle when there is none.
    void updateCollisionRect(std::int32_t id, std::int32_t tag);
    std::int32_t getCollisionRectX(std::int32_t id) { return rectOf(id, 0).x; }
    std::int32_t getCollisionRectY(std::int32_t id) { return rectOf(id, 0).y; }
    std::int32_t getCollisionRectWidth(std::int32_t id) { return rectOf(id, 0).w; }
    std::int32_t getCollisionRectHeight(std::int32_t id) { return rectOf(id, 0).h; }
    std::int32_t getRect2X(std::int32_t id) { return rectOf(id, 2).x; }
    std::int32_t getRect3X(std::int32_t id) { return rectOf(id, 3).x; }
    std::int32_t getRect3Y(std::int32_t id) { return rectOf(id, 3).y; }

    // The loader behaviour's queue: archetypes are loaded before play, so
    // nothing is ever pending here.
    std::int32_t getPendingLoadCount() const { return 0; }
    void processLoadQueue(std::int32_t /*budget*/) {}
    // Queues the pair in the sprite home's load queue.
    void loadArchetypeCharacter(std::int32_t archetype, std::int32_t character);

private:
    // Valid, or a line.
    static bool check(std::int32_t id);
    // Valid, and its archetype and character loaded.
    bool isReady(std::int32_t id) const;
    const CRect& rectOf(std::int32_t id, std::int32_t tag);
    void dropCache() { m_cachedId = -1; }

    SZ_Presenter m_entries[kSize];
    std::uint8_t m_inUse[kSize] = {};
    std::int32_t m_cachedTag = 0;
    CRect m_cachedRect;
    std::int32_t m_cachedId = -1;
};
