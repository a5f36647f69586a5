// The intro scene: two pictures, each for at most two seconds or until a
// key; 1 when both have shown, 2 on back.
#pragma once

#include "src/CStateMachineNode.h"

class CIntroScene : public CStateMachineNode {
public:
    static constexpr std::uint32_t kImages[2] = {0x02000251, 0x02000257};
    static constexpr std::int32_t kShowMs = 2000;

    std::int32_t Init() override;

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override;
    void OnStateResult(std::uint32_t id, CNode* node) override;
};
