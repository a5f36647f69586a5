// The engine's frame over a level of 64 characters, beside a flat loop of
// the same unit calls, and a burst of events through the state machines.
// The goals are fractions of the 48 ms frame tick: update(48) with the two
// render passes within 0.1% (48 us), the flat loop for the ratio; 64
// events falling through a state and an override to a handler with two
// attaches and an instruction within 0.05% (24 us).
//
// The game's frame: the game class's Update(48) and Paint into the locked
// 240 x 320 RGB 565 back buffer, on the tiles benchmark's map (8 parallax
// layers scrolling), with a held key, a sky box and 64 characters drawn as
// animated sprites of 16 to 48 pixels, 16 of them on map layers, a head-up
// display (health and power overlays, the combo meter) and an open
// key-advanced text box over a striped backdrop: update and paint within 1%
// (480 us), reported apart, with memcpy of the pixel bytes the paint draws
// for scale.
//
// Each character has 8 behaviours; the code-slot memory holds 70 visual
// instances and the attachment list 600 entries, so the level's 70
// visuals go one or two a character to the first ones. Built units run
// where the benchmark says so, bench units stand in for the others.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchLevel.h"
#include "host/Debug.h"
#include "host/File.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/CKeyMgr.h"
#include "src/CResMgr.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"
#include "src/actionZel/cc/v_combo.h"
#include "src/actionZel/cc/v_hudBar.h"
#include "src/actionZel/cc/v_inGameTextBox.h"
#include "src/actionZel/cc/v_sz.h"
#include "src/actionZel/cc/v_szSkyBox.h"
#include "src/game/Velkorin.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tools/ContentBuilder.h"
#include "tools/ProgramDisplay.h"
#include "tools/ResourceWriters.h"
#include "tools/ScriptAssembler.h"
#include "tools/SpriteWriter.h"

namespace {

volatile std::int32_t g_sink = 0;

// The content's manifest and fonts, read before any benchmark renames the
// units its scripts are assembled with.
const vktools::Content g_content = [] {
    vktools::Content content;
    std::string error;
    if (!vktools::LoadContent(VK_CONTENT_DIR "/content.list", content, error)) std::fprintf(stderr, "%s\n", error.c_str());
    return content;
}();

// Bench units: each reads two of its words.
[[gnu::noinline]] void BenchUpdate(AZ_Presenter*, std::int32_t slot, std::int32_t frameTime) {
    g_sink = g_sink + AZ_Presenter_Singleton::getCodeSlotValue(slot + 1) + frameTime;
}
[[gnu::noinline]] void BenchRender(AZ_Presenter*, std::int32_t slot) {
    g_sink = g_sink + AZ_Presenter_Singleton::getCodeSlotValue(slot);
}
void BenchSlot(AZ_Presenter*, std::int32_t) {}
void BenchInstruction(AZ_Presenter*, std::int32_t offset, AZ_ParamArray params) { g_sink = g_sink + params[offset]; }

constexpr char kScript[] = R"(
event ping 300
type base_t initial b_idle
type actor base base_t initial a_idle
type player base actor initial a_idle
state b_idle
on ping
    b_boundingBox 1 2 3
    b_actionBubble 4 5
    f_customCodeInstruction 7
state a_idle
state top
on 301
)";

// Behaviours besides b_child (2) and b_drawable (40), with mixed update
// intervals, taken while they have free instances.
constexpr std::int32_t kMoreIds[] = {27, 41, 1, 5, 8, 10, 12, 33, 34, 51, 18, 24, 25, 9, 11,
                                     14, 16, 42, 46, 48, 55, 57, 63, 65, 67, 68, 69, 72, 7, 20};

// The sprite visuals' animation, as b_szAnimatable drives it.
void BenchAnimate(AZ_Presenter* presenter, std::int32_t, std::int32_t frameTime) {
    const std::int32_t sprite = presenter->findCodeSlot(86);
    if (sprite != -1) AZ_Client::getInstance()->getSpritePool()->update(v_sz_getPoolId(sprite), frameTime);
}

