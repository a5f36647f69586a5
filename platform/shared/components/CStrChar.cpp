#include "platform/shared/components/CStrChar.h"

#include "platform/shared/core/Debug.h"

namespace {

bool IsBlank(char c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }

}  // namespace

std::int8_t CStrChar::CharAt(std::int32_t index) const {
    DebugAssert(index >= 0 && index < GetLength(), kSourceFile, kCharAtLine);
    return static_cast<std::int8_t>(GetBuffer()[index]);
}

void CStrChar::Trim() {
    const char* text = GetBuffer();
    const std::int32_t length = GetLength();
    std::int32_t first = 0;
    while (first < length && IsBlank(text[first])) ++first;
    std::int32_t last = length - 1;
    while (last >= first && IsBlank(text[last])) --last;
    // An all-blank text gives (length, length - 1): a backward range that
    // starts at the terminator, hence empty.
    Assign(Substring(first, last));
}
