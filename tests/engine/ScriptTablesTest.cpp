// The script tables: their layout, the checks that refuse a script that
// does not hold together, and the assembler that writes them.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "src/actionZel/AZ_Data.h"
#include "tests/support/DebugCapture.h"
#include "tools/ScriptAssembler.h"

namespace {

using vktools::RawScript;

// Counts 2 to 6, every call's parameters inside the array.
RawScript LayoutExample() {
    RawScript s;
    s.characters = {{-1, 2}, {0, 1}};
    s.states = {0, 1, 3};
    s.events = {{0, 0}, {1, 2}, {49, 3}, {-162, 4}};
    s.calls = {{40, 0}, {100, 9}, {94, 5}, {5, 3}, {32, -7}};  // b_drawable, f_changeDirection, ...
    s.parameters = {10, -32767, 7, 1, 2, 3};
    return s;
}

std::uint32_t Size(const vktools::Bytes& b) { return static_cast<std::uint32_t>(b.size()); }

TEST(ScriptTables, LayoutOfTheExample) {
    const vktools::Bytes bytes = vktools::WriteRawScript(LayoutExample());
    ASSERT_EQ(bytes.size(), 72u);
    const auto word = [&](std::size_t at) { return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8); };
    EXPECT_EQ(word(18), 0);     // state table
    EXPECT_EQ(word(24), 0);     // event table
    EXPECT_EQ(word(40), 40);    // call table
    EXPECT_EQ(word(60), 10);    // parameters
    EXPECT_EQ(word(62), -32767);

    AZ_Data data;
    ASSERT_TRUE(data.load(bytes.data(), Size(bytes)));
    EXPECT_EQ(data.getNumCharacters() * 10000 + data.getNumStates() * 1000 + data.getNumEvents() * 100 +
                  data.getNumCalls() * 10 + data.getNumParameters(),
              23456);
    EXPECT_EQ(data.getBaseChar(1), 0);
    EXPECT_EQ(data.getInitialState(0), 2);
    EXPECT_EQ(data.getFirstEvent(2), 3);
    EXPECT_EQ(data.getEventsEnd(2), 4);  // the last state runs to the end of the events
    EXPECT_EQ(data.getEventNumber(2), 49);
    EXPECT_EQ(data.getFirstCall(3), 4);
    EXPECT_EQ(data.getCallsEnd(3), 5);  // the last event to the end of the calls
    EXPECT_EQ(data.getCallCode(3), 5);
    EXPECT_EQ(data.getCallParameterOffset(3), 3);
    EXPECT_EQ(data.getParameters()[1], -32767);
    EXPECT_EQ(data.getParameters()[5], 3);
    EXPECT_TRUE(data.isKindOf(0, 0));  // a root type is its own kind
    EXPECT_TRUE(data.isKindOf(1, 0));
    EXPECT_FALSE(data.isKindOf(0, 1));
    EXPECT_FALSE(data.isKindOf(1, -1));
}

