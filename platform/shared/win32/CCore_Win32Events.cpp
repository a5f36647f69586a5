// The core's event and quit operations, which act on the applet. Kept apart
// from the diagnostics so that a program that only logs or asserts does not
// link the applet and, through it, the application.
#include "platform/shared/win32/CCore_Win32.h"

#include "src/win32/CApplet.h"

void CCore_Win32::PostEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    if (auto* applet = static_cast<CApplet*>(CWinBase::GetInstance())) applet->PostEvent(id, param1, param2);
}

void CCore_Win32::Quit(int) {
    if (auto* applet = static_cast<CApplet*>(CWinBase::GetInstance())) applet->Quit();
}
