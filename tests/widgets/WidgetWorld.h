// The widget tests' world: a headless screen with the graphics device open
// (XRGB 8888, read back as 0xRRGGBB), the real platform core posting into an
// applet's queue, and the game's application recording what the queue
// hands it, with the game's archive open and the menus' sprites (archetype
// 18, character 0) loaded.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "src/CNode.h"
#include "src/LocalWidgets/CUIWidget.h"
#include "tests/platform/FontTestSupport.h"
#include "tools/MenuSprites.h"

class CApplet;

// The menus' sprites: 9 the focus marker, 10 and 11 the up and down
// indicators (5 high).
using vktools::MenuSprite;

// A node whose intro lasts the given time, of which elapsed has run.
struct IntroNode : CNode {
    IntroNode(std::int32_t time, std::uint32_t elapsed) {
        SetTransitionTime(time);
        Update(elapsed);
    }
};

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
    // Flushes the applet's queue: the events posted since the last call.
    std::vector<Posted> TakePosted();
    std::uint32_t Pixel(int x, int y);
    // Bounding box of the pixels of that colour, empty when there are none.
    CRect Extent(std::uint32_t rgb);
    void ClearScreen();

    CApplet* m_applet = nullptr;
};

// Glyphs '.' and a-z, 5 pixels apart, lines 10 high (a height base below
// 0 makes a font of no height), drawn from a recording sheet.
struct TextFont : fonttest::LoadedFont {
    explicit TextFont(std::int8_t heightBase = 8);
    // One "x,y:text" per line drawn since the last call, in drawing order.
    std::vector<std::string> TakeLines();
    fonttest::RecordingImage sheet;
};

// Counts its passes and logs every invalidation it receives ('s' size, 'l'
// layout, 'p' paint). With invalidateInPass each pass calls its own
// invalidation and keeps the result. Keys are logged with its tag.
class CountingWidget : public CUIWidget {
public:
    explicit CountingWidget(std::int32_t width = 10, std::int32_t height = 10) : width(width), height(height) {}

    void Measure() override;
    void Layout() override;
    void Draw() override;
    bool InvalidateSize() override { return (invalidations += 's', CUIWidget::InvalidateSize()); }
    bool InvalidateLayout() override { return (invalidations += 'l', CUIWidget::InvalidateLayout()); }
    bool Invalidate() override { return (invalidations += 'p', CUIWidget::Invalidate()); }
    bool OnKeyDown(std::uint16_t, std::uintptr_t) override;

    std::int32_t width, height;
    int measures = 0, layouts = 0, draws = 0;
    bool invalidateInPass = false;
    std::vector<bool> inPassResults;
    std::string invalidations;
    char tag = '?';
    bool takesKeys = false;
    std::string* keyLog = nullptr;
};
