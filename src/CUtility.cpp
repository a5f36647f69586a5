#include "src/CUtility.h"

#include <string>

#include "platform/shared/core/CGenUtil.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/StringUtil.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"

namespace {

constexpr const char* kSource = "..\\..\\src\\CUtility";
constexpr std::uint32_t kKeySelect = 11;
constexpr std::uint32_t kKeyBack = 12;
constexpr std::uint32_t kKeyLeftSoft = 15;
constexpr std::uint32_t kKeyRightSoft = 16;
// The number buffer's 20 bytes: 19 characters and the terminator.
constexpr std::uint32_t kNumberChars = 19;

// Narrows at most limit characters of the source and terminates.
char* NarrowUpTo(char* destination, const char16_t* source, std::uint32_t limit) {
    std::uint32_t i = 0;
    for (; i < limit && source[i] != 0; ++i) {
        destination[i] = source[i] > 0xFF ? '?' : static_cast<char>(source[i]);
    }
    destination[i] = '\0';
    return destination;
}

}  // namespace

char16_t* CopyWideStringN(char16_t* destination, const char16_t* source, std::uint32_t n) {
    if (n == 0) return destination;
    std::uint32_t i = 0;
    for (; i < n && source[i] != 0; ++i) destination[i] = source[i];
    for (; i < n; ++i) destination[i] = 0;
    destination[n - 1] = 0;
    return destination;
}

char16_t* NarrowToWideN(char16_t* destination, const char* source, std::uint32_t n) {
    if (n == 0) return destination;
    std::uint32_t i = 0;
    for (; i < n; ++i) {
        destination[i] = static_cast<unsigned char>(source[i]);
        if (source[i] == '\0') break;
    }
    destination[n - 1] = 0;
    return destination;
}

std::uint32_t FormatWideInt(char16_t* destination, std::uint32_t size, const char16_t* format, std::int32_t value) {
    if (size == 0) return 0;
    std::uint32_t length = 0;
    const auto put = [&](char16_t c) {
        if (length + 1 < size) destination[length++] = c;
    };
    for (std::uint32_t i = 0; format != nullptr && format[i] != 0; ++i) {
        if (format[i] != u'%') {
            put(format[i]);
            continue;
        }
        if (format[i + 1] == u'%') {
            put(u'%');
            ++i;
            continue;
        }
        // The conversion's own format: '%', flags, width, 'd'.
        char16_t conversion[16] = {u'%'};
        std::uint32_t n = 1;
        std::uint32_t j = i + 1;
        while (n < 8 && format[j] != 0 && std::char_traits<char16_t>::find(u"-+ 0#", 5, format[j]) != nullptr) {
            conversion[n++] = format[j++];
        }
        while (n < 12 && format[j] >= u'0' && format[j] <= u'9') conversion[n++] = format[j++];
        if (format[j] != u'd' && format[j] != u'i') {
            put(u'%');
            continue;
        }
        conversion[n] = u'd';
        destination[length] = 0;
        length += static_cast<std::uint32_t>(SWNPrintf(destination + length, size - length, conversion, value));
        i = j;
    }
    destination[length] = 0;
    return length;
}

char* CUtility::WideToNarrow(char* destination, const char16_t* source) {
    return NarrowUpTo(destination, source, WideStringLength(source));
}

void CUtility::CopyStringResource(std::uint32_t id, char16_t* destination, std::uint32_t sizeBytes) {
    DebugAssert(destination != nullptr && sizeBytes != 0, kSource, __LINE__);
    destination[0] = 0;
    CResMgr* resources = CGameApp::GetResMgr();
    if (const char16_t* text = resources->GetText(id, 0)) {
        CopyWideStringN(destination, text, sizeBytes / 2);
        resources->Release(id, 0);
    }
}

std::int32_t CUtility::GetStringResourceNumber(std::uint32_t id) {
    char16_t text[kNumberChars + 1];
    CopyStringResource(id, text, sizeof text);
    return ParseNumber(text);
}

std::int32_t CUtility::ParseNumber(const char16_t* text) {
    char narrow[kNumberChars + 1];
    if (text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        return static_cast<std::int32_t>(CGenUtil::ParseHex(NarrowUpTo(narrow, text + 2, kNumberChars)));
    }
    return ParseDecimal(NarrowUpTo(narrow, text, kNumberChars));
}

bool CUtility::IsAcceptKey(std::uint32_t key) {
    const std::uint32_t code = key & 0xFFFF;
    return code == kKeySelect || code == kKeyLeftSoft;
}

bool CUtility::IsBackKey(std::uint32_t key) {
    const std::uint32_t code = key & 0xFFFF;
    return code == kKeyBack || code == kKeyRightSoft;
}

bool CUtility::IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

const char* CUtility::SkipSpaces(const char* p) {
    while (IsSpace(*p)) ++p;
    return p;
}

bool CUtility::IsAlphaNumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

const char* CUtility::SkipWord(const char* p) {
    while (IsAlphaNumeric(*p) || *p == '_' || *p == '-') ++p;
    return p;
}
