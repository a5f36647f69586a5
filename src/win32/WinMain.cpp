#include "src/win32/WinMain.h"

#include "src/win32/CApplet.h"

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    // One instance at a time: a second start raises the first and ends.
    if (HWND existing = FindWindowW(u"Game", u"Game")) {
        SetForegroundWindow(existing);
        return 0;
    }

    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = u"Game";
    if (RegisterClassW(&wc) == 0) {
        MessageBoxW(nullptr, u"Error Registering wndClass", u"Game", MB_ICONERROR);
        return 1;
    }

    int result = 1;
    if (CApplet* applet = CApplet::Create(instance)) {
        result = applet->Run();
        delete applet;
    }
    UnregisterClassW(u"Game", instance);
    return result;
}

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWinBase* current = CWinBase::GetInstance();
    if (current != nullptr && current->HandleMessage(window, message, wParam, lParam)) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

int PreTranslateForward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWinBase* current = CWinBase::GetInstance();
    return current != nullptr && current->PreTranslate(window, message, wParam, lParam) ? 1 : 0;
}
