// The game played for minutes by a seeded stream of random input on the
// headless host and the virtual clock: keys tapped and held, stylus taps
// anywhere (on the menus' items, the soft-key bar, the play area), double
// and triple taps, pauses of the application, screen rotations and
// resumes. One seed starts at the sound question and goes through the menus
// into the levels (a game that ends is started again); one plays the levels
// alone, brought back into play whenever it leaves it.
//
// Nothing may stop the game through an assertion, no error line may be
// logged, and while a level is played what the engine and the resource
// cache hold stays what it was when the level had loaded, give or take the
// characters a player brings about (a hook, sparks, puffs) and the level's
// sounds, which load as they first play; at every frame in play the unit
// instances in use are exactly those the characters hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "host/Clock.h"
#include "host/Vibrate.h"
#include "host/Window.h"
#include "src/CGameApp.h"
#include "src/CMenuScreen.h"
#include "src/CResMgr.h"
#include "src/CShellScene.h"
#include "src/CStateMachineNode.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"
#include "tests/support/GameFlow.h"
#include "tests/support/WorldCounts.h"
#include "tests/support/DebugCapture.h"

namespace {

constexpr DWORD kGameMs = 10 * 60 * 1000 + 30 * 1000;  // a little over ten minutes
// Characters a player may bring about at once beyond those of the loaded
// level, and sounds a level loads as they first play.
constexpr std::int32_t kBroughtAbout = 8;
constexpr std::int64_t kLevelSounds = 11;
constexpr int kLeftoverEvery = 25;  // frames between the full leftover checks
constexpr std::int64_t kFonts = 3;  // font images, which load as a text first uses them, and stay

// A frame's input, drawn from the generator.
class RandomPlayer {
public:
    explicit RandomPlayer(std::uint32_t seed, bool inLevel) : m_random(seed), m_inLevel(inLevel) {}

    // Called once a frame.
    void Play() {
        // What was started in earlier frames goes on: held keys, the
        // further taps of a double or triple tap, a rotation to undo.
        for (auto it = m_held.begin(); it != m_held.end();) {
            if (--it->frames > 0) {
                ++it;
                continue;
            }
            host::InjectKey(it->key, false);
            it = m_held.erase(it);
        }
        if (m_tapsLeft > 0) {
            --m_tapsLeft;
            Tap(m_tapX, m_tapY);
        }
        if (m_rotatedFor > 0 && --m_rotatedFor == 0) host::RotateScreen();
        if (m_paused) {
            host::InjectActivation(true);
            m_paused = false;
        }

        const std::uint32_t roll = Below(1000);
        if (roll < 200) {
            Press(Key());
            ++m_keys;
        } else if (roll < 250) {
            const WORD key = Key();
            if (std::none_of(m_held.begin(), m_held.end(), [&](const Held& h) { return h.key == key; })) {
                host::InjectKey(key, true);
                m_held.push_back({key, 1 + static_cast<int>(Below(60))});
                ++m_holds;
            }
        } else if (roll < 300) {
            TapSomewhere();
        } else if (roll < 302 && m_rotatedFor == 0) {
            host::RotateScreen();
            m_rotatedFor = 2 + static_cast<int>(Below(60));
            ++m_rotations;
        } else if (roll < 303) {
            // The application deactivated for a while: its frames stop.
            host::InjectActivation(false);
            host::AdvanceVirtualClock(100 + Below(2000));
            m_paused = true;
            ++m_pauses;
        }
    }

    std::string Summary() const {
        return std::to_string(m_keys) + " keys tapped, " + std::to_string(m_holds) + " held, " +
               std::to_string(m_taps[0]) + " single, " + std::to_string(m_taps[1]) + " double and " +
               std::to_string(m_taps[2]) + " triple taps, " + std::to_string(m_rotations) + " rotations, " +
               std::to_string(m_pauses) + " pauses";
    }

    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(m_random() % n); }

private:
    struct Held {
        WORD key;
        int frames;
    };

    // Mostly the keys of play (walks more than jumps, which the air does
    // not stop) and of the menus; back, the soft keys and the keypad's
    // digits now and then.
    WORD Key() {
        static constexpr WORD kPlay[] = {VK_LEFT,   VK_RIGHT,  VK_LEFT, VK_RIGHT, VK_LEFT, VK_RIGHT,
                                         VK_UP,     VK_DOWN,   VK_DOWN, VK_RETURN, VK_RETURN, '5'};
        static constexpr WORD kMenus[] = {VK_UP, VK_DOWN, VK_RETURN, VK_RETURN, VK_LEFT, VK_RIGHT};
        static constexpr WORD kRare[] = {VK_ESCAPE, VK_F1, VK_F2, VK_BACK, '2', '8', '0', VK_SPACE};
        const std::uint32_t roll = Below(100);
        if (roll < 3) return kRare[Below(std::size(kRare))];
        if (m_inLevel || roll < 50) return kPlay[Below(std::size(kPlay))];
        return kMenus[Below(std::size(kMenus))];
    }

