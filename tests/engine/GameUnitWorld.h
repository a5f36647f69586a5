// The engine over the sample content with small sprites for the head-up
// display and the text box, script strings, and a script whose types reach
// the numbers the game layer knows (2 the player, 61, 81 the text box).
// f_customCodeInstruction n logs "n p<presenter>" (ScriptUnits).
#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "src/actionZel/AZ_Client.h"
#include "tests/engine/ScriptUnits.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/GameRun.h"
#include "tests/support/ScriptWorld.h"
#include "tools/ArchiveBuilder.h"
#include "tools/SpriteArt.h"

// Archetype 0, each animation one picture under its kind-1 box: 0 a blue
// portrait 40 x 8 above its point, 1 the red health overlay (30 x 4 at
// (0, 10), its box the right 20), 2 the green power overlay 20 x 4 at
// (10, 20), 3 a red combo bar 20 x 4 above and left of its point, 4 the
// yellow 4 x 4 marker likewise; 5 eight 50-ms frames of the marker, frame k
// k pixels to the right, 6 the first two of them, 7 none; 9 a 48 x 48 box
// above its point with a kind-2 rectangle at (12, -6) and a kind-3 one at
// (-6, -12).
inline std::string UnitArt() {
    const auto image = [](const char* name, char c, std::size_t w) {
        std::string rows;
        for (int r = 0; r < 4; ++r) rows += std::string(w, c) + "\n";
        return std::string("image ") + name + "\n" + rows + "end\n";
    };
    return "colour r FF0000\ncolour g 00FF00\n" + image("health", 'r', 30) + image("power", 'g', 20) + R"(
sprite bar30 health | sprite pow power | box bar FFFF0000 20 4 | box port FF0000FF 40 8 | box mark FFFFFF00 4 4
box hit -1 48 48 1 | box grip -1 2 2 2 | box hold -1 2 2 3
box wide -1 20 4 1 | box tall -1 40 8 1 | box small -1 4 4 1 | archetype 0
layer l0 port 0 -8 tall 0 -8 | layer l1 bar30 0 10 wide 10 10 | layer l2 pow 10 20 wide 10 20
layer l3 bar -20 -4 wide -20 -4 | layer l4 mark -4 -4 small -4 -4
frame f0 l0 0 0 | frame f1 l1 0 0 | frame f2 l2 0 0 | frame f3 l3 0 0 | frame f4 l4 0 0
animation 0 f0 100 | animation 1 f1 100 | animation 2 f2 100 | animation 3 f3 100 | animation 4 f4 100
frame r0 l4 0 0 | frame r1 l4 1 0 | frame r2 l4 2 0 | frame r3 l4 3 0 | frame r4 l4 4 0 | frame r5 l4 5 0
frame r6 l4 6 0 | frame r7 l4 7 0 | animation 5 r0 50 r1 50 r2 50 r3 50 r4 50 r5 50 r6 50 r7 50
animation 6 r0 50 r1 50 | animation 8 r0 50
layer l9 hit -24 -48 grip 12 -6 hold -6 -12 | frame f9 l9 0 0 | animation 9 f9 100
)";
}

// " | " starts a new line.
inline std::string Lines(const std::string& text) { return std::regex_replace(text, std::regex(" \\| "), "\n"); }

// "type f<n> initial idle" for the types from..to-1, filling the numbers.
inline std::string FillerTypes(int from, int to) {
    std::string text;
    for (int n = from; n < to; ++n) text += "type f" + std::to_string(n) + " initial idle\n";
    return text;
}

constexpr std::uint32_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F, kYellow565 = 0xFFE0;
constexpr std::uint32_t kWhite565 = 0xFFFF, kBlack565 = 0, kGrey565 = 0x8410;

struct GameUnitWorld : ScriptWorld {
    explicit GameUnitWorld(const std::string& script) : ScriptWorld(Lines(script)) {
        vktools::Content content = SampleContent();
        vktools::SpriteSet set;
        std::string error;
        EXPECT_TRUE(vktools::ParseSpriteArt(Lines(UnitArt()), "test", set, error)) << error;
        for (const auto& [id, blob] : vktools::MakeSpriteResources(set)) content.resources[id] = blob;
        // The number format, script strings 1 (one line) and 2 (many).
        std::u16string many;
        for (int i = 0; i < 40; ++i) many += u"word ";
        content.resources[0x08000300] =
            vktools::MakeLanguageAggregate({{0x168, u"%d"}, {0x169 + 1, u"Hi"}, {0x169 + 2, many}});
        EXPECT_TRUE(Open(content, {{0, 0}}));
        client->getCamera()->SetBounds(10000, 10000);
        g_action = [this](AZ_Presenter* p, std::int32_t n) {
            log.append(log.empty() ? "" : " ").append(std::to_string(n)).append("p").append(std::to_string(p->getId()));
        };
    }
    // A fresh level: no characters, every presenter and sprite free (the
    // client's reset gives the sprites back).
    void Restart() {
        client->reset();
        store->reset();
        log.clear();
    }
    // A store laid out with one v_textBox instance, which the game's table
    // does not reserve.
    void GiveTextVisualAnInstance() {
        client->getManager()->relayout(80, 1);
        store->release();
        delete store;
        store = new AZ_Presenter_Singleton();
        store->init(AZ__MAX_PRESENTER);
    }
    // The camera snapped, every layer moving with it, looking at pixel
    // (120, 160): a 240 x 320 view shows the map from (0, 0).
    void ViewFromOrigin() {
        Camera* camera = client->getCamera();
        camera->SetSnap(true);
        for (int l = 0; l < Camera::kMaxLayers; ++l) camera->SetLayerParallax(l, 1024, 1024);
        camera->LookAtPixels(120, 160, 0);
        camera->UpdateScroll(0);
    }
    AZ_Presenter* Make(std::int32_t type, std::int32_t x = 0, std::int32_t y = 0) {
        return PresenterOfRow(Spawn(type, x * 1024 / 24, y * 1024 / 24));
    }
    static std::int32_t Word(const AZ_Presenter* p, std::int32_t codeId, std::int32_t word) {
        return AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(codeId) + word);
    }
    static void SetWords(const AZ_Presenter* p, std::int32_t codeId, std::vector<std::pair<int, int>> words) {
        for (const auto& [word, value] : words) {
            AZ_Presenter_Singleton::setCodeSlotValue(p->findCodeSlot(codeId) + word, value);
        }
    }
    // The rectangle's pixels that are not the colour.
    int Others(int x0, int y0, int x1, int y1, std::uint32_t colour) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) n += Pixel(x, y) != colour;
        }
        return n;
    }

    ScriptUnits units{};
    std::string log;
    DebugCapture debug;
};
