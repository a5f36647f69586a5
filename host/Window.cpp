#include "host/Window.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "host/Clock.h"
#include "host/Debug.h"
#include "host/Gx.h"
#include "host/WindowBackend.h"

namespace {

struct WindowClass {
    std::u16string name;
    HINSTANCE instance;
    WNDPROC proc;
};

struct Timer {
    HWND window;
    std::uintptr_t id;
    UINT period;
    DWORD due;
    TIMERPROC callback;
};

// Everything the window services keep; one per process, on the game's one
// thread.
struct State {
    host::WindowOptions options;
    int screenWidth = 480;
    int screenHeight = 640;
    std::unique_ptr<host::detail::WindowBackend> backend;
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<HWND__>> windows;
    HWND mainWindow = nullptr;
    bool active = false;  // whether the main window is the active one
    std::deque<MSG> queue;
    std::uint64_t postedCount = 0;
    int frames = 0;  // WM_TIMER messages delivered, for the frame limit
    std::optional<int> quitCode;
    std::vector<Timer> timers;
    host::IdleHook idleHook;
    bool faults[4] = {};
    std::optional<host::MessageBoxRecord> lastMessageBox;
    host::GxState gx;
};

State& S() {
    static State state;
    return state;
}

host::detail::WindowBackend& TheBackend() {
    State& s = S();
    if (!s.backend) s.backend = host::detail::MakeHeadlessBackend();
    return *s.backend;
}

bool Faulty(host::Fault fault) { return S().faults[static_cast<int>(fault)]; }

// Window handles stay valid only while their record exists.
bool IsWindowRecord(HWND window) {
    const auto& windows = S().windows;
    return window != nullptr && std::any_of(windows.begin(), windows.end(),
                                            [window](const auto& w) { return w.get() == window; });
}

// Names given by number (MakeIntResourceW) are not text.
bool IsTextName(LPCWSTR name) { return reinterpret_cast<std::uintptr_t>(name) > 0xFFFF; }

std::u16string NameOf(LPCWSTR name) { return IsTextName(name) ? std::u16string(name) : std::u16string(); }

std::vector<WindowClass>::iterator FindClass(const std::u16string& name, HINSTANCE instance) {
    auto& classes = S().classes;
    return std::find_if(classes.begin(), classes.end(),
                        [&](const WindowClass& c) { return c.name == name && c.instance == instance; });
}

std::vector<Timer>::iterator FindTimer(HWND window, std::uintptr_t id) {
    auto& timers = S().timers;
    return std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
}

bool Elapsed(DWORD due, DWORD now) { return static_cast<std::int32_t>(due - now) <= 0; }

MSG MakeMsg(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

// The next message in the platform's order, if one is ready now.
std::optional<MSG> TakeReadyMessage() {
    State& s = S();
    if (!s.queue.empty()) {
        MSG msg = s.queue.front();
        s.queue.pop_front();
        return msg;
    }
    if (s.quitCode) {
        const int code = *s.quitCode;
        s.quitCode.reset();
        return MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(code), 0);
    }
    for (const auto& w : s.windows) {
        if (w->visible && w->invalid) return MakeMsg(w.get(), WM_PAINT, 0, 0);
    }
    const DWORD now = GetTickCount();
    Timer* next = nullptr;
    for (Timer& t : s.timers) {
        if (Elapsed(t.due, now) && (next == nullptr || static_cast<std::int32_t>(t.due - next->due) < 0)) next = &t;
    }
    if (next == nullptr) return std::nullopt;
    next->due = now + next->period;
    if (s.options.frameLimit > 0 && ++s.frames == s.options.frameLimit) host::InjectClose();
    return MakeMsg(next->window, WM_TIMER, next->id,
                   static_cast<LPARAM>(reinterpret_cast<std::uintptr_t>(next->callback)));
}

// The earliest timer, for the backend's wait.
bool NextTimerDue(DWORD* due) {
    const State& s = S();
    if (s.timers.empty()) return false;
    const DWORD now = GetTickCount();
    DWORD best = s.timers.front().due;
    for (const Timer& t : s.timers) {
        if (static_cast<std::int32_t>(t.due - best) < 0) best = t.due;
    }
    *due = Elapsed(best, now) ? now : best;
    return true;
}

void Post(UINT message, WPARAM wParam, LPARAM lParam) { PostMessageW(S().mainWindow, message, wParam, lParam); }

LPARAM PackPoint(int x, int y) {
    return static_cast<LPARAM>((static_cast<DWORD>(x) & 0xFFFF) | (static_cast<DWORD>(y) & 0xFFFF) << 16);
}

// Closing the display or the input: counted, and successful only when open.
int CloseGx(bool& open, int& calls) {
    ++calls;
    const bool wasOpen = open;
    open = false;
    return wasOpen ? 1 : 0;
}

}  // namespace

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
    State& s = S();
    if (Faulty(host::Fault::RegisterClass) || windowClass == nullptr || !IsTextName(windowClass->lpszClassName) ||
        windowClass->lpfnWndProc == nullptr) {
        return 0;
    }
    const std::u16string name = windowClass->lpszClassName;
    if (FindClass(name, windowClass->hInstance) != s.classes.end()) return 0;  // already registered
    s.classes.push_back({name, windowClass->hInstance, windowClass->lpfnWndProc});
    return static_cast<ATOM>(0xC000 + s.classes.size());
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
    auto& classes = S().classes;
    const auto it = FindClass(NameOf(className), instance);
    if (it == classes.end()) return FALSE;
    classes.erase(it);
    return TRUE;
}

