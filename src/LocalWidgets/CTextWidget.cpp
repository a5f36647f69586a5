#include "src/LocalWidgets/CTextWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CFont.h"
#include "src/LocalWidgets/WidgetLinks.h"

namespace {

constexpr const char16_t* kEllipsis = u"...";

}  // namespace

CTextWidget::CTextWidget() {
    SetClassId(kClassId);
    std::int32_t width = 0, height = 0;
    GetSurfaceSize(&width, &height, "CTextWidget.cpp", 45);
    m_slideDistance = static_cast<std::int16_t>(width);
    m_slideSpeed = static_cast<std::int16_t>(3 * width);
}

void CTextWidget::SetFont(CFont* font) {
    m_font = font;
    m_wrappedWidth = 0;
    m_lines.Clear();  // no line may outlive the font or text it was made from
    InvalidateSize();
}

void CTextWidget::SetText(const char16_t* text) {
    m_text = text;
    m_wrappedWidth = 0;
    m_lines.Clear();
    InvalidateSize();
}

void CTextWidget::SetMinLines(std::int32_t lines) {
    m_minLines = lines;
    InvalidateSize();
}

void CTextWidget::SetMaxLines(std::int32_t lines) {
    m_maxLines = lines;
    InvalidateSize();
}

void CTextWidget::Measure() {
    const std::int32_t width = LocalRect().w;
    if (m_wrappedWidth != width) {
        m_lines.SetFont(m_font);
        m_lines.SetText(m_text);
        m_lines.SetWidth(width);
        m_lines.Parse();  // a failure keeps the lines made so far
        m_wrappedWidth = width;
    }
    m_lineCount = m_lines.GetLineCount();
    if (m_minLines > 0) m_lineCount = std::max(m_lineCount, m_minLines);
    if (m_maxLines > 0) m_lineCount = std::min(m_lineCount, m_maxLines);
    // A font of no height (broken archive data) takes no room.
    const std::int32_t lineHeight = m_font != nullptr ? std::max(0, m_font->GetHeight()) : 0;
    SetMeasuredSize(kFill, m_lineCount * lineHeight);
}

bool CTextWidget::TransitionFinished() const {
    return m_transitionOwner == nullptr ||
           widgetlinks::TransitionElapsed(m_transitionOwner) >= widgetlinks::TransitionTime(m_transitionOwner);
}

std::int32_t CTextWidget::SlideOffset() const {
    // An intro shorter than the slide would leave the text short of its
    // place for good: it is there once the intro has ended.
    if (TransitionFinished()) return 0;
    const std::int64_t travelled = std::int64_t{widgetlinks::TransitionElapsed(m_transitionOwner)} * m_slideSpeed / 1000;
    return static_cast<std::int32_t>(std::max<std::int64_t>(0, m_slideDistance - travelled));
}

void CTextWidget::Draw() {
    const std::int32_t slide = SlideOffset();
    if (!IsFocused() || slide != 0) {
        FillBackground();
    } else if (m_focusSprite != nullptr) {
        const CRect& screen = ScreenRect();
        widgetlinks::DrawSprite(m_focusSprite, screen.x + (screen.w >> 1), screen.y + (screen.h >> 1));
    } else {
        FillHighlightBar();
    }
    DrawText(slide);
}

void CTextWidget::DrawText(std::int32_t slide) {
    if (m_font == nullptr || m_text == nullptr) return;
    const std::int32_t height = m_font->GetHeight();
    if (height <= 0) return;  // a broken font: no line has a place
    const CRect& screen = ScreenRect();
    const std::int32_t ellipsisWidth = m_font->Measure(kEllipsis, -1, -1, nullptr);
    const std::int32_t first = GetClipOffsetY() / height;
    const std::int32_t count = std::min(m_lineCount, screen.h / height + 1);
    const std::int32_t flags = IsTransparent() ? 1 : 0;
    m_font->SetColours(IsFocused() ? GetHighlightColour() : GetBackgroundColour(), GetForegroundColour());
    for (std::int32_t line = first; line < first + count; ++line) {
        std::int32_t length = m_lines.GetLineLength(line);
        if (length == 0) continue;
        const bool ellipsis = m_maxLines >= 1 && line == m_maxLines - 1 && m_lines.GetLineCount() > m_maxLines;
        const std::int32_t extra = ellipsis ? ellipsisWidth : 0;
        // A room below 0 would read as no limit at all.
        const std::int32_t room = std::max(0, screen.w - extra);
        const char16_t* text = m_lines.GetLineText(line);
        const std::int32_t width = m_font->Measure(text, length, room, &length);
        const std::int32_t x = AlignX(screen.x, screen.x + screen.w, width + extra) - GetClipOffsetX() + slide;
        const std::int32_t y = screen.y + line * height - GetClipOffsetY();
        m_font->DrawString(text, length, &screen, x, y, flags);
        if (ellipsis) m_font->DrawString(kEllipsis, -1, &screen, x + width, y, flags);
    }
}

bool CTextWidget::Update(std::uint32_t dt) {
    const bool finished = TransitionFinished();
    if (m_focusSprite != nullptr && IsFocused() && m_transitionOwner != nullptr && finished) {
        widgetlinks::UpdateSprite(m_focusSprite, dt);
        MarkDirty();
        return true;
    }
    if (finished && !IsFocused()) return false;
    MarkDirty();
    if (m_focusSprite != nullptr) widgetlinks::StartSpriteAnimation(m_focusSprite, kFocusAnimation);
    return true;
}

bool CTextWidget::SetFocused(bool focused) {
    CUIWidget::SetFocused(focused);
    if (focused && m_focusSprite != nullptr) widgetlinks::StartSpriteAnimation(m_focusSprite, kFocusAnimation);
    return true;
}
