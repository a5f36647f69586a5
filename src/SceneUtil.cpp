#include "src/SceneUtil.h"

#include <new>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/CMenuScreen.h"
#include "src/CResMgr.h"
#include "src/CTextBuf.h"
#include "src/CTextScreen.h"
#include "src/CUtility.h"
#include "src/DrawingUtil.h"
#include "src/game/AZ_Adapter.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

namespace scenes {

namespace {

constexpr std::int32_t kArchetype = 18;
constexpr std::uint32_t kHelpTitle = 0x21FF0126;
constexpr std::uint32_t kHelpText = 0x21FF024B;

}  // namespace

bool MenuSpritesLoaded() {
    const SZ_Home* home = CGameApp::GetSpriteHome();
    return home != nullptr && home->IsConstructed() && home->IsArchetypeCharacterLoaded(kArchetype, 0);
}

void SetUpSprite(SZ_Presenter& sprite, std::int32_t animation) {
    sprite.setArchetypeCharacter(kArchetype, 0);
    sprite.setAnimation(animation, 0, 0);
}

void LendIndicators(CWidgetScreen& screen, SZ_Presenter& up, SZ_Presenter& down) {
    if (!MenuSpritesLoaded()) return;
    SetUpSprite(up, kUpAnimation);
    SetUpSprite(down, kDownAnimation);
    screen.SetScrollIndicators(&up, &down);
}

void LendFocus(CMenuScreen& menu, SZ_Presenter& focus) {
    if (!MenuSpritesLoaded()) return;
    SetUpSprite(focus, kFocusAnimation);
    menu.SetFocusSprite(&focus);
}

CMenuScreen* NewMenu(std::uint32_t titleId, const std::uint32_t* items, std::int32_t count, std::uint32_t style) {
    auto* menu = new (std::nothrow) CMenuScreen();
    if (menu == nullptr) return nullptr;
    menu->SetTitle(titleId);
    menu->SetSoftkeys(kBackLabel, kAcceptLabel, 1, 1);
    menu->SetItemsById(0, items, count);
    menu->SetStyleFlags(style);
    return menu;
}

CTextScreen* NewTextPage(std::uint32_t titleId, std::uint32_t rightLabel, std::uint32_t leftLabel,
                         std::uint32_t style) {
    auto* page = new (std::nothrow) CTextScreen();
    if (page == nullptr) return nullptr;
    page->SetTitle(titleId);
    page->SetSoftkeys(rightLabel, leftLabel, 1, 1);
    page->SetStyleFlags(style);
    return page;
}

CTextScreen* NewHelpPage(SZ_Presenter* up, SZ_Presenter* down, SZ_Presenter* logo) {
    CTextScreen* page = NewTextPage(kHelpTitle, kBackLabel, 0, kPageStyle);
    if (page == nullptr) return nullptr;
    if (up != nullptr && down != nullptr) LendIndicators(*page, *up, *down);
    page->SetLogoPresenter(logo);
    const char16_t* controls = CGameApp::GetInstance()->GetDeviceConfig().GetText(CDeviceConfig::kControlText);
    if (controls != nullptr) {
        page->SetText(controls);
    } else {
        page->SetTextId(kHelpText);
    }
    return page;
}

void PlaySound(const CBinRes* sound, std::uint8_t priority) {
    ICMediaPlayer* media = ICMediaPlayer::GetInstance();
    if (media != nullptr && sound != nullptr)
        media->PlaySound(sound->GetPayload(), sound->GetPayloadSize(), 0, priority);
}

void StopSounds() {
    if (ICMediaPlayer* media = ICMediaPlayer::GetInstance()) {
        media->StopSound(0);
        media->StopVibrate(0);
    }
}

void ClearPointerFlags() {
    if (CKeyMgr* keys = CGameApp::GetKeyMgr()) keys->SetPointerFlags(0);
}

std::int32_t CheckedCharacter(std::int32_t character) { return character == 1 ? 1 : 0; }

std::int32_t CheckedLevel(std::int32_t level) { return ClampInt(level, 0, kLevelCount - 1); }

void FormatLevelName(char16_t* destination, std::uint32_t size, std::int32_t number) {
    CResMgr* resources = CGameApp::GetResMgr();
    FormatWideInt(destination, size, resources->GetText(kLevelNameFormat, 0), number);
    resources->Release(kLevelNameFormat, 0);
}

void SetLevelText(CTextScreen& page, const char16_t* head, std::int32_t character, std::int32_t level) {
    CTextBuf text;
    if (text.Allocate(kLevelTextLength) != 0) return;
    text.Clear();
    text.AppendWide(head);
    const std::int32_t scriptLevel = AZ_LevelTable[CheckedCharacter(character)][CheckedLevel(level)];
    text.AppendStringResource(kFirstLevelIntro + static_cast<std::uint32_t>(scriptLevel));
    text.AppendWide(CGameApp::GetInstance()->GetDeviceConfig().GetText(CDeviceConfig::kLevelIntroText));
    page.SetText(text.GetBuffer());
}

}  // namespace scenes
