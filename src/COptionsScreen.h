// The options page: a sound item and a vibration item that switch in place
// (a sample sound or a short vibration when switched on) and an extra item
// (the progress reset) that ends the screen with result 1; back gives 2.
// The device configuration can leave out the sound or vibration item, the
// owner the extra item. The options are not saved here.
#pragma once

#include <cstdint>

#include "src/CWidgetScreen.h"
#include "src/LocalWidgets/CSelectItemGroupWidget.h"
#include "src/LocalWidgets/CSelectItemWidget.h"

class CBinRes;

class COptionsScreen : public CWidgetScreen {
public:
    // Widget ids of the items.
    static constexpr std::uint32_t kSoundItem = 1;
    static constexpr std::uint32_t kVibrationItem = 2;
    static constexpr std::uint32_t kExtraItem = 0x21FF014A;
    // Texts of the items, off and on.
    static constexpr std::uint32_t kSoundOffText = 0x21FF0121;
    static constexpr std::uint32_t kSoundOnText = 0x21FF0120;
    static constexpr std::uint32_t kVibrationOffText = 0x21FF0123;
    static constexpr std::uint32_t kVibrationOnText = 0x21FF0122;
    static constexpr std::uint32_t kSampleSound = 0x09000222;
    static constexpr std::uint32_t kArrowImages[2] = {0x02000246, 0x02000254};
    static constexpr std::uint32_t kVibrationMs = 500;

    // Reads the options, gets the sample and builds the list; 0.
    std::int32_t Init() override;
    // Stops the last sample and gives back what Init took.
    void Exit() override;
    // Takes taps on the items.
    std::uint32_t Update(std::uint32_t dt) override;
    std::uint8_t OnWidgetCommand(std::uint32_t event, CWidget* sender) override;

    // Before Init: 1 leaves out the extra item.
    void SetHideExtraItem(std::uint8_t hide) { m_hideExtraItem = hide; }
    void SetFocusSprite(SZ_Presenter* sprite) { m_focusSprite = sprite; }
    // The widget id of the item last accepted.
    std::uint32_t GetChosenId() const { return m_chosen; }

protected:
    char16_t m_soundText[50] = {};
    CSelectItemWidget m_soundItem;
    CSelectItemWidget m_vibrationItem;
    CSelectItemWidget m_extraItem;

private:
    // The working copies bounded by the options mode, and the item texts.
    void UpdateTexts();
    void SetUpItem(CSelectItemWidget& item, std::uint32_t id, const char16_t* text);
    // The widget id of the item that is the sender; 0 for any other widget.
    std::uint32_t ItemIdOf(const CWidget* sender) const;

    std::uint8_t m_hideExtraItem = 0;
    std::uint8_t m_soundOn = 1;
    std::uint8_t m_vibrationOn = 1;
    CBinRes* m_sample = nullptr;
    CSelectItemGroupWidget m_group;
    SZ_Presenter* m_focusSprite = nullptr;
    char16_t m_vibrationText[50] = {};
    char16_t m_extraText[50] = {};
    std::uint32_t m_sampleHandle = 0;
    std::uint32_t m_chosen = 0;
};
