#include "src/CStateMachineNode.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/SystemEvent.h"

namespace {

bool IsBroadcast(std::uint32_t id) {
    switch (id) {
        case EVENT_REDRAW:
        case EVENT_PAUSE_REQUEST:
        case EVENT_CLAMSHELL:
        case EVENT_SUSPEND:
        case EVENT_RESUME_2:
        case EVENT_RESUME:
        case EVENT_PAUSE_REQUEST_2:
            return true;
        default:
            return false;
    }
}

}  // namespace

CStateMachineNode::~CStateMachineNode() { ClearStack(); }

std::int32_t CStateMachineNode::Init() {
    ClearStack();
    m_pendingTarget = 0;
    m_pendingKind = kNone;
    SetActive(1);
    return 0;
}

void CStateMachineNode::Exit() {
    SetActive(0);
    ClearStack();
}

std::uint8_t CStateMachineNode::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    if (IsBroadcast(id)) {
        for (std::int32_t i = 0; i < m_count; ++i) m_stack[i].node->HandleEvent(id, param1, param2);
        return 1;
    }
    return m_current != nullptr ? m_current->HandleEvent(id, param1, param2) : 0;
}

std::uint32_t CStateMachineNode::Update(std::uint32_t dt) {
    const std::uint32_t target = m_pendingTarget;
    const std::uint32_t kind = m_pendingKind;
    m_pendingTarget = 0;
    m_pendingKind = kNone;
    switch (kind) {
        case kNone: break;
        case kPush: PushNewState(target); break;
        case kReplace:
            PopState();
            PushNewState(target);
            break;
        case kReset:
            ClearStack();
            PushNewState(target);
            break;
        case kPop: PopState(); break;
        case kPopBack: PopBackTo(target); break;
        default: DebugAssert(false, "CStateMachineNode", 139); break;
    }
    if (m_current != nullptr) {
        m_current->Update(dt);
        if (m_current->GetResult() != 0) OnStateResult(m_currentId, m_current);
    }
    return 0;
}

std::uint8_t CStateMachineNode::Draw() {
    std::uint8_t drew = 0;
    for (std::int32_t i = 0; i < m_count; ++i) {
        CNode* node = m_stack[i].node;
        if (drew != 0) node->HandleEvent(EVENT_REDRAW, 0, 0);
        drew |= node->Draw();
    }
    return drew;
}

CNode* CStateMachineNode::FindState(std::uint32_t id) const {
    for (std::int32_t i = 0; i < m_count; ++i) {
        if (m_stack[i].id == id) return m_stack[i].node;
    }
    return nullptr;
}

std::int32_t CStateMachineNode::PushNewState(std::uint32_t id) {
    CNode* node = nullptr;
    std::int32_t result = CreateState(&node, id);
    if (result == 0) result = PushState(id, node);
    // Once stacked the node is the stack's, whatever its Init returned.
    if (node != nullptr && (m_count == 0 || m_stack[m_count - 1].node != node)) delete node;
    return result;
}

std::int32_t CStateMachineNode::PushState(std::uint32_t id, CNode* node) {
    if (node == nullptr || m_count >= kMaxDepth) return 1;
    m_stack[m_count++] = Entry{id, node};
    RefreshTop(true);
    return node->Init();
}

void CStateMachineNode::PopState() {
    if (m_current != nullptr) m_current->Exit();
    if (m_count == 0) return;
    --m_count;
    delete m_stack[m_count].node;
    m_stack[m_count] = Entry{};
    RefreshTop(false);
}

std::int32_t CStateMachineNode::PopBackTo(std::uint32_t id) {
    while (m_count > 0 && m_stack[m_count - 1].id != id) PopState();
    return m_count > 0 ? 0 : PushNewState(id);
}

void CStateMachineNode::RefreshTop(bool afterPush) {
    if (m_count > 0) {
        m_current = m_stack[m_count - 1].node;
        m_currentId = m_stack[m_count - 1].id;
        m_current->ClearResult();
        m_current->SetActive(1);
    } else {
        m_current = nullptr;
        m_currentId = 0;
    }
    const std::int32_t covered = afterPush ? m_count - 1 : m_count;
    for (std::int32_t i = 0; i < covered; ++i) m_stack[i].node->HandleEvent(EVENT_REDRAW, 0, 0);
}

void CStateMachineNode::ClearStack() {
    for (std::int32_t i = 0; i < m_count; ++i) {
        m_stack[i].node->Exit();
        delete m_stack[i].node;
        m_stack[i] = Entry{};
    }
    m_count = 0;
    m_current = nullptr;
    m_currentId = 0;
}
