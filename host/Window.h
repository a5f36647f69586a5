// Window, message and timer services: one window class registry, windows,
// the thread's message queue and window timers, as the game's shell uses
// them. Two backends do the work: SDL2 (a real desktop window whose input
// becomes the phone's messages) and headless (no SDL; time comes from the
// virtual clock and a test injects the input).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/WinTypes.h"

struct HWND__;
struct HINSTANCE__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HICON = void*;
using HCURSOR = void*;
using HBRUSH = void*;
using HMENU = void*;
using LPWSTR = char16_t*;
using ATOM = WORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, std::uintptr_t, DWORD);

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

// Messages.
constexpr UINT WM_ACTIVATE = 6;
constexpr UINT WM_SETFOCUS = 7;
constexpr UINT WM_KILLFOCUS = 8;
constexpr UINT WM_PAINT = 15;
constexpr UINT WM_CLOSE = 16;
constexpr UINT WM_QUIT = 18;
constexpr UINT WM_SETTINGCHANGE = 26;
constexpr UINT WM_WINDOWPOSCHANGED = 71;
constexpr UINT WM_KEYDOWN = 256;
constexpr UINT WM_KEYUP = 257;
constexpr UINT WM_TIMER = 275;
constexpr UINT WM_HSCROLL = 276;
constexpr UINT WM_VSCROLL = 277;
constexpr UINT WM_MOUSEMOVE = 512;
constexpr UINT WM_LBUTTONDOWN = 513;
constexpr UINT WM_LBUTTONUP = 514;
constexpr UINT WM_LBUTTONDBLCLK = 515;
constexpr UINT WM_RBUTTONDOWN = 516;
constexpr UINT WM_RBUTTONUP = 517;
constexpr UINT WM_RBUTTONDBLCLK = 518;
constexpr UINT WM_MBUTTONDOWN = 519;
constexpr UINT WM_MBUTTONUP = 520;
constexpr UINT WM_MBUTTONDBLCLK = 521;

// WM_ACTIVATE states (low word of wParam).
constexpr WORD WA_INACTIVE = 0;
constexpr WORD WA_ACTIVE = 1;
constexpr WORD WA_CLICKACTIVE = 2;

// Mouse key state (wParam of the pointer messages).
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_MBUTTON = 0x0010;

// wParam of WM_SETTINGCHANGE after a display change (rotation).
constexpr WPARAM SETTINGCHANGE_RESET = 0x3002;

// Virtual keys.
constexpr WORD VK_BACK = 8;
constexpr WORD VK_RETURN = 13;
constexpr WORD VK_ESCAPE = 27;
constexpr WORD VK_SPACE = 32;
constexpr WORD VK_LEFT = 37;
constexpr WORD VK_UP = 38;
constexpr WORD VK_RIGHT = 39;
constexpr WORD VK_DOWN = 40;
constexpr WORD VK_F1 = 112;
constexpr WORD VK_F2 = 113;
constexpr WORD VK_F3 = 114;
constexpr WORD VK_F4 = 115;
constexpr WORD VK_F5 = 116;
constexpr WORD VK_F6 = 117;
constexpr WORD VK_F7 = 118;
constexpr WORD VK_F8 = 119;
constexpr WORD VK_F9 = 120;

// Class and window styles, creation values.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_EX_NODRAG = 0x40000000u;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
// GetSystemMetrics indices.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
// MessageBoxW.
constexpr UINT MB_ICONERROR = 0x10;
constexpr int IDOK = 1;
// RedrawWindow.
constexpr UINT RDW_INVALIDATE = 0x0001;
// Resource names given by number (LoadCursorW's IDC_ARROW).
inline LPCWSTR MakeIntResourceW(std::uintptr_t id) { return reinterpret_cast<LPCWSTR>(id); }
inline const LPCWSTR IDC_ARROW = MakeIntResourceW(32512);

// Window classes.
ATOM RegisterClassW(const WNDCLASSW* windowClass);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);

