// The SDL2 backend: the phone's screen in a desktop window. Keys become
// virtual keys, the mouse is the stylus (positions mapped back to screen
// pixels), focus changes become activation, closing the window WM_CLOSE,
// and F12 rotates the screen. Timers run on the tick count.
//
// One instance per user: the first one to look for the window class takes a
// lock in the runtime directory and listens on a local socket beside it; a
// later one finds the lock taken and asks the first, through the socket, to
// raise its window.
#include <SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/ThirdPartyScope.h"
#include "host/Clock.h"
#include "host/Debug.h"
#include "host/WindowBackend.h"

namespace host::detail {
namespace {

// The key table of the desktop keyboard; the README lists it.
WORD VirtualKeyOf(SDL_Keycode key) {
    switch (key) {
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_KP_MULTIPLY: return VK_F8;  // the phone's '*' key
        case SDLK_KP_0: return '0';
        default: break;
    }
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<WORD>('0' + (key - SDLK_0));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<WORD>('1' + (key - SDLK_KP_1));
    if (key >= SDLK_F1 && key <= SDLK_F9) return static_cast<WORD>(VK_F1 + (key - SDLK_F1));
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<WORD>('A' + (key - SDLK_a));
    return 0;
}

constexpr SDL_Keycode kRotateKey = SDLK_F12;
// Longest sleep between two looks at the desktop's events while waiting.
constexpr Uint32 kPollStepMs = 4;

std::string RuntimeDir() {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    return dir != nullptr && dir[0] != '\0' ? dir : "/tmp";
}

sockaddr_un SocketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    return address;
}

class SdlBackend final : public WindowBackend {
public:
    explicit SdlBackend(const WindowOptions& options) : m_options(options) {}

    ~SdlBackend() override {
        if (m_listen >= 0) {
            close(m_listen);
            // A forked child leaves its parent's socket alone.
            if (getpid() == m_listenerPid) unlink(m_socketPath.c_str());
        }
        if (m_lock >= 0) close(m_lock);
        if (m_videoReady) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    bool CreateNative(HWND window) override {
        if (!m_videoReady) {
            ThirdPartyScope startup;
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
                std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
                return false;
            }
            m_videoReady = true;
        }
        if (m_scale == 0) m_scale = ChooseScale();
        int width = 0;
        int height = 0;
        DesktopSize(&width, &height);
        const std::string title = ToUtf8(window->title);
        SDL_Window* native = nullptr;
        {
            ThirdPartyScope startup;
            native = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                      SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
        }
        if (native == nullptr) {
            std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
            return false;
        }
        window->native = native;
        m_window = window;
        return true;
    }

    void DestroyNative(HWND window) override {
        if (window->native != nullptr) SDL_DestroyWindow(static_cast<SDL_Window*>(window->native));
        window->native = nullptr;
        if (m_window == window) m_window = nullptr;
    }

    void Show(HWND window) override { SDL_ShowWindow(static_cast<SDL_Window*>(window->native)); }
    void Raise(HWND window) override { SDL_RaiseWindow(static_cast<SDL_Window*>(window->native)); }

    void ScreenChanged(HWND window) override {
        int width = 0;
        int height = 0;
        DesktopSize(&width, &height);
        SDL_SetWindowSize(static_cast<SDL_Window*>(window->native), width, height);
    }

    void Pump() override {
        AcceptRaiseRequests();
        SDL_Event event;
        while (m_videoReady && SDL_PollEvent(&event)) Translate(event);
    }

    bool Wait(bool hasDeadline, DWORD deadline) override {
        int timeout = -1;
        if (hasDeadline) {
            const auto left = static_cast<std::int32_t>(deadline - GetTickCount());
            timeout = left > 0 ? left : 0;
        }
        // Look at the raise socket now and then while waiting.
        if (m_listen >= 0 && (timeout < 0 || timeout > 100)) timeout = 100;
        if (!m_videoReady) {
            if (timeout < 0) return false;
            SDL_Delay(static_cast<Uint32>(timeout));
            return true;
        }
        // Polls in short sleeps rather than calling SDL_WaitEventTimeout:
        // that wait is woken by an X event that SDL sends to the window from
        // a second connection, and when the game closes the window right
        // after, the send fails with BadWindow and Xlib ends the process
        // with 1.
        const Uint32 start = SDL_GetTicks();
        for (;;) {
            SDL_PumpEvents();
            SDL_Event event;
            if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
                Translate(event);
                return true;
            }
            const Uint32 waited = SDL_GetTicks() - start;
            if (timeout >= 0 && waited >= static_cast<Uint32>(timeout)) return true;
            const Uint32 step = timeout >= 0 ? static_cast<Uint32>(timeout) - waited : kPollStepMs;
            SDL_Delay(SDL_min(step, kPollStepMs));
        }
    }

