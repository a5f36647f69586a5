// Picture screens of the splash and title sequence.
//
// CImageScreen shows one image centred on a background colour. It ends by
// itself at its maximum time, on select once its minimum time has passed, on
// a tap at once, and with result 2 on back. The result is written over any
// earlier one: the time limit replaces a back given in the same frame.
//
// AnimatedImageScreen adds a sprite under the image and, once the sprite's
// animation has ended and a delay has passed, moves both from a start to an
// end position (fractions of the screen in 1/1024) over a duration. Select
// never ends it, and every redraw or resume starts the title sound again.
#pragma once

#include <cstdint>

#include "src/CNode.h"

class CImage;
class SZ_Presenter;

class CImageScreen : public CNode {
public:
    // Gets the image; 0.
    std::int32_t Init() override;
    // Gives the image back.
    void Exit() override;
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    std::uint32_t Update(std::uint32_t dt) override;
    std::uint8_t Draw() override;

    // Before Init; image id 0 shows none.
    void SetContent(std::uint32_t background, std::uint32_t imageId, std::int32_t minimumMs, std::int32_t maximumMs);

protected:
    std::uint32_t m_background = 0xFF000000;
    std::int32_t m_elapsed = 0;
    std::uint8_t m_skipRequested = 0;
    std::uint8_t m_redraw = 1;
    CImage* m_image = nullptr;

private:
    std::uint32_t m_imageId = 0;
    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 0;
};

class AnimatedImageScreen : public CImageScreen {
public:
    // Measures the sprite's last frame (the sprite is drawn half its
    // height lower) and places image and sprite at the start; 0.
    std::int32_t Init() override;
    // As the image screen's; the redraw-like events also play the title
    // sound.
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    std::uint32_t Update(std::uint32_t dt) override;
    std::uint8_t Draw() override;

    // Before Init. A duration below 1 puts them at the end at once.
    void SetMotion(std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY, std::int32_t delayMs,
                   std::int32_t durationMs);
    // Not owned.
    void SetSprite(SZ_Presenter* sprite) { m_sprite = sprite; }

private:
    std::int32_t m_startX = 512;
    std::int32_t m_startY = 512;
    std::int32_t m_endX = 512;
    std::int32_t m_endY = 512;
    std::int32_t m_delay = 32767;
    std::int32_t m_duration = 32767;
    std::int16_t m_x = 0;
    std::int16_t m_y = 0;
    std::int16_t m_spriteOffsetY = 0;
    SZ_Presenter* m_sprite = nullptr;
};
