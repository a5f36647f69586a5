#include "src/CDestroyScene.h"

#include "platform/shared/core/Debug.h"

namespace {

constexpr const char* kSource = "CDestroyScene";

}  // namespace

std::int32_t CDestroyScene::Init() {
    CStateMachineNode::Init();
    RequestState(0, kPush);
    return 0;
}

std::int32_t CDestroyScene::CreateState(CNode** node, std::uint32_t id) {
    DebugAssert(node != nullptr, kSource, 40);
    *node = nullptr;
    DebugAssert(id == 0, kSource, 48);
    SetResult(1);
    return 0;
}

void CDestroyScene::OnStateResult(std::uint32_t /*id*/, CNode* node) { DebugAssert(node != nullptr, kSource, 60); }
