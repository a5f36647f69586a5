// The options scene: the options page, saved when it ends, and behind its
// extra item the progress reset with its confirmation. 1 after the storage
// warning (saving failed), 2 when the page is left, 3 after a reset.
#pragma once

#include <cstdint>

#include "src/CStateMachineNode.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

class COptionsScene : public CStateMachineNode {
public:
    enum State : std::uint32_t { kOptions = 1, kStorageWarning = 2, kResetQuestion = 3 };
    static constexpr std::int32_t kResultReset = 3;

    std::int32_t Init() override;
    // Lent by the owner.
    virtual void SetIndicatorPresenters(SZ_Presenter* up, SZ_Presenter* down) {
        m_up = up;
        m_down = down;
    }
    // In play the page has no progress reset.
    void SetInGame(std::uint8_t inGame) { m_inGame = inGame; }

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override;
    void OnStateResult(std::uint32_t id, CNode* node) override;

private:
    void LendIndicators(class CWidgetScreen& screen);

    SZ_Presenter m_focus;
    SZ_Presenter* m_up = nullptr;
    SZ_Presenter* m_down = nullptr;
    std::uint8_t m_inGame = 0;
};
