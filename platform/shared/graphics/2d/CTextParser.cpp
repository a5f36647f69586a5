#include "platform/shared/graphics/2d/CTextParser.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/graphics/2d/CFont.h"

namespace {

constexpr const char* kSource = "CTextParser";

}  // namespace

void CTextParser::Clear() {
    m_lineCount = 0;
    m_lines.Clear();
}

std::uint32_t CTextParser::GetRecord(std::int32_t index) const {
    std::uintptr_t record = 0;
    if (index >= m_lineCount || m_lines.Get(index, &record) != CVector::kOk) return 0;
    return static_cast<std::uint32_t>(record);
}

const char16_t* CTextParser::GetLineText(std::int32_t index) const {
    if (m_text == nullptr) return nullptr;
    return m_text + GetLineStart(index);
}

std::int32_t CTextParser::AddLine(std::int32_t start, std::int32_t length) {
    const auto record = (static_cast<std::uint32_t>(start) << 16) | static_cast<std::uint32_t>(length);
    const std::int32_t result = m_lines.Add(record);
    if (result == CVector::kOk) ++m_lineCount;
    return result;
}

std::int32_t CTextParser::BreakLength(std::int32_t start, std::int32_t fit) const {
    DebugAssert(m_font != nullptr, kSource, 175);
    DebugAssert(m_text != nullptr, kSource, 176);
    // The character just after the fitted run counts too: a space or the end
    // there means the whole run fits as it is.
    std::int32_t result = fit;
    bool first = true;
    for (std::int32_t i = start + fit; i > start; --i) {
        switch (CFont::GetCharClass(m_text[i])) {
        case CFont::kCharSpace:
            if (first) result = i - start;
            first = false;
            break;
        case CFont::kCharEnd:
        case CFont::kCharLineFeed:
            result = i - start;
            first = false;
            break;
        default:
            break;
        }
    }
    return result;
}

std::int32_t CTextParser::Parse() {
    Clear();
    if (m_font == nullptr || m_text == nullptr || m_width < 1) return 0;

    const auto length =
        static_cast<std::int32_t>(std::min<std::uint32_t>(WideStringLength(m_text), kMaxTextLength));
    std::int32_t pos = 0;
    std::int32_t pendingLineFeeds = 0;
    while (pos < length) {
        const std::uint8_t charClass = CFont::GetCharClass(m_text[pos]);
        if (charClass == CFont::kCharLineFeed) {
            ++pendingLineFeeds;
            ++pos;
            continue;
        }
        if (charClass == CFont::kCharEnd) break;
        // Line feeds before text each make an empty line; trailing ones none.
        for (; pendingLineFeeds > 0; --pendingLineFeeds) {
            if (const std::int32_t result = AddLine(pos, 0)) return result;
        }
        std::int32_t fit = 0;
        m_font->Measure(m_text + pos, length - pos, m_width, &fit);
        const std::int32_t lineLength = BreakLength(pos, fit);
        if (lineLength < 1) break;
        if (const std::int32_t result = AddLine(pos, lineLength)) return result;
        pos += lineLength;
        // One separator goes with the line.
        const std::uint8_t next = CFont::GetCharClass(m_text[pos]);
        if (next == CFont::kCharLineFeed || next == CFont::kCharSpace) ++pos;
    }
    return 0;
}