TEST(ScriptTables, AScriptThatDoesNotHoldTogetherIsRefused) {
    const struct {
        const char* what;
        std::function<void(RawScript&)> damage;
        std::size_t cut;  // bytes removed from the end
        const char* reason;
    } cases[] = {
        {"no header", [](RawScript&) {}, 63, "the resource is shorter than its header"},
        {"negative count", [](RawScript& s) { s.numEvents = -1; }, 0, "a count is negative"},
        {"one parameter short", [](RawScript&) {}, 2, "its tables run past its end"},
        {"huge counts", [](RawScript& s) { s.numCharacters = s.numStates = s.numCalls = 32767; }, 0,
         "its tables run past its end"},
        {"events back", [](RawScript& s) { s.states = {0, 3, 2}; }, 0, "the states' first events are out of order"},
        {"events past", [](RawScript& s) { s.states = {0, 1, 5}; }, 0, "the states' first events are out of order"},
        {"calls back", [](RawScript& s) { s.events[2].second = 1; }, 0, "the events' first calls are out of order"},
        {"initial state", [](RawScript& s) { s.characters[1].second = 3; }, 0, "an initial state is not a state"},
        {"initial -1", [](RawScript& s) { s.characters[0].second = -1; }, 0, "an initial state is not a state"},
        {"base type", [](RawScript& s) { s.characters[1].first = 2; }, 0, "a base type is not a type"},
        {"own base", [](RawScript& s) { s.characters[0].first = 0; }, 0, "a type derives from itself"},
        {"cycle", [](RawScript& s) { s.characters[0].first = 1; }, 0, "a type derives from itself"},
        {"behaviour parameters", [](RawScript& s) { s.calls[0].second = 5; }, 0,
         "a call's parameters run past the array"},
        {"instruction argument", [](RawScript& s) { s.calls[2].second = 6; }, 0,
         "a call's parameters run past the array"},
        {"negative offset", [](RawScript& s) { s.calls[3].second = -1; }, 0, "a call's parameters run past the array"},
    };
    for (const auto& c : cases) {
        RawScript script = LayoutExample();
        c.damage(script);
        vktools::Bytes bytes = vktools::WriteRawScript(script);
        bytes.resize(bytes.size() - c.cut);
        AZ_Data data;
        DebugCapture capture;
        EXPECT_FALSE(data.load(bytes.data(), Size(bytes))) << c.what;
        EXPECT_EQ(capture.Text(), std::string("[ AZ ][ ERROR ] - AZ_Data : Script refused, ") + c.reason + "\n")
            << c.what;
        EXPECT_EQ(data.getNumCharacters() + data.getNumStates() + data.getNumEvents() + data.getNumCalls() +
                      data.getNumParameters(),
                  0)
            << c.what;
    }
    // A long chain of bases ending at a root is fine; empty tables too.
    RawScript chain;
    chain.states = {0};
    for (std::int16_t t = 0; t < 300; ++t) chain.characters.push_back({static_cast<std::int16_t>(t - 1), 0});
    for (const RawScript& good : {chain, RawScript()}) {
        const vktools::Bytes bytes = vktools::WriteRawScript(good);
        AZ_Data data;
        EXPECT_TRUE(data.load(bytes.data(), Size(bytes)));
    }
}

constexpr char kScript[] = R"(# two types, three states
event hit 300
type hero base walker initial stand
type walker initial walk
state walk
on enter
    b_drawable 5 keep          # p(40) = 2
    f_changeState stand
state stand
on exit
on hit
    v_rect
    f_broadcastEvent hit hero
    f_spawnCharacterRelative walker 1 -10 0x20 1 0 0 1 exit
on 211
    f_detachBehavior b_drawable
    f_overrideState walk none
)";

TEST(ScriptAssembler, LaysOutTheTables) {
    vktools::ScriptAssembler assembler;
    RawScript s;
    ASSERT_TRUE(assembler.Parse(kScript, "a.script") && assembler.Build(s)) << assembler.Error();
    EXPECT_EQ(assembler.TypeNumber("walker"), 1);
    EXPECT_EQ(assembler.StateNumber("stand"), 1);
    const auto pairs = [](const std::vector<RawScript::Pair>& v) {
        std::vector<std::pair<int, int>> out;
        for (const auto& p : v) out.emplace_back(p.first, p.second);
        return out;
    };
    using Pairs = std::vector<std::pair<int, int>>;
    EXPECT_EQ(pairs(s.characters), (Pairs{{1, 1}, {-1, 0}}));
    EXPECT_EQ(s.states, (std::vector<std::int16_t>{0, 1}));
    EXPECT_EQ(pairs(s.events), (Pairs{{0, 0}, {1, 2}, {138, 2}, {49, 5}}));
    EXPECT_EQ(pairs(s.calls), (Pairs{{40, 0}, {95, 2}, {91, 3}, {99, 3}, {120, 5}, {104, 14}, {110, 15}}));
    EXPECT_EQ(s.parameters, (std::vector<std::int16_t>{5, -32767, 1, 138, 0, 1, 1, -10, 32, 1, 0, 0, 1, 1, 40, 0, -1}));
}

