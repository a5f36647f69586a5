// Base of the window object. Constructing one makes it the current window,
// which the window procedure, the core and the graphics device reach through
// CWinBase::GetInstance; destroying it clears that record.
#pragma once

#include "host/Window.h"

class CWinBase {
public:
    explicit CWinBase(HINSTANCE instance) : m_instance(instance) { s_current = this; }
    virtual ~CWinBase() {
        if (s_current == this) s_current = nullptr;
    }

    CWinBase(const CWinBase&) = delete;
    CWinBase& operator=(const CWinBase&) = delete;

    // The current window, or null.
    static CWinBase* GetInstance() { return s_current; }
    HWND GetWindowHandle() const { return m_window; }

    // The program's life after the window class exists; the exit code.
    virtual int Run() = 0;
    // True when the message is fully handled (the window procedure then
    // returns 0 without the default handling).
    virtual bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual bool PreTranslate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    HINSTANCE m_instance;
    HWND m_window = nullptr;

private:
    static inline CWinBase* s_current = nullptr;
};