    void ShowMessageBox(const std::string& text, const std::string& caption) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
    }

    HWND FindOtherInstance(const std::u16string& className) override {
        if (m_lock >= 0) return nullptr;  // we are the first
        const std::string base = RuntimeDir() + "/velkorin-" + std::to_string(getuid()) + "-" + ToUtf8(className);
        const int lock = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lock < 0) return nullptr;
        m_socketPath = base + ".sock";
        if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
            close(lock);
            return &m_otherInstance;
        }
        m_lock = lock;
        unlink(m_socketPath.c_str());
        m_listen = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        m_listenerPid = getpid();
        const sockaddr_un address = SocketAddress(m_socketPath);
        if (m_listen >= 0 && (bind(m_listen, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
                              listen(m_listen, 4) != 0)) {
            close(m_listen);
            m_listen = -1;
        }
        return nullptr;
    }

    bool RaiseOtherInstance(HWND window) override {
        if (window != &m_otherInstance) return false;
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        const sockaddr_un address = SocketAddress(m_socketPath);
        // The connection is the request: the first instance may close it
        // before reading, so the note must not raise SIGPIPE here.
        const bool sent = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (sent) send(fd, "raise\n", 6, MSG_NOSIGNAL);
        close(fd);
        return sent;
    }

private:
    // The scale given, else the largest at which the portrait screen fits
    // the usable area of the display the window opens on: the first, as it
    // opens centred there.
    int ChooseScale() const {
        if (m_options.scale > 0) return m_options.scale;
        SDL_Rect usable{};
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
        return FittingScale(usable.w, usable.h, m_options.screenWidth, m_options.screenHeight);
    }

    void DesktopSize(int* width, int* height) const {
        const bool rotated = ScreenWidth() != m_options.screenWidth;
        if (m_options.windowWidth > 0 && m_options.windowHeight > 0) {
            *width = rotated ? m_options.windowHeight : m_options.windowWidth;
            *height = rotated ? m_options.windowWidth : m_options.windowHeight;
        } else {
            *width = ScreenWidth() * m_scale;
            *height = ScreenHeight() * m_scale;
        }
    }

    // Any connection on the socket is a later instance asking for the window.
    void AcceptRaiseRequests() {
        if (m_listen < 0) return;
        for (int fd; (fd = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
            close(fd);
            if (m_window != nullptr) SetForegroundWindow(m_window);
        }
    }

    // Desktop window pixels to screen pixels.
    void ToScreen(int x, int y, int* sx, int* sy) const {
        int width = 1;
        int height = 1;
        SDL_GetWindowSize(static_cast<SDL_Window*>(m_window->native), &width, &height);
        *sx = SDL_clamp(x, 0, width - 1) * ScreenWidth() / SDL_max(width, 1);
        *sy = SDL_clamp(y, 0, height - 1) * ScreenHeight() / SDL_max(height, 1);
    }

    void Translate(const SDL_Event& event) {
        if (m_window == nullptr) return;
        switch (event.type) {
            case SDL_QUIT: InjectClose(); break;
            case SDL_WINDOWEVENT:
                // The platform sends activation messages only on a change;
                // showing or raising the window may have activated it already.
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && !MainWindowActive()) InjectActivation(true);
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && MainWindowActive()) InjectActivation(false);
                if (event.window.event == SDL_WINDOWEVENT_EXPOSED) RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE);
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const bool down = event.type == SDL_KEYDOWN;
                if (event.key.keysym.sym == kRotateKey) {
                    if (down && event.key.repeat == 0) RotateScreen();
                    break;
                }
                const WORD key = VirtualKeyOf(event.key.keysym.sym);
                if (key != 0) InjectKey(key, down, event.key.repeat != 0);
                break;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                const bool down = event.type == SDL_MOUSEBUTTONDOWN;
                UINT message = 0;
                WPARAM key = 0;
                switch (event.button.button) {
                    case SDL_BUTTON_LEFT: message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; key = MK_LBUTTON; break;
                    case SDL_BUTTON_RIGHT: message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; key = MK_RBUTTON; break;
                    case SDL_BUTTON_MIDDLE: message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; key = MK_MBUTTON; break;
                    default: return;
                }
                m_keys = down ? (m_keys | key) : (m_keys & ~key);
                int x = 0;
                int y = 0;
                ToScreen(event.button.x, event.button.y, &x, &y);
                InjectPointer(message, x, y, m_keys);
                break;
            }
            case SDL_MOUSEMOTION: {
                if (m_keys == 0) break;  // a stylus moves only while it touches
                int x = 0;
                int y = 0;
                ToScreen(event.motion.x, event.motion.y, &x, &y);
                InjectPointer(WM_MOUSEMOVE, x, y, m_keys);
                break;
            }
            default: break;
        }
    }

    WindowOptions m_options;
    int m_scale = 0;  // chosen when the first window opens, kept on rotation
    bool m_videoReady = false;
    HWND m_window = nullptr;
    WPARAM m_keys = 0;  // stylus buttons held
    HWND__ m_otherInstance;  // stands for the window of the first instance
    std::string m_socketPath;
    int m_lock = -1;
    int m_listen = -1;
    pid_t m_listenerPid = 0;
};

}  // namespace

std::unique_ptr<WindowBackend> MakeSdlBackend(const WindowOptions& options) {
    return std::make_unique<SdlBackend>(options);
}

}  // namespace host::detail
