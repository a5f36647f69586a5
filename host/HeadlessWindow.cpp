// The headless backend: no display at all. Input comes only from the test
// hooks, and an idle loop moves the virtual clock straight on to the next
// timer, so a test runs as fast as its clock allows.
#include <cstdio>
#include <ctime>

#include "host/Clock.h"
#include "host/WindowBackend.h"

namespace host::detail {
namespace {

class HeadlessBackend final : public WindowBackend {
public:
    bool CreateNative(HWND) override { return true; }
    void DestroyNative(HWND) override {}
    void Show(HWND) override {}
    void Raise(HWND) override {}
    void ScreenChanged(HWND) override {}
    void Pump() override {}

    bool Wait(bool hasDeadline, DWORD deadline) override {
        const std::uint64_t posted = PostedCount();
        const DWORD before = GetTickCount();
        RunIdleHook();
        if (PostedCount() != posted || GetTickCount() != before) return true;
        if (!hasDeadline) return false;
        const DWORD now = GetTickCount();
        const DWORD wait = static_cast<std::int32_t>(deadline - now) > 0 ? deadline - now : 0;
        if (IsVirtualClock()) {
            AdvanceVirtualClock(wait);
        } else {
            const timespec ts{static_cast<time_t>(wait / 1000), static_cast<long>(wait % 1000) * 1000000};
            nanosleep(&ts, nullptr);
        }
        return true;
    }

    void ShowMessageBox(const std::string& text, const std::string& caption) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }

    HWND FindOtherInstance(const std::u16string&) override { return nullptr; }
    bool RaiseOtherInstance(HWND) override { return false; }
};

}  // namespace

std::unique_ptr<WindowBackend> MakeHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

}  // namespace host::detail