// The program carries no icon resources: the class has no icon.
HICON LoadIconW(HINSTANCE, LPCWSTR) { return nullptr; }

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    // Only the system's arrow exists.
    return instance == nullptr && name == IDC_ARROW ? const_cast<char16_t*>(IDC_ARROW) : nullptr;
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR windowName, DWORD, int, int, int width, int height, HWND,
                     HMENU, HINSTANCE instance, void*) {
    State& s = S();
    const std::u16string name = NameOf(className);
    const auto cls = FindClass(name, instance);
    if (cls == s.classes.end() || Faulty(host::Fault::CreateWindow)) return nullptr;
    auto window = std::make_unique<HWND__>();
    window->className = name;
    window->title = NameOf(windowName);
    window->proc = cls->proc;
    window->width = width == CW_USEDEFAULT ? s.screenWidth : width;
    window->height = height == CW_USEDEFAULT ? s.screenHeight : height;
    if (!TheBackend().CreateNative(window.get())) return nullptr;
    HWND handle = window.get();
    s.windows.push_back(std::move(window));
    if (s.mainWindow == nullptr) s.mainWindow = handle;
    return handle;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
    const std::u16string name = NameOf(className);
    const std::u16string title = NameOf(windowName);
    for (const auto& w : S().windows) {
        if (w->className == name && (windowName == nullptr || w->title == title)) return w.get();
    }
    return TheBackend().FindOtherInstance(name);
}

BOOL ShowWindow(HWND window, int command) {
    if (!IsWindowRecord(window)) return FALSE;
    const bool wasVisible = window->visible;
    if (command == SW_HIDE) {
        window->visible = false;
        return wasVisible;
    }
    window->visible = true;
    window->invalid = true;
    TheBackend().Show(window);
    if (!wasVisible) {
        // Showing a window sizes and activates it.
        PostMessageW(window, WM_WINDOWPOSCHANGED, 0, 0);
        if (window == S().mainWindow && !S().active) host::InjectActivation(true);
    }
    return wasVisible;
}

BOOL SetForegroundWindow(HWND window) {
    if (IsWindowRecord(window)) {
        TheBackend().Raise(window);
        if (window == S().mainWindow && !S().active) host::InjectActivation(true);
        return TRUE;
    }
    return window != nullptr && TheBackend().RaiseOtherInstance(window) ? TRUE : FALSE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    if (!IsWindowRecord(window) || rect == nullptr) return FALSE;
    *rect = RECT{0, 0, window->width, window->height};
    return TRUE;
}

BOOL RedrawWindow(HWND window, const RECT*, void*, UINT flags) {
    if (!IsWindowRecord(window)) return FALSE;
    if (flags & RDW_INVALIDATE) window->invalid = true;
    return TRUE;
}

BOOL ValidateRect(HWND window, const RECT*) {
    if (!IsWindowRecord(window)) return FALSE;
    window->invalid = false;
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return S().screenWidth;
        case SM_CYSCREEN: return S().screenHeight;
        default: return 0;
    }
}

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    host::MessageBoxRecord record;
    record.text = text != nullptr ? host::ToUtf8(text) : std::string();
    record.caption = caption != nullptr ? host::ToUtf8(caption) : std::string();
    record.type = type;
    TheBackend().ShowMessageBox(record.text, record.caption);
    S().lastMessageBox = std::move(record);
    return IDOK;
}

BOOL GetMessageW(MSG* msg, HWND, UINT, UINT) {
    for (;;) {
        TheBackend().Pump();
        if (auto ready = TakeReadyMessage()) {
            *msg = *ready;
            return msg->message == WM_QUIT ? 0 : 1;
        }
        DWORD due = 0;
        const bool hasDue = NextTimerDue(&due);
        if (!TheBackend().Wait(hasDue, due)) {
            *msg = MakeMsg(nullptr, 0, 0, 0);
            return -1;
        }
    }
}

