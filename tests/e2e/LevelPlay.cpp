#include "tests/e2e/LevelPlay.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <utility>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"
#include "src/game/AZ_Adapter.h"
#include "tests/support/GameFlow.h"
#include "tools/EntityListWriter.h"
#include "tools/ScriptAssembler.h"

namespace {

constexpr std::uint32_t kScriptId = 0x0300025D, kLevel0Entities = 0x0300022F;

}  // namespace

std::string ContentText(const std::string& path) {
    std::ifstream in(std::string(VK_CONTENT_DIR "/") + path);
    EXPECT_TRUE(in.good()) << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

LevelPlay::LevelPlay() : m_script(ContentText("scripts/characters.script")) { scenes = true; }

void LevelPlay::SetScript(std::string_view text) {
    m_script = text;
    vktools::ScriptAssembler assembler;
    vktools::Bytes payload;
    const bool built = assembler.Parse(m_script, "scenario.script") && assembler.Build(payload);
    ASSERT_TRUE(built) << assembler.Error();
    content.resources[kScriptId] = vktools::MakeResource(payload);
}

void LevelPlay::SetEntities(std::string_view text) {
    vktools::ScriptAssembler assembler;
    ASSERT_TRUE(assembler.Parse(m_script, "scenario.script")) << assembler.Error();
    std::vector<vktools::EntityRecord> records;
    std::string error;
    const auto typeNumber = [&](std::string_view name) { return assembler.TypeNumber(name); };
    ASSERT_TRUE(vktools::ParseEntityList(text, "scenario.entities", records, error, typeNumber)) << error;
    content.resources[kLevel0Entities] = vktools::MakeResource(vktools::MakeEntityList(records));
}

int LevelPlay::Play(const std::function<bool(int frame)>& step, int maxFrames) {
    int frame = -1;
    bool done = false, dialogue = false;
    Run(
        [&](int tick) {
            if (tick == 0 || done) return;
            const std::string chain = Chain();
            if (frame < 0 && chain != kPlayChain) {
                TakePage(tick, VK_LEFT);
                return;
            }
            if (frame < 0) {
                // The level's dialogue, its pages turned until it has gone
                // and the player holds the keys.
                const bool open = Character(kDialogue) != nullptr;
                dialogue = dialogue || open;
                if (!dialogue) return;
                if (closeDialogue) {
                    if (open) {
                        if (tick % 3 == 0) Press(VK_RETURN);
                        return;
                    }
                    const AZ_Presenter* player = Character(kPlayer);
                    if (player == nullptr ||
                        AZ_Client::getInstance()->getAdapter()->getKeyCharacter() != player->getId()) {
                        return;
                    }
                }
            }
            ++frame;
            if (frame == maxFrames || !step(frame)) {
                done = true;
                endChain = chain;
                host::InjectClose();
            }
        },
        maxTicks);
    return frame + 1;
}

std::string LevelPlay::TopState(const AZ_Presenter* presenter) const {
    const AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = presenter != nullptr ? client->getActiveIndex(presenter->getId()) : -1;
    std::int32_t state = row != -1 ? client->getTopState(row) : -1;
    // States are numbered in the order the script declares them.
    std::istringstream lines(m_script);
    for (std::string line; state >= 0 && std::getline(lines, line);) {
        if (!line.starts_with("state ")) continue;
        if (state-- == 0) return line.substr(6, line.find_first_of(" #", 6) - 6);
    }
    return "";
}

Pos PosOf(const AZ_Presenter* presenter) { return {presenter->getX(), presenter->getY()}; }

EventTrace::EventTrace() { AZ_SetHookListener(this); }

EventTrace::~EventTrace() { AZ_SetHookListener(nullptr); }

std::int32_t EventTrace::onHook(const AZ_HookCall& call) {
    if (call.hook == AZ_Hook::PreUpdate) m_brackets.push_back({call.presenter->getId(), call.args[0], call.args[1]});
    if (call.hook == AZ_Hook::HandlerBegin) m_offers.push_back({call.presenter->getId(), call.args[0], false});
    if (call.hook != AZ_Hook::HandlerEnd) return 1;
    // The handler that ends is the latest offer of its event still open:
    // handlers nested in it have ended before it, and an offer to a state
    // without the handler is followed by the next offer.
    for (auto offer = m_offers.rbegin(); offer != m_offers.rend(); ++offer) {
        if (!offer->handled && offer->presenter == call.presenter->getId() && offer->event == call.args[0]) {
            offer->handled = true;
            break;
        }
    }
    return 1;
}

std::vector<std::int32_t> EventTrace::Of(std::int32_t presenterId) const {
    std::vector<std::int32_t> events;
    for (const Offer& offer : m_offers) {
        if (offer.handled && offer.presenter == presenterId) events.push_back(offer.event);
    }
    return events;
}

std::set<std::pair<std::int32_t, std::int32_t>> EventTrace::Bracketed(std::int32_t presenterId) const {
    std::set<std::pair<std::int32_t, std::int32_t>> pairs;
    for (const auto& [presenter, callback, code] : m_brackets) {
        if (presenter == presenterId) pairs.emplace(callback, code);
    }
    return pairs;
}

namespace {

std::array<AZ_Unit, AZ_FIRST_VISUAL> g_traced;
std::set<std::int32_t> g_attached;

template <std::size_t Id>
void TracedAttach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    g_attached.insert(static_cast<std::int32_t>(Id));
    g_traced[Id].attach(presenter, codeSlot);
}

template <std::size_t... Ids>
void WrapAttaches(std::index_sequence<Ids...>) {
    ((g_traced[Ids] = AZ_GetUnit(Ids)), ...);
    AZ_Unit wrapped[] = {g_traced[Ids]...};
    ((wrapped[Ids].attach = &TracedAttach<Ids>), ...);
    for (std::size_t id = 0; id < g_traced.size(); ++id) AZ_SwapUnit(static_cast<std::int32_t>(id), wrapped[id]);
}

}  // namespace

AttachTrace::AttachTrace() {
    g_attached.clear();
    WrapAttaches(std::make_index_sequence<AZ_FIRST_VISUAL>());
}

AttachTrace::~AttachTrace() {
    for (std::size_t id = 0; id < g_traced.size(); ++id) AZ_SwapUnit(static_cast<std::int32_t>(id), g_traced[id]);
}

const std::set<std::int32_t>& AttachTrace::Ids() const { return g_attached; }
