#include "tests/support/GameRun.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/Clock.h"
#include "host/File.h"
#include "host/WaveOut.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/ICRenderSurface.h"
#include "src/CGameApp.h"
#include "src/CRootNode.h"
#include "src/win32/CApplet.h"
#include "src/win32/WinMain.h"

namespace {

HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});
constexpr DWORD kSuspendedFrameMs = 48;

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
    bool rootEmptied = scenes;
    host::SetIdleHook([&] {
        // Without scenes, the started root is emptied at once (its sounds
        // kept) and asks for nothing.
        CRootNode* root = CGameApp::GetInstance() != nullptr ? CGameApp::GetInstance()->GetRootNode() : nullptr;
        if (!rootEmptied && root != nullptr && root->IsActive() != 0) {
            const bool drew = root->GetDepth() > 0;
            root->Exit();
            root->Init();
            root->RequestState(0, CStateMachineNode::kNone);
            rootEmptied = true;
            // What a scene drew is wiped, as if no frame had drawn.
            ICRenderSurface* surface = drew ? ICGraphics2d::GetInstance()->GetRenderSurface() : nullptr;
            if (surface != nullptr) {
                std::uint8_t* bits = nullptr;
                std::int32_t pitch = 0, width = 0, height = 0;
                surface->GetSize(&width, &height);
                surface->Lock(&bits, &pitch);
                if (bits != nullptr) std::memset(bits, 0, static_cast<std::size_t>(pitch) * height);
                surface->Unlock();
            }
        }
        // Deactivated, the game waits without its frame timer: time passes
        // a frame at a time all the same, so that the callback still runs
        // (and may activate the game again).
        DWORD due = 0;
        if (calls > 0 && !host::GetTimerDue(host::GetMainWindow(), CApplet::kTimerId, &due)) {
            host::AdvanceVirtualClock(kSuspendedFrameMs);
        }
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

void Press(WORD key) {
    host::InjectKey(key, true);
    host::InjectKey(key, false);
}

void Tap(int x, int y) {
    host::InjectPointer(WM_LBUTTONDOWN, 2 * x, 2 * y, MK_LBUTTON);
    host::InjectPointer(WM_LBUTTONUP, 2 * x, 2 * y, 0);
}