    // Half the taps on an item of the menu shown, if any; the others
    // anywhere. One in four is a double tap, one in eight a triple.
    void TapSomewhere() {
        m_tapX = static_cast<int>(Below(240));
        m_tapY = static_cast<int>(Below(320));
        if (auto* menu = dynamic_cast<CMenuScreen*>(Top()); menu != nullptr && Below(2) == 0) {
            if (const std::int32_t count = menu->*MenuPeek::kCount; count > 0) {
                const CRect rect =
                    (menu->*MenuPeek::kItems)[Below(static_cast<std::uint32_t>(count))].GetScreenRect();
                m_tapX = rect.x + rect.w / 2;
                m_tapY = rect.y + rect.h / 2;
            }
        }
        Tap(m_tapX, m_tapY);
        const std::uint32_t roll = Below(8);
        m_tapsLeft = roll == 0 ? 2 : roll < 3 ? 1 : 0;
        ++m_taps[m_tapsLeft];
    }

    std::mt19937 m_random;
    bool m_inLevel;
    std::vector<Held> m_held;
    int m_tapsLeft = 0, m_tapX = 0, m_tapY = 0;
    int m_rotatedFor = 0;
    bool m_paused = false;
    int m_keys = 0, m_holds = 0, m_taps[3] = {}, m_rotations = 0, m_pauses = 0;
};

// What the soak saw, over all its games.
struct Figures {
    DWORD gameMs = 0;
    int frames = 0, games = 0, levelsLoaded = 0, framesInPlay = 0, leftoverChecks = 0;
    int hooks = 0, sparks = 0, puffs = 0;  // appearances
    std::int32_t maxCharacters = 0, maxBroughtAbout = 0;
    std::int64_t maxHolds = 0, firstLevelHolds = -1, maxLevelHolds = 0;
};

bool InPlay() { return Chain().ends_with("/2 Play"); }

bool LevelLoaded() {
    AZ_Client* client = CGameApp::GetInstance()->GetEngineRuntime();
    return client != nullptr && client->getAdapter()->isLevelLoaded();
}

// A level played: what the engine and the cache hold once it has settled
// (its first frames in play, when its own characters have come), then at
// every frame in play the same, give or take what a player brings about.
class LevelWatch {
public:
    explicit LevelWatch(Figures& figures) : m_figures(figures) {}

    void Frame() {
        const bool loaded = LevelLoaded();
        if (!loaded) m_settling = -1;
        if (!loaded || !InPlay()) return;
        if (m_settling < 0) m_settling = kSettleFrames;
        if (m_settling > 0 && --m_settling == 0) Settled();
        if (m_settling > 0) return;
        Figures& f = m_figures;
        ++f.framesInPlay;
        const WorldCounts now = CountWorld();
        const std::int64_t holds = CGameApp::GetResMgr()->GetHoldCount();
        const std::int32_t broughtAbout = now.characters - m_world.characters;
        f.maxCharacters = std::max(f.maxCharacters, now.characters);
        f.maxBroughtAbout = std::max(f.maxBroughtAbout, broughtAbout);
        f.maxHolds = std::max(f.maxHolds, holds - m_holds);
        ASSERT_LE(broughtAbout, kBroughtAbout) << "frame " << f.frames;
        ASSERT_LE(now.sprites - m_world.sprites, kBroughtAbout) << "frame " << f.frames;
        ASSERT_LE(holds - m_holds, kLevelSounds) << "frame " << f.frames;
        // A unit's instances in use are exactly those the characters hold:
        // one a detach did not free, or a lookup entry left to a freed one,
        // shows at once.
        for (std::size_t id = 0; id < now.usedInstances.size(); ++id) {
            ASSERT_EQ(now.usedInstances[id], now.heldInstances[id]) << "code id " << id << ", frame " << f.frames;
        }
        if (f.framesInPlay % kLeftoverEvery == 0) {
            ++f.leftoverChecks;
            ASSERT_EQ(Leftovers(), "") << "frame " << f.frames;
        }
        for (auto [type, count, appeared] : {std::tuple{kHook, &m_hooks, &f.hooks}, {kSpark, &m_sparks, &f.sparks},
                                             {kPuff, &m_puffs, &f.puffs}}) {
            const std::int32_t n = CountOfType(type);
            if (n > *count) *appeared += n - *count;
            *count = n;
        }
    }

private:
    static constexpr int kSettleFrames = 10;

