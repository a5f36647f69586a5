// The platform core: diagnostics that every Part reaches through it.
#pragma once

#include <cstdarg>
#include <cstdint>

class CCore_Win32 {
public:
    // A zero condition byte writes the assertion line and breaks into the
    // debugger (ending the process when none is attached).
    static void AssertFailed(std::uint8_t condition, const char* sourcePath, int line);
    // One line of debug output; see DebugVPrintf.
    static int DebugPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // Writes the bytes to the debug log, eight a line: the label (cut to 9
    // characters), the offset, the bytes in hex and as printable characters.
    // A length of 0 writes nothing.
    static void HexDump(const char* label, const std::uint8_t* bytes, std::uint32_t length);
};
