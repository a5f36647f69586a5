// What the scenes share when they make and configure their screens: the
// menus' sprites (archetype 18, character 0) lent to the screens, the
// soft-key labels, stopping the sounds before a page, and the level texts
// of the level menu, the level intro and the level-complete page.
#pragma once

#include <cstdint>

class CBinRes;
class CMenuScreen;
class CTextScreen;
class CWidgetScreen;
class SZ_Presenter;

namespace scenes {

// Soft-key label images: back (on the right key) and accept (left).
constexpr std::uint32_t kBackLabel = 0x02000247;
constexpr std::uint32_t kAcceptLabel = 0x0200024E;
// The answers of the yes/no questions, listed no first.
constexpr std::uint32_t kYes = 0x21FF0148;
constexpr std::uint32_t kNo = 0x21FF0149;
constexpr std::uint32_t kNoYes[2] = {kNo, kYes};
// Style flags of most pages: centred text and body.
constexpr std::uint32_t kPageStyle = 6;
// The animations of the menus' sprites.
constexpr std::int32_t kLogoAnimation = 8;
constexpr std::int32_t kFocusAnimation = 9;
constexpr std::int32_t kUpAnimation = 10;
constexpr std::int32_t kDownAnimation = 11;
// Levels, their names ("level %i") and intro texts (one per script level).
constexpr std::int32_t kLevelCount = 16;
constexpr std::uint32_t kLevelNameLength = 50;
constexpr std::uint32_t kLevelTextLength = 500;
constexpr std::uint32_t kLevelNameFormat = 0x21FF0157;
constexpr std::uint32_t kFirstLevelIntro = 0x21FF0158;

// Archetype 18's character 0 is loaded (false without sprite data).
bool MenuSpritesLoaded();
// Archetype 18, character 0, the animation from its start (no loop).
void SetUpSprite(SZ_Presenter& sprite, std::int32_t animation);
// With the menus' sprites loaded: the pair set up and given to the screen.
void LendIndicators(CWidgetScreen& screen, SZ_Presenter& up, SZ_Presenter& down);
// With the menus' sprites loaded: the menu's focus marker.
void LendFocus(CMenuScreen& menu, SZ_Presenter& focus);

// A menu of the text ids (the list stays the caller's) with the two
// labels; null when it cannot be allocated.
CMenuScreen* NewMenu(std::uint32_t titleId, const std::uint32_t* items, std::int32_t count, std::uint32_t style);
// A text page with the labels (right, left: 0 none); null likewise.
CTextScreen* NewTextPage(std::uint32_t titleId, std::uint32_t rightLabel, std::uint32_t leftLabel,
                         std::uint32_t style);
// The help page: device.conf's CONTROL_TEXT, else the help text; the
// indicators (when both are given) and the logo may be null.
CTextScreen* NewHelpPage(SZ_Presenter* up, SZ_Presenter* down, SZ_Presenter* logo);

// The sound resource played once (nothing without it).
void PlaySound(const CBinRes* sound, std::uint8_t priority);
// Every sound and vibration of the media player stopped.
void StopSounds();
// The key manager's pointer flags cleared: a tap on the page before does
// not reach the next one.
void ClearPointerFlags();

// Character 0 or 1 (another counts as 0), level 0 to 15 (clamped).
std::int32_t CheckedCharacter(std::int32_t character);
std::int32_t CheckedLevel(std::int32_t level);
// The level name format given the number, cut to the size.
void FormatLevelName(char16_t* destination, std::uint32_t size, std::int32_t number);
// The page's text: the head, the intro text of the character's level (by
// the level order), then device.conf's LEVEL_INTRO_TEXT; cut at 499
// characters.
void SetLevelText(CTextScreen& page, const char16_t* head, std::int32_t character, std::int32_t level);

}  // namespace scenes
