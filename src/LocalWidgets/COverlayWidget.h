// An optional background image with draw items (images and texts) on top,
// each placed by an offset from the image's top-left corner, or from the
// widget's when there is no image. The widget owns its items and draws the
// one added last first; images, fonts and texts stay the caller's.
#pragma once

#include <cstdint>

#include "platform/shared/core/CLinkList.h"
#include "src/LocalWidgets/CUIWidget.h"

class CFont;
class CImage;

class COverlayWidgetDrawItem : public CLinkListNode {
public:
    // Draws at (x + offsetX, y + offsetY) within clip; the base draws
    // nothing.
    virtual void Draw(const CRect& clip, std::int32_t x, std::int32_t y);

    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
};

class COverlayWidgetDrawImage : public COverlayWidgetDrawItem {
public:
    void Draw(const CRect& clip, std::int32_t x, std::int32_t y) override;
    // The image must not be null.
    void SetImage(CImage* image);

private:
    CImage* m_image = nullptr;
};

class COverlayWidgetDrawText : public COverlayWidgetDrawItem {
public:
    // Nothing without a font or a text.
    void Draw(const CRect& clip, std::int32_t x, std::int32_t y) override;
    void SetColours(std::uint32_t first, std::uint32_t second);
    void SetDrawFlag(std::uint8_t flag) { m_drawFlag = flag; }
    void SetFont(CFont* font) { m_font = font; }
    void SetText(const char16_t* text) { m_text = text; }

private:
    std::uint32_t m_firstColour = 0xFF000000;
    std::uint32_t m_secondColour = 0xFFFFFFFF;
    std::uint8_t m_drawFlag = 1;
    CFont* m_font = nullptr;
    const char16_t* m_text = nullptr;
};

class COverlayWidget : public CUIWidget {
public:
    // The bytes "n#gf" in memory.
    static constexpr std::uint32_t kClassId = 0x6667236E;

    COverlayWidget() { SetClassId(kClassId); }
    // Deletes the items still listed.
    ~COverlayWidget() override;

    // The background image's size; without one the size the parent gives.
    void Measure() override;
    void Draw() override;

    void SetImage(CImage* image);
    // Takes the item, which must not be null; it is drawn before the items
    // added earlier.
    void AddItem(COverlayWidgetDrawItem* item);

private:
    CImage* m_image = nullptr;
    CLinkList m_items;
};
