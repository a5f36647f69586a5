// What the instructions, behaviours and visuals share of the engine: walking
// and searching the characters of a type, broadcasting to them, leaving the
// state whose handler runs, pausing or resuming one unit of a presenter, and
// the sprite visuals' pooled sprites.
#pragma once

#include <cstdint>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

// A unit raising an event: the handler runs at once and may change the
// world. Both send the event only while `self`, the unit's character, is
// still the character it was, then answer whether it still is; once it is
// not, the unit goes no further. The first sends to the character of the
// presenter id as it is now; the second to a held character, and only
// while that is still the one held (its presenter may have gone to
// another).
bool AZ_SendEventHolding(const AZ_HeldCharacter& self, std::int32_t presenterId, std::int32_t event);
bool AZ_SendEventHolding(const AZ_HeldCharacter& self, const AZ_HeldCharacter& to, std::int32_t event);

// The next row after `row` whose character is of the type (or derives from
// it), or -1; a type outside the script has none.
std::int32_t AZ_GetNextCharacterOfType(std::int32_t type, std::int32_t row);

// Visits every character of the type (or derived from it) in row order:
// visit(row, presenter), which may raise events and ends the walk by
// answering false. A handler that destroys a character leaves its row to
// the next one (or to one it spawned, even on the same presenter), so the
// row is visited again while its character keeps being replaced and no
// character of the type is skipped. A handler that also spawns a
// replacement would keep the row changing until the presenter pool runs
// dry: after as many newcomers as there are rows, the row is left.
template <typename Visit>
void AZ_ForEachCharacterOfType(std::int32_t type, Visit visit) {
    AZ_Client* client = AZ_Client::getInstance();
    const AZ_Data* data = client->getData();
    for (std::int32_t row = client->findCharacterByType(type); row != -1;
         row = AZ_GetNextCharacterOfType(type, row)) {
        std::int32_t id = client->getPresenterOfRow(row);
        for (std::int32_t newcomers = 1;; ++newcomers) {
            AZ_Presenter* presenter = AZ_Presenter::getPresenter(id);
            const AZ_HeldCharacter visited(presenter);
            if (!visit(row, presenter)) return;
            const std::int32_t now = client->getPresenterOfRow(row);
            if (now == -1 || (now == id && visited.held())) break;
            if (newcomers > AZ_MAX_ACTIVE) {
                AZ_LogError("AZ_ForEachCharacterOfType : receivers keep replacing themselves, examine script");
                break;
            }
            if (!data->isKindOf(client->getCharacterType(row), type)) break;
            id = now;
        }
    }
}

// Raises script event `event` (162 + event) on every character of the type,
// in row order, the ones moving into a receiver's row included.
void AZ_BroadcastEventToType(std::int32_t event, std::int32_t type);

// Every presenter of the pool whose character type is the type or derives
// from it, with or without a row; free presenters and types outside the
// script match nothing.
template <typename Action>
void AZ_ForEachPresenterOfType(std::int32_t type, Action action) {
    const AZ_Data* data = AZ_Client::getInstance()->getData();
    const AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    if (store == nullptr || !data->isValidCharacter(type)) return;
    for (std::int32_t id = 0; id < store->getPoolSize(); ++id) {
        AZ_Presenter* presenter = AZ_Presenter::getPresenter(id);
        const std::int32_t own = presenter->getCharacterType();
        if (own != AZ_Presenter::kNone && data->isKindOf(own, type)) action(presenter);
    }
}

