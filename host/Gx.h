// The full-screen display and key input services (GAPI). The display itself
// is drawn through the render surface; these calls only claim and release
// the screen and the keys, and suspend them while the game is in the
// background.
#pragma once

#include "host/Window.h"

constexpr DWORD GX_FULLSCREEN = 1;

// Each returns nonzero on success.
int GXOpenDisplay(HWND window, DWORD flags);
int GXCloseDisplay();
int GXOpenInput();
int GXCloseInput();
int GXSuspend();
int GXResume();
