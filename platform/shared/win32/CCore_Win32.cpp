#include "platform/shared/win32/CCore_Win32.h"

#include "host/Debug.h"
#include "platform/shared/core/Debug.h"

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
