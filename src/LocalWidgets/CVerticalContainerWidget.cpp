#include "src/LocalWidgets/CVerticalContainerWidget.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/RectUtil.h"
#include "src/LocalWidgets/CSliderWidget.h"
#include "src/LocalWidgets/WidgetLinks.h"

namespace {

constexpr const char* kSource = "CVerticalContainerWidget.cpp";

}  // namespace

CVerticalContainerWidget::~CVerticalContainerWidget() { DetachSlider(); }

std::int32_t CVerticalContainerWidget::IndicatorRoom(SZ_Presenter* indicator) const {
    return indicator != nullptr ? widgetlinks::SpriteHeight(indicator) + 2 * m_spacing : 0;
}

void CVerticalContainerWidget::Measure() {
    std::int32_t surfaceWidth = 0, surfaceHeight = 0;
    GetSurfaceSize(&surfaceWidth, &surfaceHeight, kSource, 68);
    m_spacing = static_cast<std::int32_t>(static_cast<std::uint32_t>(surfaceHeight) / 60);
    m_overflow = 0;
    std::int32_t used = 0;
    StackChildren(false, surfaceHeight, used);
    StackChildren(true, surfaceHeight, used);
    AttachSlider();
    ResetChildFocus();
    SetMeasuredSize(kFill, used);
}

void CVerticalContainerWidget::StackChildren(bool secondPass, std::int32_t surfaceHeight, std::int32_t& used) {
    const CRect& local = LocalRect();
    const std::int32_t inner = local.h - m_marginTop - m_marginBottom;
    std::int32_t room = local.h;
    // The whole stack moves by this container's alignment within the inner
    // height, once the first pass found that it fits.
    std::int32_t shift = 0;
    if (secondPass) {
        if (m_overflow) {
            room -= IndicatorsRoom();
        } else {
            shift = AlignY(0, inner, used);
        }
    }
    std::int32_t y = m_marginTop + shift;
    std::int32_t width = local.w - 2 * m_marginX;
    if (m_overflow && m_slider != nullptr) width -= m_slider->GetThickness();
    const bool canOverflow = m_slider != nullptr || (m_upIndicator != nullptr && m_downIndicator != nullptr);
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        CRect rect = WidgetRect(m_marginX, y, width, room - m_marginTop - m_marginBottom);
        child->SetLocalRect(rect);
        std::int32_t h = child->GetMeasuredHeight();
        // A filling child takes three quarters of the surface.
        if (h < 0) h = std::max(0, static_cast<std::int16_t>(surfaceHeight) * 3 / 4);
        rect.h = static_cast<std::int16_t>(h);
        child->SetLocalRect(rect);
        y += h;
        room -= h;
        if (canOverflow && !m_overflow && y - shift > inner) {
            // The second pass stacks in the room the first one found.
            DebugAssert(!secondPass, kSource, 162);
            m_overflow = 1;
            break;
        }
    }
    used = local.h - room;
}

void CVerticalContainerWidget::AttachSlider() {
    if (m_slider == nullptr) return;
    m_slider->SetParent(this);
    m_slider->SetFocusable(false);
    m_slider->SetSelectable(false);
    m_slider->SetEnabled(m_overflow != 0);
    m_slider->SetVisible(m_overflow != 0);
    if (!m_overflow) return;
    const CRect& local = LocalRect();
    const std::int32_t width = m_slider->GetThickness();
    m_slider->SetLocalRect(
        WidgetRect(local.w - width, m_marginTop, width, local.h - m_marginTop - m_marginBottom));
    m_slider->EnsureMeasured();
}

void CVerticalContainerWidget::DetachSlider() {
    if (m_slider != nullptr && m_slider->GetParent() == this) m_slider->SetParent(nullptr);
}

