// Play of the sample game's first level for the end-to-end scenarios: a new
// game started through the game's own flow (every page before play taken
// with select once its opening is over, the left-hand character, so script
// level 0 comes first), on the sample archive, whose script and level 0's
// characters a scenario may replace with its own text forms. Once the
// level's dialogue has closed and the player holds the keys, the scenario's
// step runs after every frame of play, where it injects keys and looks at
// the world.
//
//   LevelPlay play;
//   play.SetEntities("entity controller 0 0\nentity player 60 264\n");
//   play.Play([&](int frame) {
//       if (frame == 0) host::InjectKey(VK_RIGHT, true);
//       return frame < 10;
//   });
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "src/actionZel/AZ_Hooks.h"
#include "tests/support/GameRun.h"
#include "tests/support/WorldCounts.h"

class LevelPlay : public GameRun {
public:
    LevelPlay();

    // The script resource assembled from this text (the assembler's form).
    void SetScript(std::string_view text);
    // Level 0's characters (the entity list's text form, types named as in
    // the script in use, so after SetScript).
    void SetEntities(std::string_view text);

    // Plays as described above; the run ends when step returns false or
    // after maxFrames frames (step goes on seeing frames after play has
    // been left, e.g. on the retry question). Returns the number of frames
    // step saw.
    int Play(const std::function<bool(int frame)>& step, int maxFrames = 600);

    // Whether the level's dialogue is closed before the first frame of
    // play; if not, frame 0 is the first frame that shows it.
    bool closeDialogue = true;
    // Ticks after which the run ends, played or not.
    int maxTicks = 20000;
    // The frame's scene chain when play ended.
    std::string endChain;

    // The name of the character's top state in the script in use ("" for
    // none).
    std::string TopState(const AZ_Presenter* presenter) const;

private:
    std::string m_script;
};

// Content sources, read from content/.
std::string ContentText(const std::string& path);

// A character's place: the x and y of its feet, in world units.
struct Pos {
    std::int32_t x, y;
    bool operator==(const Pos&) const = default;
};
Pos PosOf(const AZ_Presenter* presenter);

// Appends now when it differs from the last value kept: a value's changes
// over the frames.
template <typename T>
void NoteChange(std::vector<T>& changes, const T& now) {
    if (changes.empty() || !(changes.back() == now)) changes.push_back(now);
}

// The events whose handlers ran, per presenter in the order they were
// raised (a handler that an event finds in a state below, or in a base
// state, counts once; an event that no state handles is not listed).
class EventTrace : public AZ_HookListener {
public:
    EventTrace();
    ~EventTrace() override;
    EventTrace(const EventTrace&) = delete;
    EventTrace& operator=(const EventTrace&) = delete;

    std::int32_t onHook(const AZ_HookCall& call) override;
    // The events of the presenter since the last Clear, in order.
    std::vector<std::int32_t> Of(std::int32_t presenterId) const;
    // The (callback id, code id) pairs of the behaviour updates that the
    // presenter's custom-code hook bracketed since the last Clear.
    std::set<std::pair<std::int32_t, std::int32_t>> Bracketed(std::int32_t presenterId) const;
    void Clear() {
        m_offers.clear();
        m_brackets.clear();
    }

private:
    // Every offer of an event to a state, in order; handled once its
    // handler has ended.
    struct Offer {
        std::int32_t presenter, event;
        bool handled;
    };
    std::vector<Offer> m_offers;
    std::vector<std::array<std::int32_t, 3>> m_brackets;  // presenter, callback id, code id
};

// The behaviour code ids (0-77) whose attach ran through a script call
// while the trace lives: every behaviour's entry in the engine's unit table
// is wrapped by one that notes its id and calls the unit's own.
class AttachTrace {
public:
    AttachTrace();
    ~AttachTrace();
    AttachTrace(const AttachTrace&) = delete;
    AttachTrace& operator=(const AttachTrace&) = delete;

    const std::set<std::int32_t>& Ids() const;
};
