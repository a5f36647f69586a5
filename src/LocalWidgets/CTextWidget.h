// A word-wrapped 16-bit text in one font at the full width its parent
// offers, aligned by the widget's flags. It can show at least or at most a
// number of lines (the last shown line then ends with "..."), shows its
// focus by the highlight colour and a highlight bar or a focus sprite, and
// slides in from the right while the node that owns it plays its intro
// transition. Font, text, sprite and node are not owned.
#pragma once

#include <cstdint>

#include "platform/shared/graphics/2d/CTextParser.h"
#include "src/LocalWidgets/CUIWidget.h"

class CFont;
class CNode;
class SZ_Presenter;

class CTextWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0xF11FD706;
    // The focus sprite's animation.
    static constexpr std::int32_t kFocusAnimation = 9;

    // The slide starts one surface width to the right and runs at three
    // widths a second.
    CTextWidget();

    // Wraps the text again only when the width changed since the last wrap
    // (or the font or text did). Fills the width; as high as its lines.
    void Measure() override;
    void Draw() override;
    // True while the widget needs redrawing each frame: during the owner's
    // transition, or while focused (the focus sprite playing).
    bool Update(std::uint32_t dt) override;
    // Focusing restarts the focus sprite's animation.
    bool SetFocused(bool focused) override;

    void SetFont(CFont* font);
    // The caller keeps the text alive while the widget shows it.
    void SetText(const char16_t* text);
    // n > 0: at least (at most) n lines; otherwise no limit.
    void SetMinLines(std::int32_t lines);
    void SetMaxLines(std::int32_t lines);
    // Neither setter repaints: the screens call them while building.
    void SetTransitionOwner(CNode* node) { m_transitionOwner = node; }
    void SetFocusSprite(SZ_Presenter* sprite) { m_focusSprite = sprite; }
    SZ_Presenter* GetFocusSprite() const { return m_focusSprite; }
    std::int32_t GetLineCount() const { return m_lineCount; }

    // Pixels the text is still shifted to the right by the slide-in.
    std::int32_t SlideOffset() const;

private:
    bool TransitionFinished() const;
    void DrawText(std::int32_t slide);

    std::int32_t m_minLines = -1;
    std::int32_t m_maxLines = -1;
    std::int16_t m_slideDistance = 0;
    std::int16_t m_slideSpeed = 0;
    CNode* m_transitionOwner = nullptr;
    CFont* m_font = nullptr;
    const char16_t* m_text = nullptr;
    SZ_Presenter* m_focusSprite = nullptr;
    std::int32_t m_lineCount = 0;
    std::int32_t m_wrappedWidth = 0;  // 0 forces a new wrap
    CTextParser m_lines;
};
