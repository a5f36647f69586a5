#include "src/LocalWidgets/CTextEditWidget.h"

#include <algorithm>
#include <limits>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CFont.h"
#include "platform/shared/graphics/2d/RectUtil.h"

namespace {

constexpr const char* kSource = "CTextEditWidget.cpp";

// Letter case over ASCII and Latin-1 (the multiplication and division signs
// have no case).
char16_t ToUpper(char16_t c) {
    const bool lower = (c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
    return lower ? static_cast<char16_t>(c - 0x20) : c;
}

char16_t ToLower(char16_t c) {
    const bool upper = (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    return upper ? static_cast<char16_t>(c + 0x20) : c;
}

// The text and its terminator, a byte per character ('?' above 0xFF); the
// destination holds the text's length + 1 bytes.
void NarrowText(char* destination, const char16_t* source) {
    std::size_t i = 0;
    do {
        destination[i] = source[i] > 0xFF ? '?' : static_cast<char>(source[i]);
    } while (source[i++] != 0);
}

}  // namespace

const CTextEditWidget::KeyTable CTextEditWidget::kDefaultKeys = {
    {1, 10, 4, 4, 4, 4, 4, 5, 4, 5},
    {u"0", u".,-'@:!?/1", u"abc2", u"def3", u"ghi4", u"jkl5", u"mno6", u"pqrs7", u"tuv8", u"wxyz9"},
};

void CTextEditWidget::Measure() { SetMeasuredSize(kFill, m_lineHeight + 8); }

void CTextEditWidget::Draw() {
    FillBackground();
    const CRect& screen = ScreenRect();
    const std::int32_t clipX = GetClipOffsetX(), clipY = GetClipOffsetY();
    const CRect frame = WidgetRect(screen.x - clipX, screen.y - clipY, screen.w, GetMeasuredHeight());
    CDrawUtil::DrawFrame(&screen, &frame, IsFocused() ? GetHighlightColour() : m_borderColour, 2, 0);
    if (m_font == nullptr) return;

    const std::int32_t textWidth = m_font->Measure(m_text, -1, -1, nullptr);
    const std::int32_t cursorX = m_font->Measure(m_text, m_cursor, -1, nullptr);
    CRect textRect = WidgetRect(screen.x + 5, screen.y + 4, screen.w - 10, m_lineHeight);
    ClipRect(&textRect, &screen);
    // The cursor at the left edge when the rest of the text does not fit,
    // else the end of the text at the right edge when the text is wider.
    const std::int32_t after = textWidth - cursorX;
    const std::int32_t scroll =
        after > textRect.w ? -cursorX : (after < 0 ? after : -std::max(textWidth - textRect.w, 0));

    const bool pending = IsFocused() && m_pending && m_cursor > 0;
    CRect cell;
    if (pending) {
        const std::int32_t charWidth = m_font->Measure(m_text + m_cursor - 1, 1, -1, nullptr);
        cell = WidgetRect(std::int64_t{screen.x} + 5 + scroll + cursorX - charWidth, screen.y + 4, charWidth,
                          m_lineHeight);
        ClipRect(&cell, &screen);
        CDrawUtil::FillRect(&cell, m_borderColour);
    }
    const std::int32_t flags = IsTransparent() ? 1 : 0;
    m_font->SetColours(GetBackgroundColour(), GetForegroundColour());
    m_font->DrawString(m_text, -1, &textRect, textRect.x + scroll - clipX, textRect.y - clipY, flags);
    if (pending) {
        m_font->SetColours(m_borderColour, GetForegroundColour());
        m_font->DrawString(m_text + m_cursor - 1, 1, &cell, cell.x - clipX, cell.y - clipY, 1);
    } else if (IsFocused()) {
        FillClipped(WidgetRect(std::int64_t{screen.x} + 4 + scroll + cursorX, screen.y + 4, 1, m_lineHeight),
                    m_borderColour);
    }
}

bool CTextEditWidget::Update(std::uint32_t dt) {
    if (!m_pending) return false;
    const auto elapsed =
        static_cast<std::int32_t>(std::min<std::uint32_t>(dt, std::numeric_limits<std::int32_t>::max()));
    if (m_multiTapTimer.Update(elapsed) > 0) CommitPending();
    return true;
}

bool CTextEditWidget::OnKeyDown(std::uint16_t key, std::uintptr_t) {
    if (m_mode == kModeNone) return false;
    switch (key) {
        case kKeyLeft: SetCursor(m_cursor - 1); return true;
        case kKeyRight: SetCursor(m_cursor + 1); return true;
        case kKeyBack: return DeleteChar();
        case u'#':
            if (m_mode == kModeAlphanumeric || m_mode == kModeLetters) InsertChar(u' ');
            CommitPending();
            return true;
        case u'*':
            if (!m_caseLocked) m_upperCase = !m_upperCase;
            CommitPending();
            return true;
        default: break;
    }
    if (key >= u'0' && key <= u'9') {
        MultiTap(key - u'0');
        return true;
    }
    CommitPending();
    return false;
}

void CTextEditWidget::MultiTap(std::int32_t key) {
    const std::int32_t length = m_keys->lengths[key];
    const bool fresh = m_mode == kModeDigits || key != m_pendingKey;
    if (fresh) m_tapIndex = -1;
    m_pendingKey = key;
    switch (m_mode) {
        case kModeAlphanumeric:
            if (++m_tapIndex == length) m_tapIndex = 0;
            break;
        case kModeDigits: m_tapIndex = length - 1; break;
        case kModeLetters:
            // The key's own digit, last in its sequence, is left out.
            if (length != 1) m_tapIndex = (m_tapIndex + 1) % (length - 1);
            break;
        default: DebugAssert(false, kSource, __LINE__); return;
    }
    if (m_tapIndex < 0 || m_tapIndex >= length) {
        CommitPending();
        return;
    }
    const char16_t c = m_keys->sequences[key][m_tapIndex];
    const char16_t typed = m_upperCase ? ToUpper(c) : ToLower(c);
    if (fresh) {
        InsertChar(typed);
    } else {
        ReplaceChar(typed);
    }
}

bool CTextEditWidget::InsertChar(char16_t c) {
    if (m_length >= m_maxLength) {
        CommitPending();
        return false;
    }
    std::copy_backward(m_text + m_cursor, m_text + m_length, m_text + m_length + 1);
    m_text[m_cursor++] = c;
    m_text[++m_length] = 0;
    ArmMultiTap();
    return true;
}

bool CTextEditWidget::ReplaceChar(char16_t c) {
    const std::int32_t at = m_cursor - 1;
    if (at < 0 || at >= m_length) return false;
    m_text[at] = c;
    ArmMultiTap();
    return true;
}

bool CTextEditWidget::DeleteChar() {
    if (m_length < 1 || m_cursor < 1) return false;
    --m_length;
    --m_cursor;
    std::copy(m_text + m_cursor + 1, m_text + m_length + 1, m_text + m_cursor);
    CommitPending();
    m_text[m_length] = 0;
    return true;
}

void CTextEditWidget::ArmMultiTap() {
    if (m_mode == kModeAlphanumeric || m_mode == kModeLetters) {
        m_multiTapTimer.Start(kMultiTapMs, false);
        m_pending = 1;
    } else {
        CommitPending();
    }
    Invalidate();
}

void CTextEditWidget::CommitPending() {
    m_multiTapTimer.Stop();
    m_pending = 0;
    m_pendingKey = -1;
    Invalidate();
}

void CTextEditWidget::SetKeyTable(const KeyTable* table) {
    DebugAssert(table == nullptr, kSource, __LINE__);
    m_keys = &kDefaultKeys;
}

void CTextEditWidget::SetBorderColour(std::uint32_t colour) {
    m_borderColour = colour;
    Invalidate();
}

void CTextEditWidget::SetCase(std::uint32_t upper, std::uint32_t locked) {
    m_upperCase = static_cast<std::uint8_t>(upper);
    m_caseLocked = static_cast<std::uint8_t>(locked);
}

void CTextEditWidget::SetMaxLength(std::int32_t length) {
    DebugAssert(length >= 1 && length <= kCapacity, kSource, __LINE__);
    m_maxLength = std::min(length, kCapacity);
}

void CTextEditWidget::SetFont(CFont* font) {
    m_font = font;
    m_lineHeight = font != nullptr ? font->GetHeight() : 0;
    InvalidateSize();
}

void CTextEditWidget::SetCursor(std::int32_t position) {
    if (position >= 0 && position <= m_length) m_cursor = position;
    CommitPending();
}

void CTextEditWidget::SetText(const char16_t* text) {
    m_length = 0;
    while (text != nullptr && m_length < m_maxLength && text[m_length] != 0) {
        m_text[m_length] = text[m_length];
        ++m_length;
    }
    m_text[m_length] = 0;
    m_cursor = m_length;
    CommitPending();
}

void CTextEditWidget::CopyText(char16_t* destination, std::uint16_t size) const {
    DebugAssert(destination != nullptr && size != 0, kSource, __LINE__);
    const std::int32_t count = std::min<std::int32_t>(m_length, size - 1);
    std::copy(m_text, m_text + count, destination);
    destination[count] = 0;
}

std::int32_t CTextEditWidget::GetNumber(std::int32_t* value) const {
    if (m_length == 0) {
        *value = 0;
        return 1;
    }
    char narrow[kCapacity + 1];
    NarrowText(narrow, m_text);
    *value = ParseDecimal(narrow);
    return 0;
}
