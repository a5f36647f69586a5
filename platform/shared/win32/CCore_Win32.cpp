#include "platform/shared/win32/CCore_Win32.h"

#include <algorithm>

#include "host/Debug.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/StringUtil.h"

void CCore_Win32::AssertFailed(std::uint8_t condition, const char* sourcePath, int line) {
    if (condition != 0) return;
    DebugPrint("ASSERT FAILED - File: %s, Line: %i", sourcePath, line);
    DebugBreak();
}

int CCore_Win32::DebugPrint(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = DebugVPrintf(format, args);
    va_end(args);
    return result;
}

namespace {

constexpr std::uint32_t kBytesPerLine = 8;

}  // namespace

std::uint32_t CCore_Win32::HexDumpNextLine(std::uint32_t offset, std::uint32_t length) {
    return offset + std::min(length - offset, kBytesPerLine);
}

void CCore_Win32::HexDump(const char* label, const std::uint8_t* bytes, std::uint32_t length) {
    char shortLabel[11];
    SafeStrCopy(shortLabel, label, 10);

    // Longest line: 9 + 2 + 8 offset digits + 2 + 8 * 3 + 2 + 8 = 55 characters.
    char line[64];
    for (std::uint32_t offset = 0, next; offset < length; offset = next) {
        next = HexDumpNextLine(offset, length);
        const std::uint32_t count = next - offset;
        char* out = line + SPrintf(line, "%s: %04x: ", shortLabel, offset);
        for (std::uint32_t i = 0; i < kBytesPerLine; ++i) {
            out += i < count ? SPrintf(out, "%02x ", static_cast<unsigned>(bytes[offset + i])) : SPrintf(out, "   ");
        }
        out += SPrintf(out, "  ");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t b = bytes[offset + i];
            out += b >= 32 && b <= 126 ? SPrintf(out, "%c", b) : SPrintf(out, ".");
        }
        // The line is an argument, not a format: the label and bytes may hold '%'.
        DebugPrint("%s", line);
    }
}
