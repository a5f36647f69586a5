// The exit scene: it has no screen; it reports 1 at once, on which the root
// node quits the program.
#pragma once

#include "src/CStateMachineNode.h"

class CDestroyScene : public CStateMachineNode {
public:
    std::int32_t Init() override;

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override;
    void OnStateResult(std::uint32_t id, CNode* node) override;
};
