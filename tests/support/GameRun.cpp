#include "tests/support/GameRun.h"

#include <gtest/gtest.h>

#include <string>

#include "host/Clock.h"
#include "host/File.h"
#include "host/WaveOut.h"
#include "src/win32/WinMain.h"

namespace {

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});

}  // namespace

const vktools::Content& SampleContent() {
    static const vktools::Content content = [] {
        vktools::Content loaded;
        std::string error;
        EXPECT_TRUE(vktools::LoadContent(VK_CONTENT_DIR "/content.list", loaded, error)) << error;
        return loaded;
    }();
    return content;
}

GameRun::GameRun() : content(SampleContent()) {}

int GameRun::Run(const std::function<void(int tick)>& onTick, int maxTicks) {
    if (writeArchive) {
        vktools::Bytes archive;
        std::string error;
        EXPECT_TRUE(vktools::BuildContentArchive(content, archive, error)) << error;
        EXPECT_TRUE(vktools::WriteHostFile(dir.HostPath("velkorin.big"), archive));
    }
    const host::MediaBackend media = host::GetMediaBackend();
    host::SetMediaBackend(host::MediaBackend::Headless);
    host::SetModuleDirectory(dir.Path());
    host::ResetDisplay();
    host::SetDisplayFormat(display);
    host::ResetWindowing(window);
    host::SetVirtualClock(10000, 0);
    // Ticks are told apart by the clock: the loop is idle again at the
    // same time after handling what a callback injected.
    int calls = 0;
    DWORD last = 0;
    host::SetIdleHook([&] {
        const DWORD now = GetTickCount();
        if (calls > 0 && now == last) return;
        last = now;
        const int tick = calls++;
        if (onTick) onTick(tick);
        if (tick == maxTicks) host::InjectClose();
    });
    const int result = WinMain(kInstance, nullptr, nullptr, SW_SHOW);
    messageBox = host::LastMessageBox() != nullptr ? host::LastMessageBox()->text : std::string();
    host::SetIdleHook(nullptr);
    host::ClearVirtualClock();
    host::ResetWindowing();
    EXPECT_EQ(host::LiveDisplayObjects(), 0);
    host::ResetDisplay();
    host::SetModuleDirectory("");
    host::SetMediaBackend(media);
    return result;
}
