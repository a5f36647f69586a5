#include "src/COptionsScreen.h"

#include <initializer_list>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/Debug.h"
#include "src/CGameApp.h"
#include "src/COptionsMgr.h"
#include "src/CResMgr.h"
#include "src/CUtility.h"

namespace {

constexpr const char* kSource = "COptionsScreen";

const CDeviceConfig& Config() { return CGameApp::GetInstance()->GetDeviceConfig(); }

}  // namespace

std::int32_t COptionsScreen::Init() {
    CWidgetScreen::Init();
    const COptionsMgr* options = CGameApp::GetOptionsMgr();
    m_soundOn = options->IsSoundOn();
    m_vibrationOn = options->IsVibrationOn();
    CResMgr* resources = CGameApp::GetResMgr();
    m_sample = resources->GetSound(kSampleSound, 0);
    UpdateTexts();
    // Held while the screen shows, so that they stay cached.
    for (const std::uint32_t id : kArrowImages) resources->GetImage(id, 0);
    BuildWidgets();
    Style(m_group);
    m_group.SetFocusable(true);
    m_group.SetSelectable(true);
    m_group.SetMode(CSelectItemGroupWidget::kSingleChoice);
    m_group.SetWrap(true);
    if (Config().disableSound == 0) SetUpItem(m_soundItem, kSoundItem, m_soundText);
    if (Config().disableVibration == 0) SetUpItem(m_vibrationItem, kVibrationItem, m_vibrationText);
    if (m_hideExtraItem == 0) SetUpItem(m_extraItem, kExtraItem, m_extraText);
    m_page.AddItem(&m_group);
    m_page.SetWrap(true);
    return 0;
}

void COptionsScreen::SetUpItem(CSelectItemWidget& item, std::uint32_t id, const char16_t* text) {
    Style(item);
    item.SetId(id);
    item.SetFocusable(true);
    item.SetSelectable(true);
    item.SetChecked(false);
    item.SetAlignment(CUIWidget::kAlignHCentre);
    item.SetFont(MenuFont());
    item.SetFocusSprite(m_focusSprite);
    item.SetText(text);
    item.SetTransitionOwner(this);
    m_group.AddItem(&item);
}

void COptionsScreen::UpdateTexts() {
    const std::int32_t mode = CGameApp::GetOptionsMgr()->GetMode();
    if (mode == 0) m_vibrationOn = 0;
    if (mode <= 1) m_soundOn = 0;
    if (Config().disableSound == 0) {
        CUtility::CopyStringResource(m_soundOn != 0 ? kSoundOnText : kSoundOffText, m_soundText, sizeof m_soundText);
    }
    if (Config().disableVibration == 0) {
        CUtility::CopyStringResource(m_vibrationOn != 0 ? kVibrationOnText : kVibrationOffText, m_vibrationText,
                                     sizeof m_vibrationText);
    }
    CUtility::CopyStringResource(kExtraItem, m_extraText, sizeof m_extraText);
}

void COptionsScreen::Exit() {
    CWidgetScreen::Exit();
    ICMediaPlayer* media = ICMediaPlayer::GetInstance();
    if (m_sampleHandle != 0 && media != nullptr) {
        media->StopSound(m_sampleHandle);
        media->StopVibrate(m_sampleHandle);
    }
    m_sampleHandle = 0;
    CResMgr* resources = CGameApp::GetResMgr();
    for (const std::uint32_t id : kArrowImages) resources->Release(id, 0);
    if (m_sample != nullptr) resources->Release(kSampleSound, 0);
    m_sample = nullptr;
}

std::uint32_t COptionsScreen::Update(std::uint32_t dt) {
    // The tapped item switches or ends the screen when its accept comes back.
    for (CSelectItemWidget* item : {&m_soundItem, &m_vibrationItem, &m_extraItem}) {
        if (TapItem(m_group, *item)) break;
    }
    return CWidgetScreen::Update(dt);
}

std::uint32_t COptionsScreen::ItemIdOf(const CWidget* sender) const {
    // Compared, never read: the sender of a queued accept may be gone.
    for (const CSelectItemWidget* item : {&m_soundItem, &m_vibrationItem, &m_extraItem}) {
        if (sender == item) return item->GetId();
    }
    return 0;  // the page or group of an empty list accepts for itself
}

std::uint8_t COptionsScreen::OnWidgetCommand(std::uint32_t event, CWidget* sender) {
    // Once the screen has ended, a later accept switches nothing and leaves
    // the item the owner reads.
    if ((event == EVENT_WIDGET_ACCEPT || event == EVENT_WIDGET_BACK) && GetResult() != 0) return 1;
    if (event == EVENT_WIDGET_BACK) {
        SetResult(2);
        return 1;
    }
    if (event == EVENT_WIDGET_CHANGED) return 0;
    DebugAssert(event == EVENT_WIDGET_ACCEPT, kSource, 219);
    COptionsMgr* options = CGameApp::GetOptionsMgr();
    ICMediaPlayer* media = ICMediaPlayer::GetInstance();
    const std::int32_t mode = options->GetMode();
    m_chosen = ItemIdOf(sender);
    if (m_chosen == kSoundItem) {
        m_soundOn = (m_soundOn == 0 && mode == 2) ? 1 : 0;
        options->SetSoundOn(m_soundOn);
        media->SetSoundEnabled(m_soundOn);
        if (m_soundOn != 0 && m_sample != nullptr) {
            m_sampleHandle = media->PlaySound(m_sample->GetPayload(), m_sample->GetPayloadSize(), 0, 0);
        }
    } else if (m_chosen == kVibrationItem) {
        m_vibrationOn = (m_vibrationOn == 0 && mode != 0) ? 1 : 0;
        options->SetVibrationOn(m_vibrationOn);
        media->SetVibrationEnabled(m_vibrationOn);
        if (m_vibrationOn != 0) m_sampleHandle = media->Vibrate(kVibrationMs, 0);
    } else if (m_chosen == kExtraItem) {
        SetResult(1);
    }
    UpdateTexts();
    m_soundItem.SetText(m_soundText);
    m_vibrationItem.SetText(m_vibrationText);
    return 1;
}