TEST(ScriptAssembler, ErrorsNameTheFileAndLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"state a\non enter\n  b_drawable 1", "x:3: 'b_drawable' takes 2 arguments, not 1"},
        {"state a\non enter\n  b_drawable 1 40000", "x:3: value 40000 does not fit in 16 bits"},
        {"state a\non enter\n  b_drawable one 1", "x:3: expected a number, not 'one'"},
        {"state a\non enter\n  f_changeState b", "x:3: unknown state 'b'"},
        {"state a\non enter\n  f_broadcastEvent enter nobody", "x:3: unknown type 'nobody'"},
        {"state a\non enter\n  f_generateEvent boom", "x:3: unknown event 'boom'"},
        {"state a\non enter\n  f_generateEvent 40000", "x:3: event 40000 out of range"},
        {"state a\non enter\n  f_detachBehavior f_popState", "x:3: unknown behaviour or visual 'f_popState'"},
        {"state a\non enter\n  b_nothing", "x:3: unknown unit 'b_nothing'"},
        {"state a\non enter\n  f_changeState keep", "x:3: unknown state 'keep'"},
        {"state a\non boom\n", "x:2: unknown event 'boom'"},
        {"state a\non enter\non 162\n", "x:3: state 'a' handles '162' twice"},
        {"\n\nstate a\nstate a", "x:4: state 'a' declared twice"},
        {"on enter", "x:1: 'on' outside a state"},
        {"state a\n  f_popState 1", "x:2: call of 'f_popState' outside a handler"},
        {"state a\ntype t initial b", "x:2: unknown state 'b'"},
        {"state a\ntype t base u initial a", "x:2: unknown base type 'u'"},
        {"state a\ntype t base u initial a\ntype u base t initial a", "x:2: type 't' derives from itself"},
        {"type t initial", "x:1: expected 'type NAME [base TYPE] initial STATE'"},
        {"state 9a", "x:1: bad state name '9a'"},
        {"event e 1e3", "x:1: bad event number '1e3'"},
        {"event e 40000", "x:1: event number 40000 out of range"},
        {"state a b", "x:1: 'state' takes 1 word"},
    };
    for (const auto& c : cases) {
        vktools::ScriptAssembler assembler;
        RawScript s;
        EXPECT_FALSE(assembler.Parse(c.text, "x") && assembler.Build(s)) << c.text;
        EXPECT_EQ(assembler.Error(), c.error) << c.text;
    }
}

TEST(ScriptAssembler, TheGamesScriptAssemblesAndLoads) {
    vktools::ScriptAssembler assembler;
    vktools::Bytes payload;
    ASSERT_TRUE(assembler.ParseFile(VK_CONTENT_DIR "/scripts/characters.script") && assembler.Build(payload))
        << assembler.Error();
    EXPECT_EQ(assembler.TypeNumber("controller"), 0);
    EXPECT_EQ(assembler.TypeNumber("player"), 2);
    EXPECT_EQ(assembler.TypeNumber("player_heavy"), 3);
    EXPECT_EQ(assembler.TypeNumber("dialogue"), 81);  // the number the engine gives the dialogue box
    AZ_Data data;
    ASSERT_TRUE(data.load(payload.data(), Size(payload)));
    EXPECT_TRUE(data.isKindOf(3, 2));
    vktools::ScriptAssembler missing;
    EXPECT_FALSE(missing.ParseFile("/nonexistent/x.script"));
    EXPECT_EQ(missing.Error(), "/nonexistent/x.script:0: cannot read the file");
}

}  // namespace