// Nothing reads character messages: the game takes its keys from
// WM_KEYDOWN and WM_KEYUP.
BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageW(const MSG* msg) {
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto callback = reinterpret_cast<TIMERPROC>(static_cast<std::uintptr_t>(msg->lParam));
        callback(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    if (!IsWindowRecord(msg->hwnd)) return 0;
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM) {
    // An unhandled paint validates the window so that it is not repeated.
    if (message == WM_PAINT) ValidateRect(window, nullptr);
    return 0;
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State& s = S();
    if (window != nullptr && !IsWindowRecord(window)) return FALSE;
    s.queue.push_back(MakeMsg(window, message, wParam, lParam));
    ++s.postedCount;
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    S().quitCode = exitCode;
    ++S().postedCount;
}

std::uintptr_t SetTimer(HWND window, std::uintptr_t id, UINT periodMs, TIMERPROC callback) {
    State& s = S();
    if (!IsWindowRecord(window)) return 0;
    const Timer timer{window, id, periodMs, GetTickCount() + periodMs, callback};
    if (const auto it = FindTimer(window, id); it != s.timers.end()) {
        *it = timer;
    } else {
        s.timers.push_back(timer);
    }
    return id == 0 ? 1 : id;
}

BOOL KillTimer(HWND window, std::uintptr_t id) {
    auto& timers = S().timers;
    const auto it = FindTimer(window, id);
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

int GXOpenDisplay(HWND window, DWORD) {
    host::GxState& gx = S().gx;
    ++gx.openDisplayCalls;
    if (!IsWindowRecord(window) || Faulty(host::Fault::GxOpenDisplay)) return 0;
    gx.displayOpen = true;
    return 1;
}

int GXCloseDisplay() { return CloseGx(S().gx.displayOpen, S().gx.closeDisplayCalls); }

int GXOpenInput() {
    if (Faulty(host::Fault::GxOpenInput)) return 0;
    S().gx.inputOpen = true;
    return 1;
}

int GXCloseInput() { return CloseGx(S().gx.inputOpen, S().gx.closeInputCalls); }

int GXSuspend() {
    S().gx.suspended = true;
    return 1;
}

int GXResume() {
    S().gx.suspended = false;
    return 1;
}

namespace host {

int FittingScale(int usableWidth, int usableHeight, int screenWidth, int screenHeight) {
    if (usableWidth <= 0 || usableHeight <= 0 || screenWidth <= 0 || screenHeight <= 0) return 1;
    return std::clamp(std::min(usableWidth / screenWidth, usableHeight / screenHeight), 1, kMaxScale);
}

void ResetWindowing(const WindowOptions& options) {
    State& s = S();
    if (s.backend) {
        for (const auto& w : s.windows) s.backend->DestroyNative(w.get());
        s.backend.reset();  // SDL shuts down here
    }
    s = State{};
    s.options = options;
    s.screenWidth = options.screenWidth;
    s.screenHeight = options.screenHeight;
    s.backend = options.backend == Backend::Sdl ? detail::MakeSdlBackend(options) : detail::MakeHeadlessBackend();
}

void InjectKey(WORD virtualKey, bool down, bool repeat) {
    // Repeat count 1; bit 30 is the previous key state, bit 31 the
    // transition (set on release).
    DWORD lParam = 1;
    if (!down || repeat) lParam |= 1u << 30;
    if (!down) lParam |= 1u << 31;
    Post(down ? WM_KEYDOWN : WM_KEYUP, virtualKey, static_cast<LPARAM>(lParam));
}

void InjectPointer(UINT message, int x, int y, WPARAM keys) {
    // As on the phone, a move that finds the previous move still unread
    // takes its place, so that a quick drag cannot crowd out other input.
    State& s = S();
    if (message == WM_MOUSEMOVE && !s.queue.empty()) {
        MSG& last = s.queue.back();
        if (last.message == WM_MOUSEMOVE && last.hwnd == s.mainWindow && last.wParam == keys) {
            last = MakeMsg(s.mainWindow, message, keys, PackPoint(x, y));
            ++s.postedCount;
            return;
        }
    }
    Post(message, keys, PackPoint(x, y));
}

void InjectActivation(bool active) {
    S().active = active;
    Post(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
    Post(active ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
}

void InjectClose() { Post(WM_CLOSE, 0, 0); }

void RotateScreen() {
    State& s = S();
    std::swap(s.screenWidth, s.screenHeight);
    if (s.mainWindow != nullptr) TheBackend().ScreenChanged(s.mainWindow);
    Post(WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
}

void SetIdleHook(IdleHook hook) { S().idleHook = std::move(hook); }

void SetFault(Fault fault, bool fails) { S().faults[static_cast<int>(fault)] = fails; }

const MessageBoxRecord* LastMessageBox() {
    const auto& record = S().lastMessageBox;
    return record ? &*record : nullptr;
}

GxState GetGxState() { return S().gx; }

bool GetTimerDue(HWND window, std::uintptr_t id, DWORD* due) {
    const auto it = FindTimer(window, id);
    if (it == S().timers.end()) return false;
    *due = it->due;
    return true;
}

int RegisteredClassCount() { return static_cast<int>(S().classes.size()); }

HWND GetMainWindow() { return S().mainWindow; }

namespace detail {

const WindowOptions& Options() { return S().options; }
int ScreenWidth() { return S().screenWidth; }
int ScreenHeight() { return S().screenHeight; }

void RunIdleHook() {
    // Copy: the hook may replace itself.
    if (IdleHook hook = S().idleHook) hook();
}

std::uint64_t PostedCount() { return S().postedCount; }

bool MainWindowActive() { return S().active; }

}  // namespace detail
}  // namespace host
