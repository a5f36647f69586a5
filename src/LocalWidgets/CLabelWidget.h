// One line of text in a font, placed by the alignment. The font and the
// text are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CUIWidget.h"

class CFont;

class CLabelWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x39175B50;

    CLabelWidget() { SetClassId(kClassId); }
    ~CLabelWidget() override = default;

    // The text's width and the font's line height.
    void Measure() override;
    // A focused label fills its rect with the highlight colour.
    void Draw() override;

    void SetFont(CFont* font);
    void SetText(const char16_t* text);

private:
    CFont* m_font = nullptr;
    const char16_t* m_text = nullptr;
};
