#include "src/LocalWidgets/CFrameWidget.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CImage.h"

namespace {

std::int32_t WidthOf(const CImage* image) { return image != nullptr ? image->GetWidth() : 0; }
std::int32_t HeightOf(const CImage* image) { return image != nullptr ? image->GetHeight() : 0; }

}  // namespace

void CFrameWidget::Measure() {
    const std::int32_t top = HeightOf(m_topEdge) + m_marginTop;
    const std::int32_t bottom = HeightOf(m_bottomEdge) + m_marginBottom;
    const std::int32_t left = WidthOf(m_leftEdge) + m_marginX;
    const std::int32_t right = WidthOf(m_rightEdge) + m_marginX;
    std::int32_t width = left + right;
    std::int32_t height = top + bottom;
    SetMeasuredSize(width, height);
    CUIWidget* content = GetContent();
    if (content == nullptr) return;

    const CRect& local = LocalRect();
    content->SetLocalRect(
        WidgetRect(left, top, std::max(0, local.w - left - right), std::max(0, local.h - top - bottom)));
    const std::int32_t contentWidth = content->GetMeasuredWidth();
    const std::int32_t contentHeight = content->GetMeasuredHeight();
    DebugAssert(contentWidth >= 1 || contentWidth == kFill, "CFrameWidget.cpp", 145);
    DebugAssert(contentHeight >= 1 || contentHeight == kFill, "CFrameWidget.cpp", 146);
    width = contentWidth > 0 && m_fitWidth ? width + contentWidth : kFill;
    height = contentHeight > 0 && m_fitHeight ? height + contentHeight : kFill;
    SetMeasuredSize(width, height);
    MoveFocus(true);
}

void CFrameWidget::Layout() {
    CUIWidget* content = GetContent();
    if (content == nullptr) return;
    PlaceChild(content);
}

void CFrameWidget::Draw() {
    const CRect& screen = ScreenRect();
    if (!IsTransparent()) {
        const CRect inside = WidgetRect(screen.x + m_marginX, screen.y + m_marginTop, screen.w - 2 * m_marginX,
                                        screen.h - m_marginTop - m_marginBottom);
        CDrawUtil::FillRect(&inside, GetBackgroundColour());
    }
    if (CUIWidget* content = GetContent()) {
        content->MarkDirty();
        content->Paint();
    }

    const std::int32_t left = screen.x;
    const std::int32_t top = screen.y;
    const std::int32_t right = screen.x + screen.w;
    const std::int32_t bottom = screen.y + screen.h;
    if (m_topEdge != nullptr) {
        CDrawUtil::TileImage(&screen, m_topEdge, left + WidthOf(m_topLeft), top, right - WidthOf(m_topRight),
                             top + m_topEdge->GetHeight());
    }
    if (m_bottomEdge != nullptr) {
        CDrawUtil::TileImage(&screen, m_bottomEdge, left + WidthOf(m_bottomLeft), bottom - m_bottomEdge->GetHeight(),
                             right - WidthOf(m_bottomRight), bottom);
    }
    if (m_leftEdge != nullptr) {
        CDrawUtil::TileImage(&screen, m_leftEdge, left, top + HeightOf(m_topLeft), left + m_leftEdge->GetWidth(),
                             bottom - HeightOf(m_bottomLeft));
    }
    if (m_rightEdge != nullptr) {
        CDrawUtil::TileImage(&screen, m_rightEdge, right - m_rightEdge->GetWidth(), top + HeightOf(m_topRight), right,
                             bottom - HeightOf(m_bottomRight));
    }
    if (m_topLeft != nullptr) m_topLeft->Draw(&screen, left, top);
    if (m_topRight != nullptr) m_topRight->Draw(&screen, right - m_topRight->GetWidth(), top);
    if (m_bottomLeft != nullptr) m_bottomLeft->Draw(&screen, left, bottom - m_bottomLeft->GetHeight());
    if (m_bottomRight != nullptr) {
        m_bottomRight->Draw(&screen, right - m_bottomRight->GetWidth(), bottom - m_bottomRight->GetHeight());
    }
}

void CFrameWidget::SetContent(CUIWidget* widget) {
    RemoveChild(GetContent());
    if (widget != nullptr) AddChild(widget, 0);
}
