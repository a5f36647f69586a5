#include "src/CIntroScene.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "src/CImageScreen.h"
#include "src/SceneUtil.h"

namespace {

constexpr const char* kSource = "CIntroScene";
constexpr std::uint32_t kBlack = 0xFF000000;

}  // namespace

std::int32_t CIntroScene::Init() {
    CStateMachineNode::Init();
    RequestState(1, kPush);
    return 0;
}

std::int32_t CIntroScene::CreateState(CNode** node, std::uint32_t id) {
    DebugAssert(node != nullptr, kSource, 40);
    *node = nullptr;
    if (id != 1 && id != 2) {
        DebugAssert(false, kSource, 66);
        return 0;
    }
    scenes::ClearPointerFlags();
    auto* screen = new (std::nothrow) CImageScreen();
    if (screen != nullptr) screen->SetContent(kBlack, kImages[id - 1], 0, kShowMs);
    *node = screen;
    return 0;
}

void CIntroScene::OnStateResult(std::uint32_t id, CNode* node) {
    DebugAssert(node != nullptr, kSource, 75);
    const bool accepted = node->GetResult() == 1;
    switch (id) {
        case 1:
            if (accepted) {
                RequestState(2, kReplace);
            } else {
                SetResult(2);
            }
            break;
        case 2: SetResult(accepted ? 1 : 2); break;
        default: DebugAssert(false, kSource, 95); break;
    }
}
