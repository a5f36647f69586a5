// Closing a window on an X display from outside its program, kept apart from
// the tests because Xlib's macros clash with GoogleTest's names.
#include <X11/Xlib.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

// Asks the top-level window of that title to close, as a window manager does;
// false when no such window shows up within the bound.
bool CloseWindowByTitle(const std::string& display, const char* title, std::chrono::milliseconds bound) {
    Display* x = XOpenDisplay(display.c_str());
    if (x == nullptr) return false;
    bool sent = false;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (; !sent && std::chrono::steady_clock::now() < deadline; usleep(20000)) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count) == 0) continue;
        for (unsigned i = 0; i < count && !sent; ++i) {
            char* name = nullptr;
            if (XFetchName(x, children[i], &name) == 0 || name == nullptr) continue;
            if (std::strcmp(name, title) == 0) {
                XEvent event{};
                event.xclient.type = ClientMessage;
                event.xclient.window = children[i];
                event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
                event.xclient.format = 32;
                event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
                event.xclient.data.l[1] = CurrentTime;
                sent = XSendEvent(x, children[i], False, NoEventMask, &event) != 0;
            }
            XFree(name);
        }
        if (children != nullptr) XFree(children);
    }
    XSync(x, False);
    XCloseDisplay(x);
    return sent;
}
