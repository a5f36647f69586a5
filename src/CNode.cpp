#include "src/CNode.h"

#include "src/LocalWidgets/WidgetLinks.h"

std::uint32_t CNode::Update(std::uint32_t dt) {
    const std::int64_t sum = std::int64_t{m_elapsed} + dt;
    m_elapsed = sum > kMaxElapsed ? kMaxElapsed : static_cast<std::int32_t>(sum);
    return 0;
}

void CNode::SetActive(std::uint8_t active) {
    m_active = active;
    if (active != 0) m_elapsed = 0;
}

namespace widgetlinks {

std::int32_t TransitionElapsed(const CNode* node) { return node->GetTransitionElapsed(); }

std::int32_t TransitionTime(const CNode* node) { return node->GetTransitionTime(); }

}  // namespace widgetlinks