void CVerticalContainerWidget::Layout() {
    const CRect& screen = ScreenRect();
    std::int32_t contentY = screen.y + m_marginTop;
    std::int32_t contentH = std::max(0, screen.h - m_marginTop - m_marginBottom);
    std::int32_t above = 0;  // room reserved above the content for the up indicator
    if (m_overflow && m_slider == nullptr) {
        above = IndicatorRoom(m_upIndicator);
        contentY += above;
        contentH -= above + IndicatorRoom(m_downIndicator);
    }
    const CRect content =
        WidgetRect(screen.x + m_marginX, contentY, std::max(0, screen.w - 2 * m_marginX), contentH);

    // A container that its own parent scrolls passes the hidden part on.
    const std::int32_t offsetX = m_scrollX + GetClipOffsetX();
    const std::int32_t offsetY = m_scrollY + GetClipOffsetY();
    std::int32_t remaining = content.h;
    CUIWidget* child = GetFirstChild();
    for (; child != nullptr && remaining > 0; child = GetNextChild(child)) {
        const CRect local = child->GetLocalRect();
        CRect rect = WidgetRect(screen.x + local.x - offsetX, screen.y + local.y - offsetY + above, local.w, local.h);
        ClipRect(&rect, &content);
        child->SetScreenRect(rect);
        child->SetClipOffsetX(std::max(0, offsetX - local.x));
        child->SetClipOffsetY(std::max(0, offsetY - local.y));
        child->EnsureLaidOut();
        const bool inView = rect.w > 0 && rect.h > 0;
        child->SetEnabled(inView);
        child->SetVisible(inView);
        remaining -= rect.h;
    }
    for (; child != nullptr; child = GetNextChild(child)) {
        child->SetEnabled(false);
        child->SetVisible(false);
    }
    if (m_slider != nullptr && m_overflow) {
        m_slider->SetScreenRect(ChildScreenRect(m_slider));
        m_slider->SetClipOffsetX(0);
        m_slider->SetClipOffsetY(0);
    }
}

void CVerticalContainerWidget::Draw() {
    CContainerWidget::Draw();
    const CRect& screen = ScreenRect();
    const std::int32_t measured = GetMeasuredHeight();
    if (m_overflow && m_slider != nullptr) {
        m_slider->SetRange(m_scrollY, measured - screen.h, screen.h);
        m_slider->MarkDirty();
        m_slider->Paint();
        return;
    }
    const std::int32_t centreX = screen.x + (screen.w >> 1);
    std::int32_t reserved = 0;
    if (m_upIndicator != nullptr) {
        const std::int32_t height = widgetlinks::SpriteHeight(m_upIndicator);
        reserved += height + m_spacing;
        if (m_scrollY > 0 || m_wrap) {
            widgetlinks::DrawSpriteAtOffset(m_upIndicator, centreX, screen.y + height + m_spacing);
        }
    }
    if (m_downIndicator != nullptr) {
        reserved += widgetlinks::SpriteHeight(m_downIndicator) + m_spacing;
        if (measured - m_scrollY - screen.h + reserved >= 1 || m_wrap) {
            widgetlinks::DrawSpriteAtOffset(m_downIndicator, centreX, screen.y + screen.h - m_spacing);
        }
    }
}

void CVerticalContainerWidget::ForgetChild(CUIWidget* child) {
    if (m_slider == child) m_slider = nullptr;
    CContainerWidget::ForgetChild(child);
}

void CVerticalContainerWidget::SetScrollIndicators(SZ_Presenter* up, SZ_Presenter* down) {
    DetachSlider();
    m_slider = nullptr;
    m_upIndicator = up;
    m_downIndicator = down;
    InvalidateSize();
}

void CVerticalContainerWidget::SetSlider(CSliderWidget* slider) {
    DetachSlider();
    m_slider = slider;
    // Its parent from the start: a slider destroyed before the next Measure
    // is forgotten as well.
    if (slider != nullptr) slider->SetParent(this);
    m_upIndicator = nullptr;
    m_downIndicator = nullptr;
    InvalidateSize();
}