struct Level {
    // With realSprites the sprite visuals v_sz and v_szSkyBox and the
    // head-up visuals v_hudBar, v_combo and v_inGameTextBox are the built
    // ones, and b_szAnimatable animates the sprites.
    explicit Level(bool realSprites = false) {
        vktools::ScriptAssembler assembler;
        assembler.Parse(kScript, "bench");
        assembler.Build(script);  // before the units are renamed
        for (std::int32_t id = 0; id < AZ_FIRST_EVENT; ++id) {
            AZ_Unit unit = AZ_GetUnit(id);
            if (id < AZ_FIRST_VISUAL) {
                unit = AZ_Unit{"b", id, BenchSlot, realSprites && id == 12 ? BenchAnimate : BenchUpdate, nullptr,
                               BenchSlot, nullptr, 0, false};
            } else if (realSprites && (id == 85 || id == 86 || id == 87 || id == 92 || id == 93)) {
            } else if (id < AZ_FIRST_INSTRUCTION) {
                unit = AZ_Unit{"v", id, BenchSlot, nullptr, BenchRender, BenchSlot, nullptr, 0, false};
            } else {
                unit.instruction = BenchInstruction;
            }
            saved.push_back(AZ_SwapUnit(id, unit));
        }
        vktools::OpenProgramDisplay();
        client = std::make_unique<AZ_Client>(script.data(), static_cast<std::uint32_t>(script.size()));
        store = std::make_unique<AZ_Presenter_Singleton>();
        store->init(AZ__MAX_PRESENTER);
        spawnActors();
    }
    void spawnActors() {
        for (std::int32_t p = 0; p < 64; ++p) client->spawnCharacter(store->createPresenter(1, 0, 0));
    }
    ~Level() {
        store.reset();
        client.reset();
        for (std::int32_t id = 0; id < AZ_FIRST_EVENT; ++id) AZ_SwapUnit(id, saved[static_cast<std::size_t>(id)]);
    }

    // 8 behaviours a character; 16 chains of 4, each child's parent the
    // next presenter up; 16 priorities in both bands; the 70 visuals.
    void attachUnits() {
        std::size_t cursor = 0;
        for (std::int32_t p = 0; p < 64; ++p) {
            AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
            const std::int32_t child = presenter->attach(2);
            AZ_Presenter_Singleton::setCodeSlotValue(child + 4, p % 4 == 3 ? -1 : p + 1);
            AZ_Presenter_Singleton::setCodeSlotValue(presenter->attach(40) + 1, (p % 16) * 6);
            for (std::int32_t attached = 2; attached < 8; ++cursor) {
                const std::int32_t id = kMoreIds[cursor % std::size(kMoreIds)];
                if (presenter->findCodeSlot(id) == -1 && AZ_GetManager()->findFreeInstance(id) >= 0) {
                    presenter->attach(id);
                    ++attached;
                }
            }
        }
        for (std::int32_t id = AZ_FIRST_VISUAL; id < AZ_FIRST_INSTRUCTION; ++id) {
            for (std::int32_t p = 0; p < 64 && AZ_GetManager()->findFreeInstance(id) >= 0; ++p) {
                AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
                if (presenter->findCodeSlot(id) == -1) presenter->attach(id);
            }
        }
    }

    vktools::Bytes script;
    std::unique_ptr<AZ_Client> client;
    std::unique_ptr<AZ_Presenter_Singleton> store;
    std::vector<AZ_Unit> saved;
};

