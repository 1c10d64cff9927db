// The fixed penalty data: the slot table's texts, the minimum
// failure-to-file schedule and the 6621(c) period clock.
//
// Minimum amounts are the statute's ($100 before 2009, $135 from 2009, $205
// from 2016) and the revenue authority's published inflation adjustments
// for returns required to be filed in each calendar year ($210 for 2018 and
// 2019, $435 for 2020 to 2022, $450 for 2023, $485 for 2024, $510 for 2025,
// $525 for 2026).
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "compute/FailureToFileMinimum.h"
#include "compute/HotPeriodsInternal.h"
#include "compute/PenaltyTable.h"

namespace {

TEST(PenaltyTable, SlotsCarryTheirCodesDescriptionsAndTemplates)
{
    struct Row {
        int slot;
        const char* code;
        const char* description;
        const char* templ;
    };
    const Row rows[] = {
        {0, "6651(a)(1)", "Failure to File", ""},
        {1, "6651(a)(2)", "Failure to Pay Tax Shown", "P6651A2.DM"},
        {2, "6651(a)(3)", "Failure to Pay Assessment", "P6651A3.DM"},
        {5, "Open - not used", "Not used", ""},
        {9, "6660", "Valuation Understatement -- Estate/Gift", "P6660.DM"},
        {18, "18684.2", "Failure to Pay Tax Shown - Ca", "P18684A1.DM"},
        {22, "6621(c)Hot Interest", "Not used", "P6621C.DM"},
        {23, "6651(a)(1)", "Failure to File", "P6651A1.DM"},
        {-1, "", "", ""},
        {24, "", "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.slot);
        EXPECT_STREQ(r.code, penalty::SlotCode(r.slot));
        EXPECT_STREQ(r.description, penalty::SlotDescription(r.slot));
        EXPECT_STREQ(r.templ, penalty::SlotTemplate(r.slot));
    }
}

TEST(FailureToFileMinimum, FollowsTheYearTheReturnIsDue)
{
    struct Row {
        Date due;
        double cents;
    };
    const Row rows[] = {
        {Date(4, 15, 1985), 10000},  {Date(12, 31, 2008), 10000}, {Date(1, 1, 2009), 13500},
        {Date(4, 15, 2015), 13500},  {Date(1, 1, 2016), 20500},   {Date(10, 16, 2017), 20500},
        {Date(4, 17, 2018), 21000},  {Date(7, 15, 2019), 21000},  {Date(7, 15, 2020), 43500},
        {Date(4, 18, 2022), 43500},  {Date(4, 18, 2023), 45000},  {Date(4, 15, 2024), 48500},
        {Date(4, 15, 2025), 51000},  {Date(4, 15, 2026), 52500},  {Date(4, 15, 2031), 52500},
        {Date(), 0},
    };
    for (const Row& r : rows) {
        char text[11];
        r.due.ToString(text, 1);
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(r.cents, penalty::FailureToFileMinimum(r.due));
    }
}

// Replays a clock through its changes; returns the dates and the state after
// each.
struct Change {
    Date at;
    bool activeAfter;
};

std::vector<Change> Replay(HotPeriods clock)
{
    std::vector<Change> out;
    for (Date next = clock.NextChange(); next.isValid(); next = clock.NextChange()) {
        clock.ApplyNextChange();
        out.push_back({next, clock.active()});
    }
    return out;
}

TEST(HotPeriods, StartStopAndRestartInTimeOrder)
{
    const Date start(5, 1, 1995), restart(7, 1, 1998), stop(12, 31, 1997);
    // Without the restart option hot interest never stops.
    auto plain = Replay(HotPeriods(1, 0, start, restart));
    ASSERT_EQ(1u, plain.size());
    EXPECT_EQ(start, plain[0].at);
    EXPECT_TRUE(plain[0].activeAfter);

    auto full = Replay(HotPeriods(1, 1, start, restart));
    ASSERT_EQ(3u, full.size());
    EXPECT_EQ(start, full[0].at);
    EXPECT_EQ(stop, full[1].at);
    EXPECT_FALSE(full[1].activeAfter);
    EXPECT_EQ(restart, full[2].at);
    EXPECT_TRUE(full[2].activeAfter);

    // Off: nothing happens whatever the dates.
    EXPECT_TRUE(Replay(HotPeriods(0, 1, start, restart)).empty());
    // A restart option whose dates cannot take effect changes nothing: hot
    // interest starts and runs on. A start after 1997, a restart on or before
    // 31 December 1997, no restart date.
    for (HotPeriods clock : {HotPeriods(1, 1, Date(3, 1, 1999), Date(1, 1, 2001)),
                             HotPeriods(1, 1, start, Date(6, 1, 1997)), HotPeriods(1, 1, start, stop),
                             HotPeriods(1, 1, start, Date())}) {
        auto runs = Replay(clock);
        ASSERT_EQ(1u, runs.size());
        EXPECT_TRUE(runs[0].activeAfter);
    }
    EXPECT_FALSE(HotRestartTakesEffect(Date(1, 1, 1998), Date(1, 1, 2001)));
    EXPECT_FALSE(HotRestartTakesEffect(start, stop));
    // A start on 31 December 1997 itself stops the same day.
    auto atCutOff = Replay(HotPeriods(1, 1, stop, Date(3, 1, 1999)));
    ASSERT_EQ(3u, atCutOff.size());
    EXPECT_EQ(stop, atCutOff[1].at);
    EXPECT_FALSE(atCutOff[1].activeAfter);
    EXPECT_TRUE(atCutOff[2].activeAfter);
}

TEST(HotPeriods, CatchUpAppliesChangesOnOrBeforeTheFirstDate)
{
    HotPeriods clock(1, 1, Date(5, 1, 1995), Date(7, 1, 1998));
    clock.CatchUp(Date(5, 1, 1995));
    EXPECT_TRUE(clock.active());
    EXPECT_EQ(Date(12, 31, 1997), clock.NextChange());
    clock.CatchUp(Date(3, 1, 1998));  // past the stop, before the restart
    EXPECT_FALSE(clock.active());
    EXPECT_EQ(3, clock.NextChangeKind());
    clock.CatchUp(Date(1, 1, 2000));
    EXPECT_TRUE(clock.active());
    EXPECT_FALSE(clock.NextChange().isValid());
}

}  // namespace
