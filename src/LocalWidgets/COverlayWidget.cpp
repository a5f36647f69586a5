#include "src/LocalWidgets/COverlayWidget.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CFont.h"
#include "platform/shared/graphics/2d/CImage.h"
#include "platform/shared/graphics/2d/RectUtil.h"

namespace {

constexpr const char* kSource = "COverlayWidget.cpp";

}  // namespace

void COverlayWidgetDrawItem::Draw(const CRect&, std::int32_t, std::int32_t) {}

void COverlayWidgetDrawImage::Draw(const CRect& clip, std::int32_t x, std::int32_t y) {
    if (m_image != nullptr) m_image->Draw(&clip, x + offsetX, y + offsetY);
}

void COverlayWidgetDrawImage::SetImage(CImage* image) {
    DebugAssert(image != nullptr, kSource, __LINE__);
    m_image = image;
}

void COverlayWidgetDrawText::Draw(const CRect& clip, std::int32_t x, std::int32_t y) {
    if (m_font == nullptr || m_text == nullptr) return;
    m_font->SetColours(m_firstColour, m_secondColour);
    m_font->DrawString(m_text, -1, &clip, x + offsetX, y + offsetY, m_drawFlag != 0 ? 1 : 0);
}

void COverlayWidgetDrawText::SetColours(std::uint32_t first, std::uint32_t second) {
    m_firstColour = first;
    m_secondColour = second;
}

COverlayWidget::~COverlayWidget() {
    while (CLinkListNode* item = m_items.GetHead()) {
        m_items.Remove(item);
        delete static_cast<COverlayWidgetDrawItem*>(item);
    }
}

void COverlayWidget::Measure() {
    if (m_image != nullptr) SetMeasuredSize(m_image->GetWidth(), m_image->GetHeight());
}

void COverlayWidget::Draw() {
    FillBackground();
    const CRect& screen = ScreenRect();
    CRect area = screen;
    if (m_image != nullptr) {
        area = WidgetRect(AlignX(screen.x, screen.x + screen.w, m_image->GetWidth()), screen.y, m_image->GetWidth(),
                          m_image->GetHeight());
        ClipRect(&area, &screen);
        m_image->Draw(&area, area.x - GetClipOffsetX(), area.y - GetClipOffsetY());
    }
    for (CLinkListNode* node = m_items.GetHead(); node != nullptr; node = node->GetNext()) {
        static_cast<COverlayWidgetDrawItem*>(node)->Draw(area, area.x - GetClipOffsetX(), area.y - GetClipOffsetY());
    }
}

void COverlayWidget::SetImage(CImage* image) {
    m_image = image;
    InvalidateSize();
}

void COverlayWidget::AddItem(COverlayWidgetDrawItem* item) {
    DebugAssert(item != nullptr, kSource, __LINE__);
    m_items.AddHead(item, item);
    Invalidate();
}