// The sprites of the game frame: archetype 0 plays squares of 16, 32 and
// 48 pixels, archetype 1 is a 48-pixel sky tile; the bottom bar; the text
// box's font and its text (string 1) with the number format. Once a
// program.
void OpenGameResources() {
    SZ_Home* home = CGameApp::GetSpriteHome();
    if (home->IsConstructed()) return;
    vktools::SpriteSet set;
    for (const std::int32_t side : {16, 32, 48}) {
        vktools::BmpDesc image{side, side, 8, {0xFF00FF, 0x3050C0, 0xF0C090, 0x202020}, 4, {}};
        for (std::int32_t i = 0; i < side * side; ++i) image.pixels.push_back((i / side + i % side) % 7 == 0 ? 0 : 1 + i % 3);
        const auto n = static_cast<std::uint16_t>(set.images.size());
        set.images.push_back(image);
        set.tints.push_back({n, -1});
        set.imageSprites.push_back({n, 0, 0});
    }
    set.rectSprites.push_back({-1, 48, 48, 1});
    vktools::SpriteArchetype actors;
    for (std::uint16_t f = 0; f < 3; ++f) {
        const auto half = static_cast<std::int16_t>(8 << f);
        actors.layers.push_back({{f, static_cast<std::int16_t>(-half), static_cast<std::int16_t>(-2 * half)}});
        actors.frames.push_back({{f, 0, 0}});
    }
    actors.animations = {{{0, 10}, {1, 10}, {2, 10}}};
    actors.characters = {{{0, 1, 2}, -1}};
    vktools::SpriteArchetype sky{{{{2, -24, -48}, {3, -24, -48}}}, {{{0, 0, 0}}}, {{{0, 100}}}, {{{2}, -1}}};
    set.archetypes = {actors, sky};
    vktools::ArchiveBuilder archive;
    archive.AddManifest(g_content.manifest);
    for (const std::uint32_t id : {0x03000256u, 0x02000250u}) archive.Add(id, g_content.resources.at(id));
    std::u16string text;
    for (int word = 0; word < 120; ++word) text += u"word ";
    archive.Add(0x08000300, vktools::MakeLanguageAggregate({{0x168, u"%d"}, {0x169 + 1, text}}));
    vktools::AddSpriteSet(archive, set);
    vktools::BmpDesc bar{240, 24, 8, {0x182030, 0x6080A0}, 2, std::vector<std::uint32_t>(240 * 24, 0)};
    archive.Add(Velkorin::kBottomBarId, vktools::MakeResource(vktools::MakeBmp(bar), CResMgr::kTagNativeImage));
    const std::string path = (std::filesystem::temp_directory_path() / "vk_bench_game.big").string();
    archive.WriteFile(path);
    CGameApp::GetResMgr()->Open(host::ToPhonePath(path).c_str());
    CGameApp::GetResMgr()->SelectLanguage(0);
    home->Construct();
    home->QueueArchetypeCharacter(0, 0);
    home->QueueArchetypeCharacter(1, 0);
    while (home->ProcessLoadQueue(500)) {
    }
}