// Windows. FindWindowW also finds the window of another running instance
// (SDL backend); SetForegroundWindow then asks that instance to raise it.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
BOOL ShowWindow(HWND window, int command);
BOOL SetForegroundWindow(HWND window);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL RedrawWindow(HWND window, const RECT* update, void* region, UINT flags);
BOOL ValidateRect(HWND window, const RECT* rect);
int GetSystemMetrics(int index);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Messages. GetMessageW returns 1 for a message, 0 for WM_QUIT and -1 when
// no message can ever arrive (headless with nothing queued and no timer).
// Order: posted and input messages, then WM_QUIT, then WM_PAINT while the
// window is invalid, then WM_TIMER of an elapsed timer.
BOOL GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Timers: WM_TIMER comes when the period has passed since SetTimer (or
// since the last WM_TIMER of that timer) and no other message is waiting.
std::uintptr_t SetTimer(HWND window, std::uintptr_t id, UINT periodMs, TIMERPROC callback);
BOOL KillTimer(HWND window, std::uintptr_t id);

namespace host {

enum class Backend { Headless, Sdl };

struct WindowOptions {
    Backend backend = Backend::Headless;
    int screenWidth = 480;  // the phone's screen in pixels (portrait)
    int screenHeight = 640;
    // SDL: desktop window = screen x scale (0: the largest scale that fits
    // the display, see FittingScale) ...
    int scale = 1;
    int windowWidth = 0;  // ... unless both of these are given
    int windowHeight = 0;
    // Scripted runs: after this many WM_TIMER messages the main window is
    // closed as if by the user (WM_CLOSE); 0 for no limit.
    int frameLimit = 0;
};

// The largest scale, at most kMaxScale, at which a screen of screenWidth x
// screenHeight fits a display's usable area (its size less the desktop's
// panels); 1 where that area is unknown (0 or less) or smaller than one
// screen.
constexpr int kMaxScale = 8;
int FittingScale(int usableWidth, int usableHeight, int screenWidth, int screenHeight);

// Tears down every window, class, message and timer and starts over with
// the given backend (the headless one by default). Not called by the game.
void ResetWindowing(const WindowOptions& options = {});

// --- Test hooks (both backends; the headless loop is driven only by them).

// Posts the messages the phone sends for a key (lParam bit 30 carries the
// previous key state: set for repeats and for every key-up).
void InjectKey(WORD virtualKey, bool down, bool repeat = false);
// A stylus message (WM_LBUTTONDOWN, WM_MOUSEMOVE, ...) at screen pixels. A
// move that finds the previous move (same keys) still unread takes its place.
void InjectPointer(UINT message, int x, int y, WPARAM keys);
// WM_ACTIVATE followed by WM_SETFOCUS, or WM_ACTIVATE(WA_INACTIVE) followed
// by WM_KILLFOCUS.
void InjectActivation(bool active);
void InjectClose();
// Swaps the screen's width and height and posts WM_SETTINGCHANGE(0x3002).
void RotateScreen();

// Called by the headless GetMessageW whenever it has nothing to deliver at
// the current time, before it moves the clock on to the next timer; the hook
// may inject messages, advance the clock or do nothing.
using IdleHook = std::function<void()>;
void SetIdleHook(IdleHook hook);

// Calls that a test can make fail.
enum class Fault { RegisterClass, CreateWindow, GxOpenDisplay, GxOpenInput };
void SetFault(Fault fault, bool fails);

// What the host saw.
struct MessageBoxRecord {
    std::string text;  // UTF-8
    std::string caption;
    UINT type = 0;
};
struct GxState {
    bool displayOpen = false;
    bool inputOpen = false;
    bool suspended = false;
    int openDisplayCalls = 0;
    int closeDisplayCalls = 0;
    int closeInputCalls = 0;
};
const MessageBoxRecord* LastMessageBox();
GxState GetGxState();
// The window's timer: true and the due tick count when it is set.
bool GetTimerDue(HWND window, std::uintptr_t id, DWORD* due);
int RegisteredClassCount();
// The game's window as the host created it (null before that).
HWND GetMainWindow();

}  // namespace host
