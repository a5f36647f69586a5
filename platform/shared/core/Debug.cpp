#include "platform/shared/core/Debug.h"

#include <cstdio>

#include "host/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/win32/CCore_Win32.h"

void DebugAssert(bool condition, const char* sourcePath, int line) {
    CCore_Win32::AssertFailed(condition ? 1 : 0, sourcePath, line);
}

int DebugVPrintf(const char* format, va_list args) {
    // Bounded: a long host name or resource text is cut at 255 characters
    // instead of overrunning the line buffer.
    char narrow[256];
    const int result = std::vsnprintf(narrow, sizeof narrow, format, args);
    if (result < 0) narrow[0] = '\0';
    char16_t wide[256];
    WidenString(wide, narrow);
    OutputDebugStringW(wide);
    OutputDebugStringW(u"\n");
    return result;
}

int DebugPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = DebugVPrintf(format, args);
    va_end(args);
    return result;
}
