// Inside the host's window services: the window record and what a backend
// (SDL2 or headless) supplies to the common message queue. Not for callers
// outside host/.
#pragma once

#include <memory>
#include <string>

#include "host/Window.h"

struct HWND__ {
    std::u16string className;
    std::u16string title;
    WNDPROC proc = nullptr;
    int width = 0;
    int height = 0;
    bool visible = false;
    bool invalid = false;  // WM_PAINT pending until validated
    void* native = nullptr;  // the backend's own window
};

namespace host::detail {

class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    // Makes the backend's window for a new window record; false on failure.
    virtual bool CreateNative(HWND window) = 0;
    virtual void DestroyNative(HWND window) = 0;
    virtual void Show(HWND window) = 0;
    virtual void Raise(HWND window) = 0;
    // The screen changed size (rotation).
    virtual void ScreenChanged(HWND window) = 0;
    // Turns pending input into posted messages; never blocks.
    virtual void Pump() = 0;
    // Waits until input may have arrived or, when hasDeadline, until the
    // tick count reaches the deadline. False when nothing can ever arrive.
    virtual bool Wait(bool hasDeadline, DWORD deadline) = 0;
    virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;
    // Another running instance of the window class, or null.
    virtual HWND FindOtherInstance(const std::u16string& className) = 0;
    virtual bool RaiseOtherInstance(HWND window) = 0;
};

std::unique_ptr<WindowBackend> MakeHeadlessBackend();
std::unique_ptr<WindowBackend> MakeSdlBackend(const WindowOptions& options);

// Shared with the backends.
const WindowOptions& Options();
int ScreenWidth();
int ScreenHeight();
void RunIdleHook();
// Changes of the queue and the clock that an idle hook made: the number of
// messages posted so far.
std::uint64_t PostedCount();
// Whether the main window is the active one.
bool MainWindowActive();

}  // namespace host::detail
