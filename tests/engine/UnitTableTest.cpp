#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/EngineWorld.h"

// Accessors of a made-up unit on b_child's ids, as a unit header makes them.
AZ_UNIT_GETTER(b_testUnit, 2, Parent, 4)
AZ_UNIT_SETTER(b_testUnit, 2, Parent, 4)
AZ_UNIT_GETTER(v_testUnit, 86, PoolId, 3)

namespace {

// The ids whose unit is not built yet. A unit that lands deletes its id here.
const std::vector<int> kPlaceholders = {};

TEST(UnitTable, PlaceholdersAreExactlyTheUnbuiltIds) {
    std::vector<int> placeholders;
    for (int id = 0; id < AZ_NUM_CODE_IDS; ++id) {
        if (AZ_GetUnit(id).placeholder) placeholders.push_back(id);
    }
    EXPECT_EQ(placeholders, kPlaceholders);
}

TEST(UnitTable, EachEntryHasTheCallbacksOfItsKind) {
    for (int id = 0; id < AZ_NUM_CODE_IDS; ++id) {
        const AZ_Unit& u = AZ_GetUnit(id);
        const bool slotUnit = id < AZ_FIRST_INSTRUCTION, behavior = id < AZ_FIRST_VISUAL;
        EXPECT_EQ(u.attach != nullptr && u.detach != nullptr, slotUnit) << id;
        EXPECT_EQ(u.update != nullptr, behavior) << id;
        EXPECT_EQ(u.render != nullptr, slotUnit && !behavior) << id;
        EXPECT_EQ(u.instruction != nullptr, !slotUnit) << id;
    }
}

// A unit as a behaviour's file defines it.
int g_updates = 0;
void t_counter_attach(AZ_Presenter*, std::int32_t) {}
void t_counter_update(AZ_Presenter*, std::int32_t, std::int32_t) { ++g_updates; }
void t_counter_detach(AZ_Presenter*, std::int32_t) {}

TEST(UnitTable, TheTestHookSwapsOneEntryAndRestoresIt) {
    EngineWorld world;
    const std::int32_t slot = world.P(0)->attach(30);
    const AZ_Unit before = AZ_GetUnit(30);
    {
        const ScopedUnit unit(30, AZ_BEHAVIOR_UNIT(30, t_counter));
        EXPECT_EQ(AZ_GetUnit(30).update, t_counter_update);
        world.manager.dispatch(AZ_MODE_UPDATE, world.P(0), 30, slot, 48, 0, {});
    }
    EXPECT_EQ(g_updates, 1);
    EXPECT_STREQ(AZ_GetUnit(30).name, "b_directionalFacing");
    EXPECT_EQ(AZ_GetUnit(30).update, before.update);
}

TEST(UnitAccessors, ReadAndWriteTheInstanceWord) {
    EngineWorld world;
    const std::int32_t slot = world.P(0)->attach(2);
    b_testUnit_setParent(slot, -2);
    EXPECT_EQ(world.Word(slot + 4), -2);
    EXPECT_EQ(b_testUnit_getParent(slot), -2);
}

// Every check of the units' callbacks and accessors, through b_child (2, 5
// words) and v_sz (86, 4 words).
TEST(UnitChecksDeathTest, EachFailedCheckLogsItsLineAndStops) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string table = "..\\..\\src\\actionZel\\cc\\AZ_UnitTable.cpp";
    const std::string b = "..\\..\\src\\actionZel\\cc\\b_testUnit.h", v = "..\\..\\src\\actionZel\\cc\\v_testUnit.h";
    const std::string child = AZ_UNIT_SOURCE(b_child), sz = AZ_UNIT_SOURCE(v_sz);
    EngineWorld world;
    const std::int32_t b0 = world.manager.getSlotStart(2), v0 = world.manager.getSlotStart(86);
    AZ_Presenter* p = world.P(0);
    const struct {
        void (*call)(AZ_Presenter*, std::int32_t);
        AZ_Presenter* presenter;
        std::int32_t slot;
        std::string line, source;
    } cases[] = {
        {AZ_GetUnit(2).attach, nullptr, b0, "[ AZ ][ ERROR ] - Access to Presenter with -1 id", child},
        {AZ_GetUnit(2).detach, p, -1, "[ AZ ][ ERROR ] - Access to codeSlot with -1 id", child},
        {AZ_GetUnit(2).attach, p, b0 - 1, "[ AZ ][ ERROR ] - Access to codeSlot outside behaviors space", child},
        {AZ_GetUnit(2).detach, p, b0 + 6, "[ AZ ][ ERROR ] - Access to invalid codeSlot inside behaviors space", child},
        {AZ_GetUnit(86).render, p, v0 + 200, "[ AZ ][ ERROR ] - Access to codeSlot outside visuals space", sz},
        {AZ_GetUnit(86).attach, p, v0 + 2, "[ AZ ][ ERROR ] - Access to invalid codeSlot inside visuals space", sz},
        {AZ_GetUnit(83).render, p, world.manager.getSlotStart(83) + 1,
         "[ AZ ][ ERROR ] - Access to invalid codeSlot inside visuals space", AZ_UNIT_SOURCE(v_bar)},
        {[](AZ_Presenter*, std::int32_t s) { b_testUnit_getParent(s); }, p, -2,
         "[ AZ ][ ERROR ] - Access to codeSlot with negative id", b},
        {[](AZ_Presenter*, std::int32_t s) { b_testUnit_setParent(s, 0); }, p, 4983,
         "[ AZ ][ ERROR ] - Access to codeSlot outside behaviors space", b},
        {[](AZ_Presenter*, std::int32_t s) { b_testUnit_getParent(s); }, p, b0 + 5 * 79 + 1,
         "[ AZ ][ ERROR ] - Access to invalid codeSlot inside behaviors space", b},
        {[](AZ_Presenter*, std::int32_t s) { v_testUnit_getPoolId(s); }, p, b0,
         "[ AZ ][ ERROR ] - Access to codeSlot outside visuals space", v},
        {[](AZ_Presenter*, std::int32_t s) { v_testUnit_getPoolId(s); }, p, v0 + 49 * 4 + 3,
         "[ AZ ][ ERROR ] - Access to invalid codeSlot inside visuals space", v},
    };
    for (const auto& c : cases) EXPECT_DEATH(c.call(c.presenter, c.slot), FailedCheck(c.line, c.source)) << c.line;
    EXPECT_DEATH(AZ_GetUnit(161).instruction(nullptr, 0, {}),
                 FailedCheck("[ AZ ][ ERROR ] - Access to Presenter with -1 id", AZ_UNIT_SOURCE(f_testHacks)));
    EXPECT_DEATH(AZ_GetUnit(95).instruction(nullptr, 0, {}),
                 FailedCheck("[ AZ ][ ERROR ] - Access to Presenter with -1 id",
                             "..\\..\\src\\actionZel\\cc\\f_changeState.cpp"));
    // A well-placed slot passes every check.
    AZ_GetUnit(2).detach(p, b0 + 5 * 79);
    AZ_GetUnit(86).render(p, v0);
    EXPECT_EQ(b_testUnit_getParent(b0 + 5), -32767);
}

}  // namespace
