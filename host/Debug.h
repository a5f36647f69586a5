// Debug output and the debugger break.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "host/WinTypes.h"

// Writes UTF-16 text to the debug output (stderr, as UTF-8), or to the sink a
// test installed. Callers write the line and then "\n" as two calls.
void OutputDebugStringW(LPCWSTR text);
// Stops at a debugger; without one attached the process ends (SIGTRAP).
[[noreturn]] void DebugBreak();

namespace host {

// Test hook: while set, debug output goes to the sink instead of stderr.
using DebugSink = std::function<void(std::u16string_view)>;
void SetDebugSink(DebugSink sink);

// UTF-16 to UTF-8 at the host's edge; unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string ToUtf16(std::string_view text);

}  // namespace host
