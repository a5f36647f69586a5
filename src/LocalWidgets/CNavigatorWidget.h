// A one-line selector: one of N value texts between a left and a right
// arrow, each arrow shown only where a step its way is possible. The left
// and right keys step and tell the parent (value changed). Images, font,
// texts and the text array are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CTextWidget.h"

class CImage;

class CNavigatorWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0xFF7FD052;

    CNavigatorWidget();
    ~CNavigatorWidget() override;

    // Fills the width; the text (centred, between the arrows) and the
    // arrows centred on the taller of the two.
    void Measure() override;
    void Layout() override;
    void Draw() override;
    // Each also reaches the text.
    bool SetFocused(bool focused) override;
    bool SetSelected(bool selected) override;
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    void SetLeftArrowImage(CImage* image);
    void SetRightArrowImage(CImage* image);
    void SetValueCount(std::int32_t count);
    void SetFont(CFont* font);
    void SetText(const char16_t* text);
    void SetMaxLines(std::int32_t lines);
    // One text per value (an entry may be null); shows the current one.
    void SetValueTexts(const char16_t* const* texts);
    // Clamped to 0 .. N - 1, which leaves -1 when there are no values.
    // Returns the new index.
    std::int32_t SetIndex(std::int32_t index);
    std::int32_t GetIndex() const { return m_index; }

private:
    // Shows the current value's text when there is one.
    bool ShowValueText();

    std::int32_t m_count = 0;
    const char16_t* const* m_texts = nullptr;
    std::int32_t m_index = 0;
    std::int32_t m_arrowOffset = 0;
    CImage* m_leftArrow = nullptr;
    CImage* m_rightArrow = nullptr;
    CTextWidget m_text;
};