// Presenter id of the character of the type nearest to the presenter,
// between the top centres of their bounding boxes (the position itself
// without a box), or -1. Characters of the presenter's own type, the
// presenter, the excluded id and characters holding b_ignore are left out;
// the first one met wins a tie. Distances as AZ_GetSquaredDistance.
std::int32_t AZ_FindNearestTarget(const AZ_Presenter* presenter, std::int32_t type, std::int32_t excluded);
// ((x2 - x1)^2 + (y2 - y1)^2) >> 10, exact in 64 bits and saturated at
// 2,147,483,647, so that characters far apart never compare as near.
std::int32_t AZ_GetSquaredDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
// (dx^2 + dy^2) >> 10, the same measure of a difference.
std::int32_t AZ_GetSquaredLength(std::int32_t dx, std::int32_t dy);
// (dx^2 >> 10) + (dy^2 >> 10) between the two points, each square shifted
// on its own (their low bits do not add up), exact and saturated as above.
std::int32_t AZ_GetShiftedSquares(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
// Presenter id of the character of the type nearest to the presenter by
// AZ_GetSquaredDistance between their positions, or -1; the presenter and
// the excluded id are left out, the first one met wins a tie. ...OfType
// takes any such character; ...AtSameHeight only one whose position lies
// within the presenter's box height, or whose box height (1024 without a
// box) holds the presenter's position.
std::int32_t AZ_FindNearestOfType(const AZ_Presenter* presenter, std::int32_t type, std::int32_t excluded);
std::int32_t AZ_FindNearestAtSameHeight(const AZ_Presenter* presenter, std::int32_t type, std::int32_t excluded);

// The row of the presenter's character while it has a state, else -1.
std::int32_t AZ_GetStateRow(std::int32_t presenterId);
// Exits and pops, one by one, the states above the one whose handler runs
// (the row's handler depth), which becomes the top. Exit handlers may pop
// or remove the character: returns its row afterwards, or -1 once it is
// gone (also when another character took its presenter) or has no state
// left (and for row -1).
std::int32_t AZ_ClearStateStack(std::int32_t row);
// AZ_ClearStateStack, then the exit event of the handling state: the row
// afterwards, or -1 as above.
std::int32_t AZ_ExitHandlingState(std::int32_t row);
// The state, resolved through the overrides, replaces the top and is entered.
void AZ_EnterNewTopState(std::int32_t row, std::int32_t state);
// The weighted change of count (4 or 8) states: reads count - 1 weights and
// count states, draws 0..1024 first, then changes the presenter's
// character to the state of the first cumulative weight above the draw,
// else to the last state.
void AZ_ChangeToWeightedState(const AZ_Presenter* presenter, AZ_ArgCursor args, std::int32_t count);

// Word 0 of the presenter's instance of the code id := 1 (paused), or 0
// (running); nothing when the presenter holds none. A paused behaviour is
// not updated and a paused visual not drawn.
void AZ_PauseCode(AZ_Presenter* presenter, std::int32_t codeId);
void AZ_PauseVisual(AZ_Presenter* presenter, std::int32_t codeId);
void AZ_ResumeCode(AZ_Presenter* presenter, std::int32_t codeId);

// The pooled sprite (SZ_Pool id) that a visual keeps in word `word` of its
// instance: a new one when the word holds none (0 or -32767), written back;
// -1 when the pool is full.
std::int32_t AZ_TakeSprite(std::int32_t codeSlot, std::int32_t word);
// Gives the word's sprite back to the pool (a -1 is skipped) and marks the
// word free.
void AZ_FreeSprite(std::int32_t codeSlot, std::int32_t word);

// 0xFF000000 with the low 8 bits of each channel.
constexpr std::uint32_t AZ_MakeColor(std::int32_t r, std::int32_t g, std::int32_t b) {
    return 0xFF000000u | (static_cast<std::uint32_t>(r) & 0xFF) << 16 | (static_cast<std::uint32_t>(g) & 0xFF) << 8 |
           (static_cast<std::uint32_t>(b) & 0xFF);
}
// Fills (x, y, width, height), each cut to signed 16 bits, opaque in the
// colour, clipped to the back buffer; an empty rectangle fills nothing.
void AZ_FillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t colour);

// The player the head-up display shows: the first character of type 2 (or
// derived), else of type 3; null when there is neither.
AZ_Presenter* AZ_FindPlayer();

// Presenter id of the key-input character, whose key manager runs every
// frame (chosen by f_setUserControlCharacter).
std::int32_t AZ_GetKeyInputCharacter();

// (max - value) * width / max, the share of the width that a value below
// its maximum leaves open, computed in 64 bits and cut to 32.
std::int32_t AZ_CutWidth(std::int32_t value, std::int32_t max, std::int32_t width);

// Frees the string in the running engine's text pool; nothing while no
// engine runs (a presenter store used on its own).
void AZ_ReleaseText(std::int32_t id);
