// The loading, picture, movie and character selection screens in the
// running game, and their golden frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/CGameApp.h"
#include "src/CImageScreen.h"
#include "src/CProgressScreen.h"
#include "src/CZelMovieScreen.h"
#include "src/CharacterSelectScreen.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/framework/ScreenRun.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/GoldenFrame.h"
#include "tools/ResourceWriters.h"

namespace {

constexpr std::uint32_t kBank = 0x05000241;
constexpr std::uint32_t kLoadingImage = 0x02000245;
constexpr std::uint32_t kIntroImage = 0x02000251;
constexpr std::uint32_t kMovieImages[] = {0x0200025A, 0x0200025E, 0x0200025B};
constexpr std::uint32_t kBackLabel = 0x02000247;

struct LoadProbe : CResLoadScreen {
    std::int32_t Shown() const { return m_bar.IsVisible() ? m_bar.GetValue() : -1; }
    std::int32_t BarTop() { return m_bar.GetLocalRect().y; }
};

TEST(LoadingScreen, BankThenSpritesOneFrameLate) {
    constexpr std::int32_t kHidden = -1;
    const struct {
        const char* what;
        std::vector<std::uint32_t> bank;
        bool sprites;  // 18/0 queued
        std::uint32_t delay, image;
        std::int32_t barTop;
        std::vector<std::pair<std::int32_t, std::int32_t>> frames;  // bar (kHidden) and result after each update
        bool listed = true;  // the bank's list is in the archive
    } cases[] = {
        {"no delay", {kIntroImage}, false, 0, 0, 165, {{0, 0}, {0, 0}, {100, 1}}},
        {"a delay", {kIntroImage}, false, 100, kLoadingImage, 185, {{kHidden, 0}, {kHidden, 0}, {0, 0}, {0, 0}, {100, 1}}},
        // The pair first, then its images: (1 + 100) x 100 / (1 + 131) is 76.
        {"bank, then sprites", {kIntroImage}, true, 0, 0, 165, {{0, 0}, {0, 0}, {0, 0}, {76, 0}, {100, 1}}},
        {"a missing entry", {0x02000999, kIntroImage}, false, 0, 0, 165, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        // Shown at 50 % (the golden frame); select changes nothing, back ends it.
        {"a missing last entry", {kIntroImage, 0x02000999}, false, 0, kLoadingImage, 185,
         {{0, 0}, {0, 0}, {50, 0}, {50, 0}, {50, 2}, {50, 2}}},
        {"nothing to load", {}, false, 0, 0, 165, {{0, 0}, {0, 0}, {100, 1}}},
        // A missing list fails the bank: never 100, whatever else loads
        // (the pair: 100 x 100 / 131 is 76; then all of the sprites).
        {"no list", {}, false, 0, 0, 165, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, false},
        {"no list, then sprites", {}, true, 0, 0, 165, {{0, 0}, {0, 0}, {76, 0}, {99, 0}, {99, 0}}, false},
    };
    for (const auto& c : cases) {
        ScreenRun run;
        run.content.resources.erase(kBank);
        if (c.listed) run.content.resources[kBank] = vktools::MakeResource(vktools::MakeKeyset(c.bank));
        run.kept = c.bank;
        run.loadSprites = false;
        LoadProbe* screen = nullptr;
        run.Play([&] {
            if (c.sprites) CGameApp::GetSpriteHome()->QueueArchetypeCharacter(18, 0);
            screen = new LoadProbe;
            screen->SetContent(0xFF000000, c.image, 0);
            screen->SetBank(kBank, c.delay);
            return screen;
        }, static_cast<int>(c.frames.size()), [&](int n) {
            if (n == 0) {
                EXPECT_EQ(screen->BarTop(), c.barTop) << c.what;
                return;
            }
            if (n == 3 && c.frames.size() == 6) {
                EXPECT_TRUE(MatchesGoldenFrame("loading-50"));
                Press(VK_RETURN);
            }
            if (n == 4 && c.frames.size() == 6) Press(VK_ESCAPE);
            EXPECT_EQ(screen->Shown(), c.frames[n - 1].first) << c.what << " " << n;
            EXPECT_EQ(screen->GetResult(), c.frames[n - 1].second) << c.what << " " << n;
        });
    }
}

TEST(PictureScreens, EndByTimeSelectAndTap) {
    constexpr int kTap = -1;
    const struct {
        const char* what;
        bool animated;
        std::int32_t minimum, maximum;
        int action, at;  // a virtual key or kTap, pressed after update `at`
        int endsAfter;   // the update after which the result is 1 (0: never)
    } cases[] = {
        {"maximum 0", false, 0, 0, 0, 0, 1},
        {"the maximum", false, 0, 480, 0, 0, 10},
        {"select after the minimum", false, 200, 2000, VK_RETURN, 5, 6},
        {"select waits for the minimum", false, 500, 2000, VK_RETURN, 2, 11},
        {"a tap before the minimum", false, 500, 2000, kTap, 2, 3},
        {"select never ends the title", true, 0, 32767, VK_RETURN, 2, 0},
        {"a tap ends the title", true, 0, 32767, kTap, 2, 3},
    };
    for (const auto& c : cases) {
        ScreenRun run;
        CImageScreen* screen = nullptr;
        run.Play([&] {
            auto* animated = c.animated ? new AnimatedImageScreen : nullptr;
            screen = animated != nullptr ? animated : new CImageScreen;
            screen->SetContent(0xFF000000, kIntroImage, c.minimum, c.maximum);
            // A motion of no duration puts the picture at its end at once.
            if (animated != nullptr) animated->SetMotion(512, 512, 512, 219, 0, 0);
            return screen;
        }, 14, [&](int n) {
            if (n == c.at && c.action == kTap) Tap(100, 100);
            if (n == c.at && c.action > 0) Press(static_cast<WORD>(c.action));
            EXPECT_EQ(screen->GetResult(), c.endsAfter != 0 && n >= c.endsAfter ? 1 : 0) << c.what << " " << n;
        });
    }
}

TEST(MovieScreen, EndsAtThreeSecondsOrAtOnce) {
    const struct {
        const char* what;
        std::uint32_t missing;  // an image taken out of the archive
        int action, at;
        int endsAfter;
    } cases[] = {
        {"3000 ms", 0, 0, 0, 63},
        {"a missing image", kMovieImages[1], 0, 0, 0},
        {"select", 0, VK_RETURN, 5, 6},
        {"a tap", 0, -1, 5, 6},
    };
    for (const auto& c : cases) {
        ScreenRun run;
        run.content.resources.erase(c.missing);
        CNode* screen = nullptr;
        run.Play([&] { return screen = new CZelMovieScreen; }, 64, [&](int n) {
            if (n == c.at && c.action == VK_RETURN) Press(VK_RETURN);
            if (n == c.at && c.action < 0) Tap(10, 10);
            EXPECT_EQ(screen->GetResult(), n >= c.endsAfter ? 1 : 0) << c.what << " " << n;
        });
    }
}

TEST(CharacterSelect, ChoosingAndConfirming) {
    constexpr WORD kTapLeftHalf = 1;
    constexpr WORD kTapLeftSoftkey = 2;
    const struct {
        const char* what;
        bool sprites;
        std::vector<WORD> keys;  // one every fourth update
        std::int32_t choice, result;
    } cases[] = {
        {"select before an arrow", true, {VK_RETURN}, 2, 0},
        {"a second arrow switches", true, {VK_RIGHT, '4'}, 0, 0},
        {"confirmed", true, {'6', VK_RETURN}, 1, 1},
        {"back while confirming", true, {VK_RIGHT, VK_RETURN, VK_ESCAPE}, 1, 2},
        {"a tap on the left half", true, {kTapLeftHalf}, 0, 0},
        {"a tap on the soft key", true, {VK_RIGHT, kTapLeftSoftkey}, 1, 1},
        {"without the picture", false, {VK_LEFT, VK_RETURN}, 0, 1},
    };
    for (const auto& c : cases) {
        ScreenRun run;
        run.loadSprites = c.sprites;
        DebugCapture debug;
        CharacterSelectScreen* screen = nullptr;
        const int steps = 4 * static_cast<int>(c.keys.size()) + 20;
        run.Play([&] {
            screen = new CharacterSelectScreen;
            screen->SetSoftkeys(kBackLabel, 0, 1, 1);
            return screen;
        }, steps, [&](int n) {
            const std::size_t k = static_cast<std::size_t>(n / 4);
            if (n % 4 == 1 && k < c.keys.size()) {
                if (c.keys[k] == kTapLeftHalf) Tap(10, 100);
                if (c.keys[k] == kTapLeftSoftkey) Tap(2, 316);  // the bar along the bottom edge
                if (c.keys[k] > kTapLeftSoftkey) Press(c.keys[k]);
            }
            if (n == 6 && c.keys == std::vector<WORD>{VK_RIGHT, kTapLeftSoftkey}) {
                EXPECT_TRUE(MatchesGoldenFrame("character-select"));
            }
            if (n != steps) return;
            EXPECT_EQ(screen->GetChoice(), c.choice) << c.what;
            EXPECT_EQ(screen->GetResult(), c.result) << c.what;
        });
        EXPECT_EQ(debug.Text().find("not loaded, no picture") != std::string::npos, !c.sprites) << c.what;
    }
}

TEST(Screens, MovieAndTitleGoldenFrames) {
    ScreenRun run;
    CNode* movie = nullptr;
    run.Play([&] { return movie = new CZelMovieScreen; }, 0, [&](int) {
        int shown = 0;
        for (const int ms : {0, 700, 1300, 2900}) {
            movie->Update(static_cast<std::uint32_t>(ms - shown));
            shown = ms;
            DrawNow(*movie);
            EXPECT_TRUE(MatchesGoldenFrame("movie-" + std::to_string(ms)));
        }
    });
    ScreenRun title;
    SZ_Presenter logo;
    CNode* screen = nullptr;
    title.Play([&] {
        logo.setArchetypeCharacter(18, 0);
        logo.setAnimation(8, 0, 0);
        auto* animated = new AnimatedImageScreen;
        animated->SetContent(0xFF041123, 0, 0, 2000);
        animated->SetSprite(&logo);
        animated->SetMotion(512, 512, 512, 219, 1000, 1000);
        return screen = animated;
    }, 0, [&](int) {
        for (int ms = 0; ms < 1500; ms += 60) screen->Update(60);
        DrawNow(*screen);
        EXPECT_TRUE(MatchesGoldenFrame("title-1500"));
    });
}

}  // namespace
