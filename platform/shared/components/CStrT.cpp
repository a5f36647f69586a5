#include "platform/shared/components/CStrT.h"

#include <cstddef>
#include <new>

#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/components/FileUtil.h"
#include "platform/shared/components/ICFileMgr.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"

namespace {

std::int32_t TextLength(const char* text) { return static_cast<std::int32_t>(StringLength(text)); }
std::int32_t TextLength(const char16_t* text) { return static_cast<std::int32_t>(WideStringLength(text)); }

}  // namespace

template <typename Derived, typename Char>
void CStrT<Derived, Char>::Clear() {
    delete[] m_buffer;
    m_buffer = nullptr;
    m_length = 0;
}

template <typename Derived, typename Char>
Char* CStrT<Derived, Char>::Allocate(std::int32_t n) {
    Char* buffer = new (std::nothrow) Char[static_cast<std::size_t>(n) + 1];
    DebugAssert(buffer != nullptr, Derived::kSourceFile, Derived::kAllocLine);
    buffer[n] = 0;
    Clear();
    m_buffer = buffer;
    m_length = n;
    return buffer;
}

template <typename Derived, typename Char>
void CStrT<Derived, Char>::AppendText(const Char* text) {
    if (text == nullptr) return;
    const std::int32_t oldLength = m_length;
    const std::int32_t n = TextLength(text);
    Char* buffer = new (std::nothrow) Char[static_cast<std::size_t>(oldLength) + static_cast<std::size_t>(n) + 1];
    DebugAssert(buffer != nullptr, Derived::kSourceFile, Derived::kAllocLine);
    // Both copies are made before the old buffer goes, so a string may
    // append its own text.
    for (std::int32_t i = 0; i < oldLength; ++i) buffer[i] = m_buffer[i];
    for (std::int32_t i = 0; i <= n; ++i) buffer[oldLength + i] = text[i];
    delete[] m_buffer;
    m_buffer = buffer;
    m_length = oldLength + n;
}

template <typename Derived, typename Char>
Derived& CStrT<Derived, Char>::AssignCStr(const Char* text) {
    if (text != nullptr && text == m_buffer) return static_cast<Derived&>(*this);
    // The old buffer goes only after the text is copied: the text may lie
    // inside it.
    Char* old = m_buffer;
    m_buffer = nullptr;
    m_length = 0;
    Append(text);
    delete[] old;
    return static_cast<Derived&>(*this);
}

template <typename Derived, typename Char>
std::int32_t CStrT<Derived, Char>::Find(const Char* pattern, std::int32_t from) const {
    DebugAssert(pattern != nullptr, Derived::kSourceFile, Derived::kFindLine);
    const std::int32_t n = TextLength(pattern);
    // Every start position is tried, so an occurrence that begins inside a
    // partial match ("aab" in "aaab") is found.
    for (std::int32_t p = from < 0 ? 0 : from; p <= m_length - n; ++p) {
        std::int32_t j = 0;
        while (j < n && m_buffer[p + j] == pattern[j]) ++j;
        if (j == n) return p;
    }
    return -1;
}

template <typename Derived, typename Char>
std::int32_t CStrT<Derived, Char>::FindChar(std::int32_t nth, Char c) const {
    if (nth < 0) return -1;
    std::int32_t last = -1;
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < m_length; ++i) {
        if (m_buffer[i] != c) continue;
        last = i;
        if (++count == nth) return i;
    }
    return nth == 0 ? last : -1;
}

template <typename Derived, typename Char>
std::int32_t CStrT<Derived, Char>::FindFirstNot(std::int32_t from, Char c) const {
    for (std::int32_t i = from < 0 ? 0 : from; i < m_length; ++i) {
        if (m_buffer[i] != c) return i;
    }
    return -1;
}

template <typename Derived, typename Char>
Derived CStrT<Derived, Char>::Substring(std::int32_t from, std::int32_t to) const {
    Derived result;
    if (m_buffer == nullptr) return result;
    if (from < 0) from = 0;
    if (to < 0) to = 0;
    const bool backwards = to < from;
    // Positions past the end are skipped; the one at the end is the
    // terminator, which ends the copied text.
    std::int32_t count;
    if (backwards) {
        count = from < m_length ? from - to + 1 : 0;
    } else {
        const std::int32_t last = to < m_length ? to : m_length - 1;
        count = last < from ? 0 : last - from + 1;
    }
    const std::int32_t step = backwards ? -1 : 1;
    std::int32_t n = 0;
    while (n < count && m_buffer[from + n * step] != 0) ++n;
    Char* out = result.Allocate(n);
    for (std::int32_t i = 0; i < n; ++i) out[i] = m_buffer[from + i * step];
    return result;
}

template <typename Derived, typename Char>
bool CStrT<Derived, Char>::LoadFromFile(const char16_t* path) {
    Clear();
    ICFileMgr* manager = ICFileMgr::GetInstance();
    const std::uint32_t size = manager == nullptr ? 0 : manager->GetFileSize(path);
    const std::uint32_t length = size / sizeof(Char);
    if (size == 0 || length > static_cast<std::uint32_t>(INT32_MAX)) return false;
    Char* buffer = Allocate(static_cast<std::int32_t>(length));
    if (!ReadFileFully(path, buffer, length * static_cast<std::uint32_t>(sizeof(Char)))) {
        Clear();
        return false;
    }
    if constexpr (sizeof(Char) > 1) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
        for (std::uint32_t i = 0; i < length; ++i) {
            buffer[i] = static_cast<Char>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
    }
    return true;
}

template class CStrT<CStrChar, char>;
template class CStrT<CStrWChar, char16_t>;
