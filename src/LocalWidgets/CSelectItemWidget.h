// One line of a select list: a text beside an optional mark image that
// shows whether the item is checked. The left and right keys uncheck and
// check it. Images are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CTextWidget.h"

class CImage;

class CSelectItemWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x6BBC6090;

    CSelectItemWidget();
    ~CSelectItemWidget() override;

    // The text takes the item's colours, alignment and capabilities and the
    // width beside the mark column, centred on the taller of the two.
    void Measure() override;
    void Layout() override;
    // The highlight bar or the background (unless the text draws a focus
    // sprite), the mark, then the text.
    void Draw() override;
    bool Update(std::uint32_t dt) override;
    // Each also reaches the text.
    bool SetFocused(bool focused) override;
    bool SetSelected(bool selected) override;
    // Left unchecks, right checks; nobody is told.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    void SetFont(CFont* font);
    void SetText(const char16_t* text);
    void SetMaxLines(std::int32_t lines);
    void SetFocusSprite(SZ_Presenter* sprite) { m_text.SetFocusSprite(sprite); }
    void SetTransitionOwner(CNode* node) { m_text.SetTransitionOwner(node); }
    void SetCheckedImage(CImage* image) { SetImage(m_checkedImage, image); }
    void SetUncheckedImage(CImage* image) { SetImage(m_uncheckedImage, image); }
    // Kept, never drawn.
    void SetThirdImage(CImage* image) { SetImage(m_thirdImage, image); }
    void SetChecked(bool checked);
    bool IsChecked() const { return m_checked != 0; }
    CTextWidget& GetTextWidget() { return m_text; }

private:
    void SetImage(CImage*& slot, CImage* image) {
        slot = image;
        InvalidateSize();
    }

    CTextWidget m_text;
    CImage* m_checkedImage = nullptr;
    CImage* m_uncheckedImage = nullptr;
    CImage* m_thirdImage = nullptr;
    std::int32_t m_checkedX = 0;
    std::int32_t m_checkedY = 0;
    std::int32_t m_uncheckedX = 0;
    std::int32_t m_uncheckedY = 0;
    std::uint8_t m_checked = 0;
};
