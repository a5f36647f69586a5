#include "tests/framework/ScreenRun.h"

#include <algorithm>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tools/ResourceIds.h"

std::vector<std::uint32_t> ScreenRun::Cached() const {
    std::vector<std::uint32_t> ids;
    // Aggregates that served a text stay by design.
    for (const auto& [id, blob] : content.resources) {
        if (vktools::TypeOf(id) != vktools::kResAggregate) ids.push_back(id);
    }
    // The language's texts of the screens and those of a test's aggregate 0x20.
    for (std::uint32_t entry = 0; entry < 256; ++entry) ids.push_back(vktools::TextId(0x100 + entry));
    for (std::uint32_t entry = 0; entry < 16; ++entry) ids.push_back(vktools::AggregateResId(vktools::kResText, 0x20, entry));
    std::erase_if(ids, [&](std::uint32_t id) {
        return std::find(kept.begin(), kept.end(), id) != kept.end() || !CGameApp::GetResMgr()->IsCached(id);
    });
    return ids;
}

void ScreenRun::Play(const std::function<CNode*()>& make, int steps, const std::function<void(int n)>& step) {
    std::vector<std::uint32_t> before;
    Run([&](int tick) {
        const int n = tick - 1;
        if (n == 0) {
            SZ_Home* home = CGameApp::GetSpriteHome();
            if (loadSprites) home->QueueArchetypeCharacter(18, 0);
            while (home->ProcessLoadQueue(500)) {
            }
            CGameApp::GetFontMgr()->GetFont(0);
            before = Cached();
            PushOnRoot(make());
        }
        if (n >= 0 && n <= steps) step(n);
        if (n == steps) CGameApp::GetInstance()->GetRootNode()->RequestState(0, CStateMachineNode::kPop);
        if (n == steps + 1) {
            EXPECT_EQ(Cached(), before) << "kept after the screen's exit";
        }
    }, steps + 2);
}

namespace {

class Holder : public CStateMachineNode {
protected:
    std::int32_t CreateState(CNode** node, std::uint32_t /*id*/) override {
        *node = nullptr;
        return 1;
    }
    void OnStateResult(std::uint32_t /*id*/, CNode* /*node*/) override {}
};

}  // namespace

std::int32_t PushOnRoot(CNode* node) {
    auto* holder = new Holder();
    if (CGameApp::GetInstance()->GetRootNode()->PushState(1, holder) != 0) return 1;
    return holder->PushState(1, node);
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
