// The screen on which the player picks one of the two characters before a
// new game: one animated sprite in the middle of the screen whose
// animations show the choices. The arrow keys (or a tap on either half of
// the screen) turn it to the left or right choice, select confirms, and the
// screen ends with result 1 when the confirmation animation has played;
// back ends it with 2 at any time. The widgets (the soft-key bar above all)
// are drawn transparently over the picture. There is no intro.
#pragma once

#include <cstdint>

#include "src/CWidgetScreen.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

class CharacterSelectScreen : public CWidgetScreen {
public:
    static constexpr std::int32_t kArchetype = 18;
    // Animations of the archetype's character 0.
    enum Animation : std::int32_t {
        kIntro = 0,
        kIdle = 1,
        kRightShown = 2,
        kLeftShown = 3,
        kRightConfirmed = 4,
        kLeftConfirmed = 5,
    };
    // Choices.
    static constexpr std::int32_t kLeft = 0;
    static constexpr std::int32_t kRight = 1;
    static constexpr std::int32_t kNone = 2;
    static constexpr std::uint32_t kRightLabel = 0x02000247;
    static constexpr std::uint32_t kLeftLabel = 0x0200024E;

    // Starts the introduction and builds the transparent widgets; 0. A
    // sprite that is not loaded (a damaged archive) leaves the screen
    // without its picture.
    std::int32_t Init() override;
    // Gives back the labels it holds.
    void Exit() override;
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    std::uint32_t Update(std::uint32_t dt) override;
    // The picture when it changed, then the widgets over it every frame.
    std::uint8_t Draw() override;

    // 0 left, 1 right, 2 none yet.
    std::int32_t GetChoice() const { return m_choice; }
    // Puts the soft-key label ids on the bar and repaints it.
    void RefreshSoftkeys();

private:
    void StartAnimation(std::int32_t animation, std::uint8_t loop);
    // Without the picture an animation that does not loop ends at once.
    bool IsAnimationFinished() const;
    void ShowSoftkeys(std::uint32_t rightId, std::uint32_t leftId);

    SZ_Presenter m_presenter;
    std::int32_t m_choice = kNone;
    std::uint32_t m_background = 0xFF000000;
    std::uint8_t m_redraw = 1;
    std::uint8_t m_confirmed = 0;
    std::uint8_t m_hasPicture = 0;
    std::uint8_t m_loop = 0;
};
