// Program-wide diagnostics: the assertion routine and the debug log.
#pragma once

#include <cstdarg>

// Checks an invariant. A false condition writes
// "ASSERT FAILED - File: %s, Line: %i" to the debug log and stops the
// program at a debugger break; there is no recovery.
void DebugAssert(bool condition, const char* sourcePath, int line);

// Formats one line (at most 255 characters; longer text is cut) and writes
// it to the debug output followed by a line feed. Returns the formatter's
// result: the length the whole text would have had.
int DebugVPrintf(const char* format, va_list args) __attribute__((format(printf, 1, 0)));
int DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
