// The root of the game's flow, owned by the application object: while it is
// initialised it holds the two sounds played outside levels, and it runs the
// scenes of the game one after the other: start-up (1), intro (2), shell (3)
// and exit (4), after which the program quits. A back in the start-up or
// intro scene goes straight to the exit.
#pragma once

#include <cstdint>

#include "src/CStateMachineNode.h"

class CRootNode : public CStateMachineNode {
public:
    static constexpr std::uint32_t kSplashSound = 0x09000221;
    static constexpr std::uint32_t kTitleSound = 0x09000223;

    // Gets both sounds into the game data and requests the first scene.
    std::int32_t Init() override;
    // Clears the stack and gives the sounds back.
    void Exit() override;

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override;
    void OnStateResult(std::uint32_t id, CNode* node) override;
};