// The game class over the bench level: the characters spread over the
// map, their sprites animated, one of them under a sky box and taking the
// held left key.
struct Game {
    Game() : level(true) {
        host::SetDebugSink([](std::u16string_view) {});
        surface = vktools::OpenProgramDisplay();
        OpenGameResources();
        game = std::make_unique<Velkorin>();  // starts level 0: the characters go
        level.spawnActors();
        map.Load(level.client.get());
        level.attachUnits();
        SZ_Pool* pool = level.client->getSpritePool();
        for (std::int32_t p = 0; p < 64; ++p) {
            AZ_Presenter* presenter = AZ_Presenter::getPresenter(level.client->getPresenterOfRow(p));
            presenter->setX(AZ_Adapter::pixelToWorld(40 + p % 16 * 60));
            presenter->setY(AZ_Adapter::pixelToWorld(200 + p / 16 * 60));
            const std::int32_t drawable = presenter->findCodeSlot(40);
            if (p % 4 == 0) AZ_Presenter_Singleton::setCodeSlotValue(drawable + 1, -(p / 4 % 8 + 1));
            // The sprites the visuals' instances allow (attachUnits took them).
            const std::int32_t animatable = presenter->attach(12), sprite = presenter->findCodeSlot(86);
            if (animatable == -1 || sprite == -1) continue;
            AZ_Presenter_Singleton::setCodeSlotValue(animatable + 1, 0);
            AZ_Presenter_Singleton::setCodeSlotValue(animatable + 2, 1);
            AZ_Presenter_Singleton::setCodeSlotValue(sprite + 1, 0);
            AZ_Presenter_Singleton::setCodeSlotValue(sprite + 2, 0);
            v_sz_attach(presenter, sprite);
            pool->setFrame(v_sz_getPoolId(sprite), p % 3);
        }
        AZ_Presenter* first = AZ_Presenter::getPresenter(level.client->getPresenterOfRow(0));
        const std::int32_t skySlot = first->findCodeSlot(87);
        for (const std::int32_t w : {1, 2, 3, 4, 5, 6}) {
            AZ_Presenter_Singleton::setCodeSlotValue(skySlot + w, w == 1 ? 1 : w == 2 ? 0 : w <= 4 ? 1 : 512);
        }
        v_szSkyBox_attach(first, skySlot);
        pool->setAnimation(AZ_Presenter_Singleton::getCodeSlotValue(skySlot + 7), 0, 0, 1);
        level.client->getAdapter()->setKeyCharacter(first->getId());
        CGameApp::GetKeyMgr()->HandleEvent(EVENT_KEY_DOWN, 6, 0);
        AddHud();
        vktools::LockForDrawing(surface);
    }
    // The character holding the one instance of each head-up visual shows
    // the player's health, power and combo with the sky tile as overlays
    // and bar, and an open key-advanced text box of string 1.
    void AddHud() {
        AZ_Client* client = level.client.get();
        AZ_Presenter* hud = nullptr;
        for (std::int32_t row = 0; row < client->getNumActive() && hud == nullptr; ++row) {
            AZ_Presenter* p = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
            if (p->findCodeSlot(85) != -1 && p->findCodeSlot(92) != -1 && p->findCodeSlot(93) != -1) hud = p;
        }
        if (hud == nullptr) return;
        for (std::int32_t row = 0; row < client->getNumActive(); ++row) {
            AZ_Presenter* p = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
            if (p == hud || p->findCodeSlot(55) == -1) continue;
            client->changeCharacterType(row, 2);
            SetWords(p->attach(20), {{1, 60}, {2, 100}});
            SetWords(p->findCodeSlot(55), {{1, 30}, {2, 100}});
            SetWords(p->attach(74), {{1, 5}, {2, 10}, {10, 7}, {11, -1}});
            break;
        }
        SetWords(hud->findCodeSlot(86), {{1, 1}, {2, 0}});
        SetWords(hud->attach(56), {{1, 0}, {2, 0}});
        v_hudBar_attach(hud, hud->findCodeSlot(85));
        const std::int32_t combo = hud->findCodeSlot(92);
        SetWords(combo, {{1, 1}, {2, 0}});
        v_combo_attach(hud, combo);
        SZ_Pool* pool = client->getSpritePool();
        pool->setAnimation(v_combo_getSprite(combo), 0, 0, 1);
        SetWords(hud->attach(76), {{1, 4}, {4, 1}, {5, 100}, {6, 0}, {9, 1}, {11, 0}, {12, 20}, {13, -1}, {16, 0},
                                   {19, 100}, {20, 0}});
        const std::int32_t box = hud->findCodeSlot(93);
        SetWords(box, {{1, 0}, {2, 0}, {3, 0}});
        v_inGameTextBox_attach(hud, box);
        pool->setAnimation(v_inGameTextBox_getPortraitSprite(box), 0, 0, 1);
        client->getAdapter()->acquireText(1);
    }
    static void SetWords(std::int32_t slot, std::initializer_list<std::pair<std::int32_t, std::int32_t>> words) {
        for (const auto& [word, value] : words) AZ_Presenter_Singleton::setCodeSlotValue(slot + word, value);
    }
    ~Game() {
        surface->Unlock();
        game.reset();
        host::SetDebugSink(nullptr);
    }
    void Scroll() {
        frame = (frame + 1) % 400;
        Camera* camera = level.client->getCamera();
        camera->SetSnap(true);
        camera->LookAtPixels(120 + frame * 9, 160 + frame * 2, 0);
        camera->UpdateScroll(48);
    }
    void Update() {
        CKeyMgr* keys = CGameApp::GetKeyMgr();
        keys->Tick(48);
        game->Update(48);
        keys->EndFrame();
    }
    // The pixel bytes one paint draws, counted at the first view: the
    // clear, the sky, the bar, each layer's tiles and each sprite.
    std::size_t PaintedBytes() const {
        const Camera* camera = level.client->getCamera();
        std::size_t pixels = 240 * 320 + 240 * 296 + 240 * 24 + 64 * (16 * 16 + 32 * 32 + 48 * 48) / 3;
        for (std::int32_t l = 0; l < bench::kLayers; ++l) {
            const CVector2d first = camera->GetFirstTile(l);
            for (std::int32_t r = 0; r < camera->GetTilesToDrawY(); ++r) {
                for (std::int32_t c = 0; c < camera->GetTilesToDrawX(); ++c) {
                    const std::int64_t index = std::int64_t{first.y + r} * bench::kMapWidth + first.x + c;
                    if (index >= 0 && index < bench::kMapWidth * bench::kMapHeight &&
                        map.dense[static_cast<std::size_t>(l)][static_cast<std::size_t>(index)] >= 0) {
                        pixels += 24 * 24;
                    }
                }
            }
        }
        return pixels * 2;
    }

