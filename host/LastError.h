// The calling thread's last error code, as the system services leave it.
#pragma once

#include "host/WinTypes.h"

constexpr DWORD ERROR_ACCESS_DENIED = 5;

// The code the last failing service call of this thread recorded. Calls that
// succeed leave it as it was.
DWORD GetLastError();
void SetLastError(DWORD error);
