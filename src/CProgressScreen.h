// A progress page: on a plain background an optional centred image, an
// optional caption under it and a horizontal bar; it ends with result 1
// once its percentage reaches 100, or with 2 on the back key.
//
// CResLoadScreen drives the percentage itself: after a start delay (which
// select or the left soft key cut short) it loads a resource bank in slices
// of at most a second per frame, then works off the sprite home's load
// queue in slices of half a second, and shows the combined progress one
// frame late.
#pragma once

#include <cstdint>

#include "platform/shared/components/CTimer.h"
#include "src/CNode.h"
#include "src/CResBank.h"
#include "src/LocalWidgets/CProgressWidget.h"
#include "src/LocalWidgets/CTextWidget.h"

class CImage;

class CProgressScreen : public CNode {
public:
    // Gets the image and lays out the caption and the bar; 0.
    std::int32_t Init() override;
    // Gives back the image and the caption.
    void Exit() override;
    // Back: result 2. Key presses are always handled; the redraw-like
    // events ask for a repaint.
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    // Shows the percentage on the bar; result 1 at 100. Always 1.
    std::uint32_t Update(std::uint32_t dt) override;
    // Repaints the whole screen when asked to; 1 then.
    std::uint8_t Draw() override;

    // Before Init: the background colour, the image id and the caption's
    // text id (0: none).
    void SetContent(std::uint32_t background, std::uint32_t imageId, std::uint32_t captionId);
    std::int32_t GetPercent() const { return m_percent; }

protected:
    std::int32_t m_percent = 0;
    std::uint8_t m_redraw = 1;
    CProgressWidget m_bar;

private:
    std::uint32_t m_background = 0xFF000000;
    std::uint32_t m_imageId = 0;
    std::uint32_t m_captionId = 0;
    CImage* m_image = nullptr;
    CTextWidget m_caption;
};

class CResLoadScreen : public CProgressScreen {
public:
    static constexpr std::uint32_t kSpriteSliceMs = 500;

    // The bar stays hidden until the delay has passed.
    std::int32_t Init() override;
    // Select and the left soft key end the delay.
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    // One slice of loading a frame after the delay.
    std::uint32_t Update(std::uint32_t dt) override;

    // Before Init: starts fetching the bank's list (its count is the
    // bank's share of the work) and sets the start delay.
    void SetBank(std::uint32_t bankId, std::uint32_t delayMs);

private:
    CTimer m_startTimer;
    std::uint32_t m_delay = 0;
    std::uint8_t m_loading = 0;
    CResBank m_bank;
    std::int32_t m_spriteWorkAtStart = 0;
};
