// The platform core of the phone: posts events to and quits through the
// current window (the applet), and carries the diagnostics the whole
// program uses.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <new>

#include "platform/shared/core/ICCore.h"

class CCore_Win32 : public ICCore {
public:
    static constexpr std::int32_t kPlatformCode = 6;

    // The new core, or null when out of memory.
    static CCore_Win32* Create() { return new (std::nothrow) CCore_Win32(); }

    // Both act on the current window; without one they do nothing.
    void PostEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    void Quit(int unused) override;

    // A zero condition byte writes the assertion line and breaks into the
    // debugger (ending the process when none is attached).
    static void AssertFailed(std::uint8_t condition, const char* sourcePath, int line);
    // One line of debug output; see DebugVPrintf.
    static int DebugPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // Writes the bytes to the debug log, eight a line: the label (cut to 9
    // characters), the offset, the bytes in hex and as printable characters.
    // A length of 0 writes nothing.
    static void HexDump(const char* label, const std::uint8_t* bytes, std::uint32_t length);
    // The offset of the dump's line after the one at offset: eight bytes on,
    // or length for the last line, so that the walk ends there and the
    // offset never wraps, even near 4 GiB.
    static std::uint32_t HexDumpNextLine(std::uint32_t offset, std::uint32_t length);

protected:
    CCore_Win32() {
        m_platformCode = kPlatformCode;
        m_touchInput = 1;
    }
};
