// Closing a window on an X display from outside its program.
#pragma once

#include <chrono>
#include <string>

// Asks the top-level window of that title to close, as a window manager
// does when the user closes it; false when no such window shows up within
// the bound.
bool CloseWindowByTitle(const std::string& display, const char* title, std::chrono::milliseconds bound);
