#include "src/LocalWidgets/CUIWidget.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/RectUtil.h"
#include "platform/shared/math/CMathFixed.h"

namespace {

// 22.10 factor of the alignment: centre, else far edge, else near edge.
std::int32_t AlignFactor(std::uint32_t flags, std::uint32_t centre, std::uint32_t far) {
    if (flags & centre) return CMathFixed::kOne / 2;
    return (flags & far) ? CMathFixed::kOne : 0;
}

}  // namespace

CUIWidget::~CUIWidget() {
    m_listNode.Unlink();
    // Nothing else may keep the address of a freed child: its parent
    // forgets it (a parent's own destructor has already detached its
    // children, so a parent seen here is alive).
    if (auto* parent = dynamic_cast<CUIWidget*>(GetParent())) parent->ForgetChild(this);
}

bool CUIWidget::HandleEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32) {
    if (id == EVENT_KEY_PRESS) return OnKeyDown(p16, p32);
    if (id == EVENT_WIDGET_KEY) return OnKeyOther(p16);
    return false;
}

bool CUIWidget::OnChildNotify(std::uint32_t code, std::uint16_t p16, std::uintptr_t p32) {
    std::uint32_t event = 0;
    switch (code) {
        case kNotifyScroll: return OnScrollRequest(p16, static_cast<std::uint32_t>(p32));
        case kNotifyAccept: event = EVENT_WIDGET_ACCEPT; break;
        case kNotifyBack: event = EVENT_WIDGET_BACK; break;
        case kNotifyChanged: event = EVENT_WIDGET_CHANGED; break;
        default: return false;
    }
    if (GetParent() != nullptr) {
        Notify(code, p16, p32);
    } else if (ICCore* core = ICCore::GetInstance()) {
        core->PostEvent(event, p16, p32);
    }
    return false;
}

bool CUIWidget::SetFocused(bool focused) {
    SetStateBits(kFocused, focused && IsFocusable());
    Invalidate();
    return true;
}

bool CUIWidget::SetSelected(bool selected) {
    SetStateBits(kSelected, selected && IsSelectable());
    Invalidate();
    return true;
}

bool CUIWidget::OnScrollRequest(std::uint16_t direction, std::uint32_t amount) {
    Notify(kNotifyScroll, direction, amount);
    return true;
}

bool CUIWidget::OnKeyDown(std::uint16_t, std::uintptr_t) { return false; }

bool CUIWidget::OnKeyOther(std::uint16_t) { return false; }

void CUIWidget::SetColours(std::uint32_t background, std::uint32_t foreground, std::uint32_t highlight) {
    m_background = background;
    m_foreground = foreground;
    m_highlight = highlight;
    Invalidate();
}

void CUIWidget::SetAlignment(std::uint32_t flags) {
    m_alignment = flags;
    InvalidateSize();
}

void CUIWidget::SetTransparent(bool transparent) {
    SetCapabilityBits(kTransparent, transparent);
    Invalidate();
}

void CUIWidget::SetFocusable(bool focusable) {
    SetCapabilityBits(kFocusable, focusable);
    if (!focusable) Focus(false);
    Invalidate();
}

void CUIWidget::SetSelectable(bool selectable) {
    SetCapabilityBits(kSelectable, selectable);
    if (!selectable) Select(false);
    Invalidate();
}

std::int32_t CUIWidget::AlignX(std::int32_t left, std::int32_t right, std::int32_t width) const {
    const std::int32_t t = AlignFactor(m_alignment, kAlignHCentre, kAlignRight);
    return CMathFixed::AlignInRange(left, right, width, t, t);
}

std::int32_t CUIWidget::AlignY(std::int32_t top, std::int32_t bottom, std::int32_t height) const {
    const std::int32_t t = AlignFactor(m_alignment, kAlignVCentre, kAlignBottom);
    return CMathFixed::AlignInRange(top, bottom, height, t, t);
}

void CUIWidget::FillBackground() {
    if (!IsTransparent()) CDrawUtil::FillRect(&ScreenRect(), m_background);
}

void CUIWidget::FillHighlightBar() {
    const CRect& screen = ScreenRect();
    const std::int32_t inset = screen.w >> 3;
    const CRect bar = WidgetRect(screen.x + inset, screen.y, screen.w - 2 * inset, screen.h);
    CDrawUtil::FillRect(&bar, m_highlight);
}

void CUIWidget::FillClipped(CRect rect, std::uint32_t colour) {
    ClipRect(&rect, &ScreenRect());
    CDrawUtil::FillRect(&rect, colour);
}

CRect CUIWidget::ChildScreenRect(CWidget* child) {
    const CRect& screen = ScreenRect();
    const CRect& local = child->GetLocalRect();
    CRect rect = WidgetRect(local.x + screen.x, local.y + screen.y, local.w, local.h);
    ClipRect(&rect, &screen);
    return rect;
}

void CUIWidget::PlaceChild(CWidget* child) {
    child->SetScreenRect(ChildScreenRect(child));
    const CRect& local = child->GetLocalRect();
    child->SetClipOffsetX(std::max(0, GetClipOffsetX() - local.x));
    child->SetClipOffsetY(std::max(0, GetClipOffsetY() - local.y));
}

void CUIWidget::GetSurfaceSize(std::int32_t* width, std::int32_t* height, const char* source, int line) {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    DebugAssert(surface != nullptr, source, line);
    surface->GetSize(width, height);
}

std::int32_t CUIWidget::PlatformThickness() {
    const ICCore* core = ICCore::GetInstance();
    return core != nullptr ? core->GetPlatformCode() : 0;
}
