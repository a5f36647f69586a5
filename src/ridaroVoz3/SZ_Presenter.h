// Plays one animation of one archetype character of the application's
// sprite home and draws, measures and hit-tests its current frame: one walk
// over the frame's layers and their sprites, last to first (so the first
// entry of a frame and the first sprite of a layer end on top), in one of
// four modes.
//
// A placement is a sprite with x, y, w, h relative to the presenter's
// position, before its offset is added. The orientation flags turn the
// whole frame: value 2 mirrors it horizontally, 1 flips it vertically, 4
// swaps x and y and draws image sprites from their other variant (which is
// loaded only when a character also needs it; without it they draw
// nothing).
#pragma once

#include <cstdint>

#include "platform/shared/graphics/2d/CRect.h"
#include "src/ridaroVoz3/SZ_Defines.h"

class SZ_Presenter {
public:
    static constexpr std::uint8_t kFlagFlip = 1;
    static constexpr std::uint8_t kFlagMirror = 2;
    static constexpr std::uint8_t kFlagTranspose = 4;

    SZ_Presenter() = default;

    // Hit tests and rectangle queries then consider only invisible boxes
    // (the engine's pool sets it); drawing is not affected.
    void setBoxesOnly(std::uint8_t boxesOnly) { m_boxesOnly = boxesOnly; }
    // Each 0 to 255.
    void setArchetypeCharacter(std::int32_t archetype, std::int32_t character);
    void setCharacter(std::int32_t character);
    // Starts the animation (-1: none) from its first frame at speed 1
    // forwards. An animation the archetype does not have is logged and
    // leaves none. While the archetype and character are not loaded (broken
    // data) the presenter draws, measures and finds nothing.
    void setAnimation(std::int32_t animation, std::uint8_t flags, std::uint8_t loop);
    void setAnimationKeepFlags(std::int32_t animation) { setAnimation(animation, m_flags, m_timeline.getLoop()); }
    void clearAnimation() { setAnimationKeepFlags(-1); }
    void setOffset(std::int16_t x, std::int16_t y) {
        m_offsetX = x;
        m_offsetY = y;
    }

    // The timeline moves only while the animation is loaded.
    void update(std::uint32_t dt);
    void restartAnimation();
    void rewindAnimation();
    void seekAnimation(std::uint32_t t);
    void reverseAnimation();
    SZ_AnimTimeline& getTimeline() { return m_timeline; }
    bool isAnimationFinished() const { return m_timeline.isFinished(); }

    void drawAtOrigin() { draw(0, 0); }
    // Clipped to the graphics device's render surface.
    void draw(std::int32_t x, std::int32_t y);
    // Images clipped to clip; rect sprites only to the render surface.
    void drawClipped(std::int32_t x, std::int32_t y, const CRect& clip);
    // The frame's bounding rectangle, (0, 0, 0, 0) when it has no sprite.
    void getBounds(CRect* out);
    // The topmost sprite within radius of the point (-1: none).
    std::int32_t hitTest(std::int32_t x, std::int32_t y, std::uint8_t radius);
    // The first rect sprite of the kind in walk order; 1 with its
    // rectangle, or 0.
    std::int32_t findCollisionRect(std::int32_t kind, std::int32_t* x, std::int32_t* y, std::int32_t* w,
                                   std::int32_t* h);

    std::uint8_t getArchetype() const { return m_archetype; }
    std::uint8_t getCharacter() const { return m_character; }
    std::uint8_t getFlags() const { return m_flags; }
    std::int32_t getAnimation() const { return m_animation; }
    std::int16_t getOffsetY() const { return m_offsetY; }

private:
    enum class Mode { kDraw, kHitTest, kBounds, kFindRect };
    void walk(Mode mode);
    // Points the timeline at the animation's durations as loaded now;
    // false when there is no animation to play.
    bool refreshTimeline();

    std::uint8_t m_boxesOnly = 0;
    std::uint8_t m_archetype = 0;
    std::uint8_t m_character = 0;
    std::uint8_t m_flags = 0;
    std::int32_t m_animation = -1;
    std::int16_t m_offsetX = 0;
    std::int16_t m_offsetY = 0;
    SZ_AnimTimeline m_timeline;
};
