#include "tests/framework/ScreenRun.h"

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CGameApp.h"
#include "src/CRootNode.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/ridaroVoz3/SZ_Home.h"

void ScreenRun::Play(const std::function<CNode*()>& make, int steps, const std::function<void(int n)>& step) {
    Run([&](int tick) {
        if (tick == 0) return;
        if (tick == 1) {
            SZ_Home* home = CGameApp::GetSpriteHome();
            if (loadSprites) home->QueueArchetypeCharacter(18, 0);
            while (home->ProcessLoadQueue(500)) {
            }
            CGameApp::GetInstance()->GetRootNode()->PushState(1, make());
        }
        step(tick - 1);
    }, steps + 1);
}

void Press(WORD key) {
    host::InjectKey(key, true);
    host::InjectKey(key, false);
}

void Tap(int x, int y) {
    host::InjectPointer(WM_LBUTTONDOWN, 2 * x, 2 * y, MK_LBUTTON);
    host::InjectPointer(WM_LBUTTONUP, 2 * x, 2 * y, 0);
}

void DrawNow(CNode& node) {
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
    node.Draw();
    surface->Unlock();
}

std::uint32_t ShownPixel(int x, int y) { return host::FramePixelRgb(*host::LastPresentedFrame(), 2 * x, 2 * y); }

void PopScreen() { CGameApp::GetInstance()->GetRootNode()->RequestState(0, CStateMachineNode::kPop); }
