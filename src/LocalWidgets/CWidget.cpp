#include "src/LocalWidgets/CWidget.h"

#include "platform/shared/core/SystemEvent.h"

void CWidget::Notify(std::uint32_t code, std::uint16_t p16, std::uintptr_t p32) {
    if (m_parent != nullptr) m_parent->DispatchNotify(code, p16, p32);
}

bool CWidget::InvalidateSize() {
    if (m_state & kMeasuring) return false;
    m_state |= kSizeDirty;
    Notify(kNotifySize, 0, 0);
    return true;
}

bool CWidget::InvalidateLayout() {
    if (m_state & kLayingOut) return false;
    m_state |= kLayoutDirty;
    Notify(kNotifyLayout, 0, 0);
    return true;
}

bool CWidget::Invalidate() {
    if (m_state & kPainting) return false;
    m_state |= kPaintDirty;
    Notify(kNotifyPaint, 0, 0);
    return true;
}

bool CWidget::Update(std::uint32_t) { return false; }

bool CWidget::HandleEvent(std::uint32_t, std::uint16_t, std::uintptr_t) { return false; }

bool CWidget::OnChildNotify(std::uint32_t, std::uint16_t, std::uintptr_t) { return false; }

void CWidget::SetEnabled(bool enabled) {
    SetStateBits(kEnabled, enabled);
    Invalidate();
}

void CWidget::SetVisible(bool visible) {
    SetStateBits(kVisible, visible);
    Invalidate();
}

void CWidget::SetLocalRect(const CRect& rect) {
    m_localRect = rect;
    InvalidateSize();
}

const CRect& CWidget::GetLocalRect() {
    EnsureMeasured();
    return m_localRect;
}

std::int32_t CWidget::GetMeasuredWidth() {
    EnsureMeasured();
    return m_measuredWidth;
}

std::int32_t CWidget::GetMeasuredHeight() {
    EnsureMeasured();
    return m_measuredHeight;
}

void CWidget::SetScreenRect(const CRect& rect) {
    m_screenRect = rect;
    InvalidateLayout();
}

const CRect& CWidget::GetScreenRect() {
    EnsureLaidOut();
    return m_screenRect;
}

void CWidget::SetClipOffsetX(std::int32_t offset) {
    m_clipOffsetX = offset;
    Invalidate();
}

void CWidget::SetClipOffsetY(std::int32_t offset) {
    m_clipOffsetY = offset;
    Invalidate();
}

void CWidget::SetPaintCallback(PaintCallback callback, void* data) {
    m_paintCallback = callback;
    m_paintCallbackData = data;
    Invalidate();
}

void CWidget::GetPaintCallback(PaintCallback* callback, void** data) const {
    if (callback != nullptr) *callback = m_paintCallback;
    if (data != nullptr) *data = m_paintCallbackData;
}

bool CWidget::EnsureMeasured() {
    if (!(m_state & kSizeDirty)) return false;
    m_state |= kMeasuring;
    SetMeasuredSize(0, 0);
    Measure();
    m_state &= ~kSizeDirty;
    m_state &= ~kMeasuring;
    InvalidateLayout();  // a new size always needs a new layout
    return true;
}

bool CWidget::EnsureLaidOut() {
    if (m_parent == nullptr) m_screenRect = m_localRect;  // a root's local rect is its screen rect
    if (!(m_state & kLayoutDirty)) return false;
    m_state |= kLayingOut;
    Layout();
    m_state &= ~kLayoutDirty;
    m_state &= ~kLayingOut;
    Invalidate();
    return true;
}

bool CWidget::Paint() {
    EnsureMeasured();
    EnsureLaidOut();
    if ((m_state & (kEnabled | kVisible | kPaintDirty)) != (kEnabled | kVisible | kPaintDirty)) return false;
    m_state |= kPainting;
    if (m_paintCallback != nullptr) m_paintCallback(this, kBeforeDraw, m_paintCallbackData);
    Draw();
    if (m_paintCallback != nullptr) m_paintCallback(this, kAfterDraw, m_paintCallbackData);
    m_state &= ~(kPaintDirty | kPainting);
    return true;
}

bool CWidget::UpdateIfEnabled(std::uint32_t dt) { return IsEnabled() && Update(dt); }

bool CWidget::DispatchEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32) {
    switch (id) {
        case EVENT_REDRAW:
        case EVENT_PAUSE_REQUEST:
        case EVENT_CLAMSHELL:
        case EVENT_RESUME: Invalidate(); return true;
        default: return IsEnabled() && HandleEvent(id, p16, p32);
    }
}

bool CWidget::DispatchNotify(std::uint32_t code, std::uint16_t p16, std::uintptr_t p32) {
    switch (code) {
        case kNotifySize: return InvalidateSize();
        case kNotifyLayout: return InvalidateLayout();
        case kNotifyPaint: return Invalidate();
        default: return IsEnabled() && OnChildNotify(code, p16, p32);
    }
}
