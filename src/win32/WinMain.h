// The program's entry and the procedure of the window class "Game".
#pragma once

#include "host/Window.h"

// Runs the whole program: a second start raises the first instance's window
// and returns 0; otherwise registers the class, runs the applet and returns
// its exit code (1 when start-up failed). A desktop main picks the window
// backend with host::ResetWindowing first and passes any non-null instance.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);

// Hands the message to the current window; what it does not handle goes to
// DefWindowProcW.
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1 when the current window's pre-translation handled the message (it never
// does); the message loop does not call it.
int PreTranslateForward(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
