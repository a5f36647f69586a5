// Recorded play of the sample levels: plans of key events kept in
// tests/e2e/data/sample-play.keys, each event at a frame counted from the
// first frame that shows a level's dialogue, injected into a game run while
// the game screen plays that level.
//
//   RecordedPlay play({{0, "level0"}, {1, "level1"}});
//   run.Run([&](int tick) { if (play.Tick(tick) == 1) ...; });
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/Window.h"

// One key event of a plan: pressed (down and up at once), down or up.
struct KeyEvent {
    int frame = 0;
    WORD key = 0;
    enum { Press, Down, Up } action = Press;
};
using Plans = std::map<std::string, std::vector<KeyEvent>>;

// The plans of the recording by name; a line it cannot read fails the test.
Plans ReadPlans();

class RecordedPlay {
public:
    // The plan to play in each script level; other levels get no keys.
    explicit RecordedPlay(const std::map<std::int32_t, std::string>& planOfScriptLevel);

    // At every tick of the run: a level (or its retry) starts when its
    // dialogue opens in play; then its script level is returned (else -1)
    // and its plan runs from this tick on, a tick a frame.
    std::int32_t Tick(int tick);

private:
    Plans m_plans;
    std::map<std::int32_t, std::string> m_planOf;
    const std::vector<KeyEvent>* m_plan = nullptr;
    int m_start = -1;
    bool m_dialogue = false;
};
