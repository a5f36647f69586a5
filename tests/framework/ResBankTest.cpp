#include <gtest/gtest.h>

#include <vector>

#include "host/Clock.h"
#include "src/CResBank.h"
#include "src/CResMgr.h"
#include "tests/framework/FrameworkApp.h"
#include "tools/ResourceWriters.h"

namespace {

using namespace vktools;

constexpr std::uint32_t Data(std::uint32_t n) { return ResId(kResData, 0x100 + n); }
constexpr std::uint32_t kKept = Data(9) | kKeepCached;
constexpr std::uint32_t kMissing = Data(99);
constexpr std::uint32_t kThree = ResId(kResKeyset, 0x241);
constexpr std::uint32_t kFour = ResId(kResKeyset, 0x242);
constexpr std::uint32_t kBroken = ResId(kResKeyset, 0x243);
constexpr std::uint32_t kEmpty = ResId(kResKeyset, 0x244);
constexpr std::uint32_t kSelf = ResId(kResKeyset, 0x245);
constexpr std::uint32_t kForeign = ResId(kResKeyset, 0x246);
constexpr std::uint32_t kNoList = ResId(kResKeyset, 0x299);

class ResBankTest : public testing::Test {
protected:
    void SetUp() override {
        ArchiveBuilder archive;
        archive.AddManifest({});
        for (std::uint32_t n = 1; n <= 4; ++n) archive.Add(Data(n), MakeResource({static_cast<std::uint8_t>(n)}));
        archive.Add(kKept, MakeResource({9}));
        const std::pair<std::uint32_t, std::vector<std::uint32_t>> lists[] = {
            {kThree, {Data(1), Data(2), Data(3)}},         {kFour, {Data(1), Data(2), Data(3), kKept}},
            {kBroken, {Data(1), kMissing, Data(3)}},       {kEmpty, {}},
            {kSelf, {Data(1), kSelf, Data(2), kSelf}},
            {kForeign, {Data(1), 0x07000001, Data(3)}},  // a key of a type no loader takes
        };
        for (const auto& [id, keys] : lists) archive.Add(id, MakeResource(MakeKeyset(keys)));
        ASSERT_EQ(m_app.Open(archive), 1);
        host::SetVirtualClock(1000, 0);
    }
    void TearDown() override { host::ClearVirtualClock(); }
    CResMgr& Res() { return m_app.Resources(); }

    ScopedFrameworkApp m_app;
};

TEST_F(ResBankTest, LoadsInSlicesOfTheClock) {
    struct Progress {
        std::uint32_t state, loaded, percent;
    };
    const struct {
        const char* what;
        std::uint32_t bank;
        std::uint32_t stepMs;  // the clock's move at every read
        std::vector<Progress> afterSlices;
    } cases[] = {
        {"three small resources in one slice", kThree, 0, {{3, 3, 100}}},
        {"three resources start in the first 1000 ms", kFour, 400, {{1, 3, 75}, {3, 4, 100}}},
        {"a slow resource still loads, alone", kThree, 1500, {{1, 1, 33}, {1, 2, 66}, {3, 3, 100}}},
        {"a missing resource fails, keeping the ones before", kBroken, 0, {{2, 2, 100}}},
        {"a key the manager does not take fails likewise", kForeign, 0, {{2, 2, 100}}},
        {"an empty list is done at once", kEmpty, 0, {}},
        {"a missing list fails at once", kNoList, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host::SetVirtualClockStep(c.stepMs);
        CResBank bank;
        EXPECT_EQ(bank.GetState(), CResBank::kIdle);
        bank.SetBank(c.bank);
        if (c.afterSlices.empty()) {
            EXPECT_EQ(bank.GetState(), c.bank == kEmpty ? CResBank::kDone : CResBank::kFailed);
            EXPECT_EQ(bank.GetTotalCount(), 0u);
        } else {
            EXPECT_EQ(bank.GetPercent(), 0u);
            bank.SetBank(kEmpty);  // ignored while loading
            EXPECT_EQ(bank.GetState(), CResBank::kLoading);
        }
        for (const Progress& p : c.afterSlices) {
            bank.LoadSlice();
            EXPECT_EQ(bank.GetState(), p.state);
            EXPECT_EQ(bank.GetLoadedCount(), p.loaded);
            EXPECT_EQ(bank.GetPercent(), p.percent);
        }
        EXPECT_EQ(bank.GetPercent(), 100u);
        EXPECT_EQ(Res().IsCached(c.bank), 0);  // the list is given back
        EXPECT_EQ(Res().IsCached(Data(1)) == 1, c.bank != kEmpty && c.bank != kNoList);
        EXPECT_EQ(Res().IsCached(Data(3)) == 1, c.bank == kThree || c.bank == kFour);
        // A new list starts over from a finished one.
        host::SetVirtualClockStep(0);
        bank.SetBank(kThree);
        bank.LoadSlice();
        EXPECT_EQ(bank.GetState(), CResBank::kDone);
        for (std::uint32_t n = 1; n <= 4; ++n) Res().Free(Data(n), 1);
        Res().Free(kKept, 1);
    }
}

TEST_F(ResBankTest, EachListedResourceKeepsOneReference) {
    // Held once before the bank: two references after it, one after its release.
    for (std::uint32_t n = 1; n <= 3; ++n) Res().GetData(Data(n), 0);
    CResBank bank;
    bank.SetBank(kFour);
    bank.LoadSlice();
    ASSERT_EQ(bank.GetState(), CResBank::kDone);
    EXPECT_EQ(CResBank::Release(kFour), 1);
    for (std::uint32_t n = 1; n <= 3; ++n) {
        EXPECT_EQ(Res().IsCached(Data(n)), 1);
        Res().Release(Data(n), 0);
        EXPECT_EQ(Res().IsCached(Data(n)), 0);
    }
    EXPECT_EQ(Res().IsCached(kKept), 1);  // kept at count 0
    EXPECT_EQ(Res().IsCached(kFour), 0);

    // Free drops the listed resources whatever their counts, but the kept one.
    bank.SetBank(kFour);
    bank.LoadSlice();
    Res().GetData(Data(1), 0);
    EXPECT_EQ(CResBank::Free(kFour), 1);
    EXPECT_EQ(Res().IsCached(Data(1)), 0);
    EXPECT_EQ(Res().IsCached(kKept), 1);
    EXPECT_EQ(CResBank::Release(kNoList), 0);
}

// A list that names itself is undone without reading the freed list.
TEST_F(ResBankTest, ListsThatNameThemselves) {
    for (const bool free : {false, true}) {
        CResBank bank;
        bank.SetBank(kSelf);
        bank.LoadSlice();
        ASSERT_EQ(bank.GetState(), CResBank::kDone);
        EXPECT_EQ(Res().IsCached(kSelf), 1);  // listed twice, held twice
        EXPECT_EQ(free ? CResBank::Free(kSelf) : CResBank::Release(kSelf), 1);
        for (const std::uint32_t id : {kSelf, Data(1), Data(2)}) EXPECT_EQ(Res().IsCached(id), 0) << std::hex << id;
    }
    // Released before it was ever loaded.
    EXPECT_EQ(CResBank::Release(kSelf), 1);
    EXPECT_EQ(Res().IsCached(kSelf), 0);
}

}  // namespace
