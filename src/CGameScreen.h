// The screen of play: it makes the game class when it starts (which starts
// the chosen level), hands it every frame's update and drawing and deletes
// it when it ends. Keys reach the engine through the key manager, so key
// events are not its business, except back and the right soft key, which
// ask for the pause (result 2) as losing the focus or a display change do;
// the engine's interrupts become results 3, 4 and 5. A later event of a
// frame replaces an earlier one's result.
#pragma once

#include <cstdint>

#include "src/CNode.h"

class Velkorin;

class CGameScreen : public CNode {
public:
    static constexpr std::int32_t kResultPause = 2;
    static constexpr std::int32_t kResultInterrupt1 = 3;
    static constexpr std::int32_t kResultInterrupt3 = 4;
    static constexpr std::int32_t kResultInterrupt4 = 5;

    CGameScreen() = default;
    ~CGameScreen() override;

    // Makes the game; a failed allocation leaves none. Always 0.
    std::int32_t Init() override;
    void Exit() override;
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    // The game's update; the next Draw paints. Returns 1.
    std::uint32_t Update(std::uint32_t dt) override;
    // Paints when an update or a redraw event asked for it (1), else 0.
    std::uint8_t Draw() override;

    // Marks the saved game started and saves it at once; the save's result.
    static std::uint8_t SaveGameStarted();

private:
    void Report(std::int32_t result) {
        ClearResult();
        SetResult(result);
    }

    std::uint8_t m_redraw = 1;
    Velkorin* m_game = nullptr;
};