    // Each level's holds are those of the first, but for the fonts that
    // load as a text first uses them.
    void Settled() {
        Figures& f = m_figures;
        ++f.levelsLoaded;
        m_world = CountWorld();
        m_holds = CGameApp::GetResMgr()->GetHoldCount();
        m_hooks = m_sparks = m_puffs = 0;
        if (f.firstLevelHolds < 0) f.firstLevelHolds = m_holds;
        f.maxLevelHolds = std::max(f.maxLevelHolds, m_holds);
        EXPECT_LE(m_holds, f.firstLevelHolds + kFonts) << "level " << f.levelsLoaded;
    }

    Figures& m_figures;
    int m_settling = -1;  // -1 no level; 0 settled
    WorldCounts m_world;
    std::int64_t m_holds = 0;
    std::int32_t m_hooks = 0, m_sparks = 0, m_puffs = 0;
};

// In the level alone: back into play whenever the game leaves it. Out of
// the game scene, a new game scene; on a page of the game scene, back (the
// level-complete page: select, on to the next level) after a while.
void SteerIntoPlay(RandomPlayer& player, int& outOfPlay) {
    if (InPlay()) {
        outOfPlay = 0;
        return;
    }
    if (++outOfPlay < 20 + static_cast<int>(player.Below(40))) return;
    outOfPlay = 0;
    const std::string chain = Chain();
    if (chain.starts_with("3 Shell/10 Game/")) {
        Press(chain == "3 Shell/10 Game/5 Text" ? VK_RETURN : VK_ESCAPE);
    } else if (CStateMachineNode* shell = Scene(Root(), 3)) {
        shell->RequestState(CShellScene::kGame, CStateMachineNode::kReset);
    } else {
        Root()->RequestState(3, CStateMachineNode::kReplace);
    }
}

// Plays games until the game time is reached (a game that ends is started
// again); the checks run at every frame.
Figures Soak(RandomPlayer& player, bool inLevel) {
    Figures figures;
    while (figures.gameMs < kGameMs && !testing::Test::HasFatalFailure()) {
        GameRun run;
        run.scenes = true;
        DebugCapture log;
        LevelWatch level(figures);
        ++figures.games;
        DWORD start = 0, last = 0;
        int outOfPlay = 0;
        run.Run([&](int tick) {
            if (tick == 0) start = GetTickCount();
            last = GetTickCount();
            if (testing::Test::HasFatalFailure() || figures.gameMs + (last - start) >= kGameMs) {
                host::InjectClose();
                return;
            }
            if (tick == 1 && inLevel) {
                LoadGameSprites();
                Root()->RequestState(3, CStateMachineNode::kReplace);
            }
            ++figures.frames;
            player.Play();
            if (inLevel && tick > 2) SteerIntoPlay(player, outOfPlay);
            level.Frame();
        }, 1 << 30);
        figures.gameMs += last - start;
        host::TakeVibrationCalls();
        EXPECT_EQ(log.ErrorLines(), "") << "game " << figures.games;
    }
    return figures;
}

void Report(const char* what, const Figures& f, const RandomPlayer& player, double wallSeconds) {
    std::printf("%s: %.1f game minutes in %.1f s wall time; %d games, %d frames (%d in play), %d levels loaded; "
                "input: %s; in play: %d hooks, %d sparks, %d puffs; at most %d characters (%d over the settled "
                "level's), %lld holds over the level's, level holds %lld to %lld; %d leftover checks\n",
                what, f.gameMs / 60000.0, wallSeconds, f.games, f.frames, f.framesInPlay, f.levelsLoaded,
                player.Summary().c_str(), f.hooks, f.sparks, f.puffs, f.maxCharacters, f.maxBroughtAbout,
                static_cast<long long>(f.maxHolds), static_cast<long long>(f.firstLevelHolds),
                static_cast<long long>(f.maxLevelHolds), f.leftoverChecks);
}

// Runs the soak and reports its figures.
Figures SoakAndReport(const char* what, std::uint32_t seed, bool inLevel) {
    RandomPlayer player(seed, inLevel);
    const auto began = std::chrono::steady_clock::now();
    const Figures f = Soak(player, inLevel);
    Report(what, f, player, std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
    EXPECT_GE(f.gameMs, kGameMs - 1000);
    return f;
}

TEST(Soak, FromTheSoundQuestionThroughTheMenusIntoTheLevels) {
    const Figures f = SoakAndReport("menus and levels", 7, false);
    EXPECT_GE(f.levelsLoaded, 1);
    EXPECT_GT(f.games, 1) << "no game ended";
}

TEST(Soak, InTheLevels) {
    const Figures f = SoakAndReport("levels alone", 4949, true);
    EXPECT_EQ(f.games, 1);
    EXPECT_GE(f.framesInPlay, f.frames / 2);
    EXPECT_GE(f.hooks, 10);
}

}  // namespace