    Level level;
    bench::BenchLevel map;
    std::unique_ptr<Velkorin> game;
    ICRenderSurface* surface = nullptr;
    std::int32_t frame = 0;
};

void BM_GameFrame(benchmark::State& state) {
    Game scene;
    for (auto _ : state) {
        scene.Scroll();
        scene.Update();
        scene.game->Paint();
    }
}

void BM_GameUpdate(benchmark::State& state) {
    Game scene;
    for (auto _ : state) {
        scene.Scroll();
        scene.Update();
    }
}

void BM_GamePaint(benchmark::State& state) {
    Game scene;
    scene.Update();
    for (auto _ : state) {
        scene.Scroll();
        scene.game->Paint();
    }
}

// memcpy of as many pixel bytes as a paint draws, a back buffer at a time.
void BM_GamePaintMemcpy(benchmark::State& state) {
    Game scene;
    scene.Scroll();
    const std::size_t bytes = scene.PaintedBytes();
    std::vector<std::uint8_t> source(240 * 320 * 2, 7), target(source.size());
    for (auto _ : state) {
        for (std::size_t done = 0; done < bytes; done += source.size()) {
            std::memcpy(target.data(), source.data(), std::min(source.size(), bytes - done));
        }
        benchmark::DoNotOptimize(target.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_EngineFrame(benchmark::State& state) {
    Level level;
    level.attachUnits();
    for (auto _ : state) {
        level.client->update(48);
        level.client->render(4, 100);
        level.client->render(0, 3);
    }
}

// Every behaviour's update and every visual's render, called directly.
void BM_FlatFrame(benchmark::State& state) {
    Level level;
    level.attachUnits();
    struct Call {
        AZ_Presenter* presenter;
        std::int32_t slot;
        bool visual;
    };
    std::vector<Call> calls;
    for (std::int32_t p = 0; p < 64; ++p) {
        AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
        for (std::int32_t i = presenter->getRunEnd() - 1; i >= presenter->getRunStart(); --i) {
            const bool visual = level.store->getCodeList()[i] >= AZ_FIRST_VISUAL;
            calls.push_back({presenter, level.store->getSlotList()[i], visual});
        }
    }
    for (auto _ : state) {
        for (const Call& c : calls) {
            if (c.visual) {
                BenchRender(c.presenter, c.slot);
            } else {
                BenchUpdate(c.presenter, c.slot, 48);
            }
        }
    }
    state.counters["calls"] = static_cast<double>(calls.size());
}

// 64 events, each past a state that does not list it and an override to
// the base state's handler.
void BM_EventsFallThrough(benchmark::State& state) {
    Level level;
    for (std::int32_t row = 0; row < 64; ++row) level.client->pushState(row, 2);
    for (auto _ : state) {
        for (std::int32_t row = 0; row < 64; ++row) level.client->raiseEvent(row, 300);
    }
    state.SetItemsProcessed(state.iterations() * 64);
}

}  // namespace

BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GameUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GamePaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GamePaintMemcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlatFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EventsFallThrough)->Unit(benchmark::kMicrosecond);
