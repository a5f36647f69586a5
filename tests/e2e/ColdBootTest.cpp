// The game's first start in an empty game directory holding only its
// archive: the two save files written with their defaults, then each page
// of the start-up in turn at its time on the virtual clock (sound question,
// splash movie, loading, two pictures, the title) up to the main menu; the
// same pages skipped; and in a read-only directory the storage warning
// before the title.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/shared/components/ICMediaPlayer.h"
#include "src/CGameApp.h"
#include "src/CProgressScreen.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/support/GameFlow.h"
#include "tests/support/GoldenFrame.h"

namespace {

constexpr int kFrame = 48;

// prefs.dat: 12 reserved bytes, sound on, vibration off (this device has
// none: device.conf's DISABLE_VIBRATION defaults to set), the touch-screen
// notice not shown, one reserved byte. savegame.dat: no game started, level
// 0, character 0.
const std::string kFirstPrefs = std::string(12, '\0') + std::string("\1\0\0\0", 4);
const std::string kNoGame(12, '\0');

bool SoundPlaying() { return ICMediaPlayer::GetInstance()->IsSoundPlaying(0); }

// Every archetype the loading queued is in memory once the first picture
// shows.
void ExpectSpritesLoaded() {
    const SZ_Home* home = CGameApp::GetSpriteHome();
    for (const auto& [archetype, character] : GameSprites()) {
        EXPECT_TRUE(home->IsArchetypeCharacterLoaded(archetype, character)) << archetype;
    }
}

// Left alone, each page ends by itself in the frame in which its time is
// up: the movie after its 3000 ms (63 frames of 48 ms), each picture after
// 2000 ms (42 frames) and the title 2000 ms after the logo's 300 ms
// animation (6 frames); the next page shows in that frame. The loading
// shows 0 % in its first frame and in the frame that ends its start delay
// of 0, then rises a slice a frame to 100 %, which it shows for one frame
// before it ends. Select ends the movie and the pictures at the next frame
// but one, not the title.
TEST(ColdBoot, EachPageInTurnAtItsTime) {
    const struct {
        const char* what;
        bool skip;
        // The time each page is shown: the movie, the two pictures and the
        // title.
        std::vector<int> shownMs;
    } cases[] = {
        {"left alone", false, {3024, 2016, 2016, 2304}},
        {"select on each", true, {2 * kFrame, 2 * kFrame, 2 * kFrame, 2304}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FlowRun run;
        bool splashSound = false;
        std::vector<int> percents;
        run.everyTick = [&](int) {
            if (Chain() == "1 Init/5 ResLoad") percents.push_back(static_cast<CProgressScreen*>(Top())->GetPercent());
        };
        const std::vector<WORD> skip = c.skip ? std::vector<WORD>{kEnter} : std::vector<WORD>{};
        // The pictures as they stand once the page has settled, left alone.
        const auto golden = [&](const char* name) -> std::function<void()> {
            if (c.skip) return {};
            return [name] { EXPECT_TRUE(MatchesGoldenFrame(name)); };
        };
        const std::vector<int> times = run.Walk({
            {"1 Init/3 Menu", {kDown, kEnter}, [&] {
                 EXPECT_EQ(run.dir.Read("prefs.dat"), kFirstPrefs);
                 EXPECT_EQ(run.dir.Read("savegame.dat"), kNoGame);
             }, golden("flow-sound-question")},
            {"1 Init/4 ZelMovie", skip, [&] { splashSound = SoundPlaying(); }},
            {"1 Init/5 ResLoad", {}, [] { EXPECT_FALSE(SoundPlaying()); }},
            {"2 Intro/1 Image", skip, ExpectSpritesLoaded},
            {"2 Intro/2 Image", skip},
            // Half way through the logo's motion.
            {"3 Shell/11 AnimatedImage", skip, [] { EXPECT_TRUE(SoundPlaying()); }, golden("flow-title"), 1500},
            {"3 Shell/3 Menu", {}, {}, golden("flow-main-menu")},
        });
        EXPECT_TRUE(splashSound);
        // The answer is kept in memory only.
        EXPECT_EQ(run.dir.Read("prefs.dat"), kFirstPrefs);
        EXPECT_EQ(run.dir.Read("savegame.dat"), kNoGame);
        ASSERT_EQ(times.size(), 7u);
        EXPECT_EQ(times[0], kFrame);  // the first frame
        ASSERT_GE(percents.size(), 4u);
        EXPECT_EQ(percents[0], 0);
        EXPECT_EQ(percents[1], 0);
        EXPECT_GT(percents[2], 0);
        EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
        EXPECT_EQ(percents[percents.size() - 2], 100);
        EXPECT_LT(percents[percents.size() - 3], 100);
        EXPECT_EQ(std::vector<int>({times[2] - times[1], times[4] - times[3], times[5] - times[4], times[6] - times[5]}),
                  c.shownMs);
    }
}

// Neither save file can be written: the storage warning comes before the
// title; select goes on to the title and the main menu as usual.
TEST(ColdBoot, AReadOnlyGameDirectoryGivesTheStorageWarning) {
    FlowRun run;
    host::SetReadOnlyFiles(true);
    run.Walk(ToShell({
        {"3 Shell/1 Text", {kEnter}, [] {
             EXPECT_EQ(CGameApp::GetInstance()->GetStorageWarning(), 1);
             EXPECT_EQ(TopText(), Text(0x21FF0125));
         }},
        {"3 Shell/11 AnimatedImage", {kEnter}},
        {"3 Shell/3 Menu", {}},
    }));
    host::SetReadOnlyFiles(false);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.endedByItself);
    EXPECT_FALSE(run.dir.Exists("prefs.dat"));
    EXPECT_FALSE(run.dir.Exists("savegame.dat"));
}

}  // namespace
