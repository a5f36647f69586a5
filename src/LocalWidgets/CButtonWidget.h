// A framed push button: its text centred in a cell as wide as the text plus
// an inset on either side (at most the button's width), the cell filled
// with the highlight colour while focused. The font and the text are not
// owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CTextWidget.h"

class CButtonWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x12345678;

    CButtonWidget();
    ~CButtonWidget() override;

    // Fills the width; as high as the label's lines plus the insets. The
    // label takes the button's colours and capabilities.
    void Measure() override;
    void Layout() override;
    void Draw() override;
    // Each also reaches the label.
    bool SetFocused(bool focused) override;
    bool SetSelected(bool selected) override;

    void SetInset(std::int32_t pixels);
    void SetFrameThickness(std::int32_t pixels);
    void SetMaxLines(std::int32_t lines);
    void SetFont(CFont* font);
    void SetText(const char16_t* text);

private:
    std::int32_t m_inset = 4;
    std::int32_t m_frameThickness = 1;
    CFont* m_font = nullptr;
    const char16_t* m_text = nullptr;
    std::int32_t m_contentWidth = 0;
    CTextWidget m_label;
};
