// The widget tests' world: a headless screen with the graphics device open
// (XRGB 8888, so pixels read back as 0xRRGGBB), the real platform core
// posting into an applet's queue, and an application that records what the
// queue hands it. CountingWidget counts its passes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shared/graphics/2d/CRect.h"
#include "src/LocalWidgets/CUIWidget.h"

class CApplet;
class ICCore;
class ICGraphics2d;

struct Posted {
    std::uint32_t id;
    std::uint16_t p16;
    std::uintptr_t p32;
    bool operator==(const Posted&) const = default;
};

class WidgetWorld : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Reopens the device on a screen of that size (the back buffer is half).
    void OpenScreen(int width, int height);
    // Hands the applet's queue to the application: the events posted since.
    std::vector<Posted> TakePosted();
    // Back-buffer pixel as 0xRRGGBB.
    std::uint32_t Pixel(int x, int y);
    // Bounding box of the pixels of that colour (all 0 when there are none).
    CRect Extent(std::uint32_t rgb);
    void ClearScreen();

    CApplet* m_applet = nullptr;
    ICCore* m_core = nullptr;
    ICGraphics2d* m_graphics = nullptr;
};

// Counts its passes and, with logInvalidations, records every invalidation
// it receives ('s' size, 'l' layout, 'p' paint) whatever its outcome. With
// invalidateInPass, each pass calls its own matching invalidation and keeps
// the result. A key it takes is logged with its tag.
class CountingWidget : public CUIWidget {
public:
    explicit CountingWidget(std::int32_t width = 10, std::int32_t height = 10) : width(width), height(height) {}

    void Measure() override;
    void Layout() override;
    void Draw() override;
    bool InvalidateSize() override { return Log('s') && CUIWidget::InvalidateSize(); }
    bool InvalidateLayout() override { return Log('l') && CUIWidget::InvalidateLayout(); }
    bool Invalidate() override { return Log('p') && CUIWidget::Invalidate(); }
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    std::int32_t width, height;
    int measures = 0, layouts = 0, draws = 0;
    bool invalidateInPass = false;
    std::vector<bool> inPassResults;
    bool logInvalidations = false;
    std::string invalidations;
    char tag = '?';
    bool takesKeys = false;
    std::string* keyLog = nullptr;

private:
    bool Log(char c) {
        if (logInvalidations) invalidations += c;
        return true;
    }
};
