// Screens whose content is a tree of widgets.
//
// CGenericWidgetScreen hands the node's events, updates and drawing to a
// root widget and turns the three commands the tree posts (accept, back,
// value changed) into OnWidgetCommand. CWidgetScreen is the standard menu
// page on it: a frame (the root) holding a layout with an optional title, a
// scrolling page for the body and an optional soft-key bar; margins that
// leave room for an animated logo above the frame; scroll indicator sprites;
// a 600 ms intro during which every event is swallowed; and stylus taps on
// the soft-key bar and the indicators turned into key presses. The scenes
// configure a screen with the setters before its Init; subclasses build the
// tree in Init (BuildWidgets) and then add their content to the page.
#pragma once

#include <cstdint>

#include "src/CNode.h"
#include "src/LocalWidgets/CFrameWidget.h"
#include "src/LocalWidgets/CLayoutWidget.h"
#include "src/LocalWidgets/CPageWidget.h"
#include "src/LocalWidgets/CSelectItemGroupWidget.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/LocalWidgets/CTextWidget.h"

class CFont;
class SZ_Presenter;

class CGenericWidgetScreen : public CNode {
public:
    // Forgets the root widget.
    void Exit() override { m_root = nullptr; }
    // The widget commands go to OnWidgetCommand with the sending widget,
    // every other event to the root; not handled without a root.
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    // The node's time, then the root's update (its result).
    std::uint32_t Update(std::uint32_t dt) override;
    // Paints the root; 1 when it drew.
    std::uint8_t Draw() override;
    // 1 when the command set a result.
    virtual std::uint8_t OnWidgetCommand(std::uint32_t event, CWidget* sender) = 0;

protected:
    void SetRootWidget(CWidget* root) { m_root = root; }
    CWidget* GetRootWidget() const { return m_root; }

private:
    CWidget* m_root = nullptr;
};

class CWidgetScreen : public CGenericWidgetScreen {
public:
    // Style flags.
    static constexpr std::uint32_t kStyleTransparent = 1;
    static constexpr std::uint32_t kStyleCentreText = 2;
    static constexpr std::uint32_t kStyleCentreBody = 4;
    static constexpr std::uint32_t kStyleFullScreen = 8;
    // The screen colours of every widget: background, text, highlight.
    static constexpr std::uint32_t kBackground = 0xFF041123;
    static constexpr std::uint32_t kForeground = 0xFFFFFFFF;
    static constexpr std::uint32_t kHighlight = 0xFF0000FF;
    static constexpr std::int32_t kIntroMs = 600;
    // The indicators' sprite (archetype, character) and animations.
    static constexpr std::int32_t kIndicatorArchetype = 18;
    static constexpr std::int32_t kUpAnimation = 10;
    static constexpr std::int32_t kDownAnimation = 11;

    // The top margin is three sevenths of the screen height: the logo's band.
    CWidgetScreen();

    // Prepares the indicators and starts the intro; 0.
    std::int32_t Init() override;
    // Gives back the title and the soft-key labels and forgets the
    // indicators (their owner keeps them).
    void Exit() override;
    // Swallows every event during the intro. Key presses are always
    // handled; up or down restarts that indicator's animation.
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    // Plays the logo and the indicators (held at their first frame during
    // the intro), asks for a full repaint and turns a pending tap on the
    // soft-key bar or an indicator into a key press.
    std::uint32_t Update(std::uint32_t dt) override;
    // Accept: result 1; back: result 2.
    std::uint8_t OnWidgetCommand(std::uint32_t event, CWidget* sender) override;

    void SetTitle(std::uint32_t textId) { m_titleId = textId; }
    // The label ids of the two soft keys (0: none), each an image or a text.
    // Nothing at all when the device configuration disables the labels.
    void SetSoftkeys(std::uint32_t rightId, std::uint32_t leftId, std::uint8_t rightIsImage, std::uint8_t leftIsImage);
    void SetMargins(std::int32_t side, std::int32_t top, std::int32_t bottom);
    void SetMarginsVertical(std::int32_t side, std::int32_t vertical) { SetMargins(side, vertical, vertical); }
    void SetStyleFlags(std::uint32_t flags) { m_styleFlags = flags; }
    std::uint32_t GetStyleFlags() const { return m_styleFlags; }
    void SetScrollIndicators(SZ_Presenter* up, SZ_Presenter* down) {
        m_upIndicator = up;
        m_downIndicator = down;
    }
    // Drawn centred in the band above the frame, over the background.
    void SetLogoPresenter(SZ_Presenter* logo) { m_logo = logo; }

    // Builds the tree: the frame, its layout, the title, the page and the
    // soft-key bar; the frame becomes the focused root.
    void BuildWidgets();
    // The frame's paint callback: before the frame draws, with a logo, the
    // whole screen is filled and the logo drawn in the band.
    static void DrawBackground(CWidget* widget, std::int32_t phase, void* screen);

protected:
    std::uint32_t GetTitleId() const { return m_titleId; }
    // Font 0 of the font manager, or null.
    static CFont* MenuFont();
    // Gives a widget the screen colours and the transparency of style 1.
    void Style(CUIWidget& widget) const;
    bool IsTransparentStyle() const { return (m_styleFlags & kStyleTransparent) != 0; }
    // Sets both soft-key labels from the label ids on the bar: a side
    // without an id gets no label. The labels the bar showed before are
    // given back after the new ones are taken.
    void ApplySoftkeyLabels();
    // Gives back the labels the bar holds.
    void ReleaseSoftkeyLabels();
    // 1 when the soft keys are shown on this platform (the core's flag).
    static bool HasSoftkeys();
    // A pending tap on the item (one of the group's) is taken: the item is
    // selected and focused, and the group raises accept for it, which the
    // screen gets in the next tick (and swallows while the intro still
    // runs). False when there is no tap on it, or when the screen takes no
    // taps now.
    bool TapItem(CSelectItemGroupWidget& group, CSelectItemWidget& item);
    // Taps count until the screen has a result: a tap pending after it (the
    // second of a double tap on an item already accepted) is dropped, so it
    // neither moves the focus nor reaches the next screen. True when taps
    // count now.
    bool TakesTaps();

    CFrameWidget m_frame;
    CLayoutWidget m_layout;
    CTextWidget m_title;
    CPageWidget m_page;
    CSoftkeyWidget m_softkeys;

    // Posts the key press through the applet's queue.
    static void PostKey(std::uint16_t key);

private:
    void PrepareIndicator(SZ_Presenter* indicator, std::int32_t animation);
    // Posts up or down when the tap lies in the indicator's row; true then.
    bool TapIndicator(SZ_Presenter* indicator, std::int32_t x, std::int32_t y, std::uint16_t key);

    std::uint32_t m_titleId = 0;
    const char16_t* m_titleText = nullptr;  // the title taken, given back at Exit
    std::int32_t m_sideMargin = 0;
    std::int32_t m_topMargin = 0;
    std::int32_t m_bottomMargin = 0;
    std::uint32_t m_styleFlags = 0;
    std::uint32_t m_rightLabelId = 0;
    std::uint32_t m_leftLabelId = 0;
    std::uint8_t m_rightIsImage = 1;
    std::uint8_t m_leftIsImage = 1;
    // The label ids the bar holds now (0: none).
    std::uint32_t m_heldRightId = 0;
    std::uint32_t m_heldLeftId = 0;
    SZ_Presenter* m_upIndicator = nullptr;
    SZ_Presenter* m_downIndicator = nullptr;
    SZ_Presenter* m_logo = nullptr;
};
