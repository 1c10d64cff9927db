// MainCompute on real accounts with rate tables written in the test: the
// records of each stream, the input errors, the order of steps, monthly mode,
// a whole account checked against figures derived by hand, and repeatability.
#include "AccountFixture.h"

#include <fstream>

#include "ratetable/CQrtDLLApp.h"
#include "ratetable/TablePaths.h"

namespace {

using MainComputeTest = AccountFixture;

constexpr uint16_t kNoEvent = 65535;

TEST_F(MainComputeTest, OneTaxGivesAZeroRecordAndTheAssessmentPeriod)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{0, Date(2, 15, 2020), 1000000}});
    ASSERT_EQ(Compute(*c, Date(5, 15, 2020)), 1);

    const auto normal = Records(c->NormalBase());
    ASSERT_EQ(normal.size(), 2u);
    EXPECT_EQ(normal[0]->m_start, Date(1, 1, 1954));
    EXPECT_EQ(normal[0]->m_end, Date(2, 15, 2020));
    EXPECT_EQ(normal[0]->m_principal, 0.0);
    EXPECT_EQ(normal[0]->m_interest, 0.0);
    EXPECT_EQ(normal[0]->m_kind, 0);
    EXPECT_EQ(normal[0]->m_event, 0);
    EXPECT_EQ(normal[1]->m_start, Date(2, 15, 2020));
    EXPECT_EQ(normal[1]->m_end, Date(5, 15, 2020));
    EXPECT_EQ(normal[1]->m_principal, 1000000.0);
    EXPECT_EQ(normal[1]->m_kind, 500);
    EXPECT_EQ(normal[1]->m_event, kNoEvent);
    // 1,000,000 x 90 days x 5 % / 366 = 12,295.08 -> 12,295
    EXPECT_EQ(normal[1]->m_interest, 12295.0);
    EXPECT_EQ(c->MotivatedBase(), nullptr);
}

struct InputErrorCase {
    const char* what;
    const char* table;
    std::vector<EventRow> events;
    Date through;
    int flag;   // storage index of the one flag expected
};

TEST_F(MainComputeTest, InputErrorsSetOneFlagAndLeaveNoRecords)
{
    WriteHandTable("HAND");
    const std::vector<InputErrorCase> cases = {
        {"no table file and no on-demand name", "NOSUCH", {{0, Date(2, 15, 2020), 1000}}, Date(3, 1, 2020), 9},
        {"no events", "HAND", {}, Date(3, 1, 2020), 10},
        {"first event before the table", "HAND", {{0, Date(12, 1, 2019), 1000}}, Date(3, 1, 2020), 11},
        {"computation date before the first event", "HAND", {{0, Date(2, 15, 2020), 1000}}, Date(2, 1, 2020),
         12},
        {"no computation date", "HAND", {{0, Date(2, 15, 2020), 1000}}, Date(), 12},
    };
    for (const InputErrorCase& k : cases) {
        SCOPED_TRACE(k.what);
        CQRTCompute fresh;
        fresh.SetTableName(k.table);
        int i = 0;
        for (const EventRow& row : k.events) {
            fresh.GetEvent(i)->m_type = static_cast<uint16_t>(row.kind);
            fresh.GetEvent(i)->m_date = row.date;
            fresh.GetEvent(i++)->m_amount = row.amount;
        }
        EXPECT_EQ(fresh.MainCompute(k.through, -1, 0), 0);
        for (int f = 0; f < 24; ++f) EXPECT_EQ(fresh.Flag(f), f == k.flag ? 1 : 0) << "flag " << f;
        EXPECT_EQ(fresh.NormalBase(), nullptr);
        EXPECT_EQ(fresh.MotivatedBase(), nullptr);
        EXPECT_EQ(fresh.GetCashFlow(), nullptr);
    }
}

TEST_F(MainComputeTest, ATableNameThatFindsNothingDoesNotReuseTheLastTable)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{0, Date(2, 15, 2020), 1000000}});
    ASSERT_EQ(Compute(*c, Date(5, 15, 2020)), 1);

    c->SetTableName("GONE");
    EXPECT_EQ(c->MainCompute(Date(5, 15, 2020), -1, 0), 0);
    EXPECT_EQ(c->NoTableLoaded(), 1);
    EXPECT_EQ(c->NormalBase(), nullptr);
}

// Reading a table names it by its bare name; a table given by its path must
// still be read from that path by every later computation of the object, not
// from a table of the same name in the current folder.
TEST_F(MainComputeTest, ATableGivenByItsPathIsReadFromThereEveryTime)
{
    WriteTable("MINE", {{Date(1, 1, 2020), 1, 5.0, 7.0, 4.0, 366}});
    std::filesystem::create_directory("custom");
    WriteTable("custom/MINE", {{Date(1, 1, 2020), 1, 10.0, 12.0, 8.0, 366}});
    c->SetTableName((std::filesystem::current_path() / "custom" / "MINE").string());
    SetAccount(*c, {{0, Date(1, 1, 2020), 1000000}});
    // 1,000,000 x 365 x 10 % / 366 = 99,726.78; the 5 % table would give 49,863.
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ASSERT_EQ(Compute(*c, Date(12, 31, 2020)), 1);
        EXPECT_EQ(c->InterestNormal(), 99727.0);
    }
}

// A held table stands for every computation until it is released, though
// the file changes meanwhile; released, the next computation reads the file.
TEST_F(MainComputeTest, AHeldTableStandsUntilReleased)
{
    WriteTable("MINE", {{Date(1, 1, 2020), 1, 5.0, 7.0, 4.0, 366}});
    c->SetTableName("MINE");
    SetAccount(*c, {{0, Date(1, 1, 2020), 1000000}});
    c->HoldTable(true);
    // 1,000,000 x 365 x 5 % / 366 = 49,863.39; at 10 %, 99,726.78.
    const double expected[] = {49863.0, 49863.0, 99727.0};
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        if (run == 1) WriteTable("MINE", {{Date(1, 1, 2020), 1, 10.0, 12.0, 8.0, 366}});
        if (run == 2) c->HoldTable(false);
        ASSERT_EQ(Compute(*c, Date(12, 31, 2020)), 1);
        EXPECT_EQ(c->InterestNormal(), expected[run]);
    }
}

TEST_F(MainComputeTest, TheTableNameGoesThroughTheAliasListThenOnDemandTables)
{
    if (!UserTableDirectory().empty() || !EngineDirectory().empty())
        GTEST_SKIP() << "the engine folder is not the current folder";
    // The alias list is read from the engine folder (the current folder here),
    // and on-demand tables are written there.
    WriteHandTable("HAND");
    { std::ofstream("TableAlias.csv") << "aliased,01/01/2020,,HAND\n"; }
    CQrtDLLApp::Reinitialize();

    SetAccount(*c, {{0, Date(2, 15, 2020), 1000000}});
    c->SetTableName("ALIASED");
    ASSERT_EQ(Compute(*c, Date(5, 15, 2020)), 1);
    EXPECT_EQ(c->GetTableName(), "HAND");
    EXPECT_EQ(c->m_tableAliasResolved, 1);
    EXPECT_EQ(c->InterestNormal(), 12295.0);   // 1,000,000 x 90 x 5 % / 366

    // A name with no file and no alias: an on-demand table of 8 % daily.
    c->SetTableName("DAILY0800");
    ASSERT_EQ(c->MainCompute(Date(5, 15, 2020), -1, 0), 1);
    EXPECT_TRUE(std::filesystem::exists("DAILY0800.TB3"));
    EXPECT_EQ(c->NormalBase()->m_next->m_rate, 8.0);

    std::filesystem::remove("TableAlias.csv");
    CQrtDLLApp::Reinitialize();
}

TEST_F(MainComputeTest, AnEventOnARateChangeDayIsProcessedFirst)
{
    // The first period of HAND ends on 30 June 2020 (the day before 1 July).
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{0, Date(2, 15, 2020), 1000000}, {2, Date(6, 30, 2020), 100000}});
    ASSERT_EQ(Compute(*c, Date(8, 31, 2020)), 1);

    const auto normal = Records(c->NormalBase());
    ASSERT_EQ(normal.size(), 4u);
    EXPECT_EQ(normal[1]->m_kind, 2);
    EXPECT_EQ(normal[1]->m_end, Date(6, 30, 2020));
    EXPECT_EQ(normal[1]->m_rate, 5.0);
    EXPECT_EQ(normal[2]->m_kind, 100);
    EXPECT_EQ(normal[2]->m_start, Date(6, 30, 2020));
    EXPECT_EQ(normal[2]->m_end, Date(6, 30, 2020));
    EXPECT_EQ(normal[3]->m_kind, 500);
    EXPECT_EQ(normal[3]->m_rate, 6.0);
}

TEST_F(MainComputeTest, APaymentOfPenaltiesOnlyDoesNotBreakTheNormalPeriod)
{
    WriteHandTable("HAND");
    for (int designated : {0, 1}) {
        SCOPED_TRACE(designated ? "designated to user penalties" : "no designation");
        CQRTCompute account;
        account.SetTableName("HAND");
        SetAccount(account, {{0, Date(1, 15, 2020), 100000},
                             {4, Date(1, 15, 2020), 50000},
                             {2, Date(3, 1, 2020), 20000}});
        if (designated) account.GetEvent(2)->EnsureAllocation()->m_specific[4] = 20000;
        ASSERT_EQ(Compute(account, Date(5, 1, 2020)), 1);

        const Payment* p = account.GetEvent(2)->m_allocation;
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->m_payment[0], designated ? 0.0 : 20000.0);
        EXPECT_EQ(p->m_payment[4], designated ? 20000.0 : 0.0);
        bool brokenAtPayment = false;
        for (const ComputeResults* r : Records(account.NormalBase()))
            if (r->m_kind == 2 && r->m_end == Date(3, 1, 2020)) brokenAtPayment = true;
        EXPECT_EQ(brokenAtPayment, !designated);
    }
}

TEST_F(MainComputeTest, AnEventOfAnUnknownKindIsPassedOver)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{0, Date(2, 15, 2020), 1000000}, {77, Date(3, 1, 2020), 5000}, {500, Date(3, 2, 2020), 5000}});
    ASSERT_EQ(Compute(*c, Date(5, 15, 2020)), 1);
    const auto normal = Records(c->NormalBase());
    ASSERT_EQ(normal.size(), 2u);
    EXPECT_EQ(normal[1]->m_end, Date(5, 15, 2020));
    EXPECT_EQ(normal[1]->m_interest, 12295.0);   // as with the tax alone
}

TEST_F(MainComputeTest, MonthlyModeRecordsEveryMonthEnd)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{0, Date(1, 15, 2020), 1000000}});
    ASSERT_EQ(Compute(*c, Date(6, 15, 2020), 1), 1);

    const auto normal = Records(c->NormalBase());
    const std::vector<std::pair<int, Date>> expected = {
        {0, Date(1, 15, 2020)},   {200, Date(1, 31, 2020)}, {200, Date(2, 29, 2020)}, {200, Date(3, 31, 2020)},
        {200, Date(4, 30, 2020)}, {200, Date(5, 31, 2020)}, {500, Date(6, 15, 2020)}};
    ASSERT_EQ(normal.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(normal[i]->m_kind, expected[i].first) << i;
        EXPECT_EQ(normal[i]->m_end, expected[i].second) << i;
    }
}

// A tax, two partial payments and a refund position on HAND, every figure
// derived by hand (interest rounded half away from zero to whole cents):
//   tax 1,000,000 on 15 Feb 2020; payments 300,000 on 15 Apr 2020 and
//   900,000 on 30 Sep 2020; computed to 31 Mar 2021.
//   r1 15 Feb-15 Apr   60 days Simple 5 %/366 on 1,000,000 = 8,196.72 -> 8,197
//   r2 15 Apr-30 Jun   76 days Simple 5 %/366 on   700,000 = 7,267.76 -> 7,268
//      1 Jul starts Daily: principal 700,000 + 8,197 + 7,268 = 715,465
//   r3 30 Jun-30 Sep   92 days Daily 6 %/366: (1 + .06/366)^92 - 1 = 0.0151950191
//      x 715,465 = 10,871.50 -> 10,872
//   the second payment pays tax 700,000, interest 26,337, overpays 173,663:
//      principal 715,465 + 10,872 - 900,000 = -173,663
//   r4 30 Sep-31 Dec   92 days refund 5 %/366: (1 + .05/366)^92 - 1 = 0.0126467498
//      x -173,663 = -2,196.27 -> -2,196
//   r5 31 Dec-31 Mar   90 days refund 5 %/365: (1 + .05/365)^90 - 1 = 0.0124042248
//      x -175,859 = -2,181.39 -> -2,181
//   normal interest 26,337; refund interest -4,377;
//   balance -200,000 + 26,337 - 4,377 = -178,040.
TEST_F(MainComputeTest, AnAccountWithARefundPositionMatchesTheHandFigures)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{0, Date(2, 15, 2020), 1000000}, {2, Date(4, 15, 2020), 300000}, {2, Date(9, 30, 2020), 900000}});
    ASSERT_EQ(Compute(*c, Date(3, 31, 2021)), 1);

    struct Expected {
        int kind, event;
        Date start, end;
        double principal, rate, factor, interest;
    };
    const std::vector<Expected> expected = {
        {0, 0, Date(1, 1, 1954), Date(2, 15, 2020), 0, 4.0, -1, 0},
        {2, 1, Date(2, 15, 2020), Date(4, 15, 2020), 1000000, 5.0, 60 * 0.05 / 366, 8197},
        {100, kNoEvent, Date(4, 15, 2020), Date(6, 30, 2020), 700000, 5.0, 76 * 0.05 / 366, 7268},
        {2, 2, Date(6, 30, 2020), Date(9, 30, 2020), 715465, 6.0, 0.0151950191, 10872},
        {100, kNoEvent, Date(9, 30, 2020), Date(12, 31, 2020), -173663, 5.0, 0.0126467498, -2196},
        {500, kNoEvent, Date(12, 31, 2020), Date(3, 31, 2021), -175859, 5.0, 0.0124042248, -2181},
    };
    const auto normal = Records(c->NormalBase());
    ASSERT_EQ(normal.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(normal[i]->m_kind, expected[i].kind);
        EXPECT_EQ(normal[i]->m_event, expected[i].event);
        EXPECT_EQ(normal[i]->m_start, expected[i].start);
        EXPECT_EQ(normal[i]->m_end, expected[i].end);
        EXPECT_EQ(normal[i]->m_principal, expected[i].principal);
        EXPECT_EQ(normal[i]->m_rate, expected[i].rate);
        if (expected[i].factor >= 0) {
            EXPECT_NEAR(normal[i]->m_factor, expected[i].factor, 1e-9);
        }
        EXPECT_EQ(normal[i]->m_interest, expected[i].interest);
    }

    const Payment* second = c->GetEvent(2)->m_allocation;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->m_payment[0], 873663.0);
    EXPECT_EQ(second->m_payment[1], 26337.0);
    EXPECT_EQ(c->GetEvent(1)->m_allocation->m_payment[0], 300000.0);

    EXPECT_EQ(c->InterestNormal(), 26337.0);
    EXPECT_EQ(c->InterestRefund(), -4377.0);
    EXPECT_EQ(c->InterestMotivated(), 0.0);
    EXPECT_EQ(c->BalanceDue(), -178040.0);
    EXPECT_EQ(c->GetEvent(0)->m_balof, 0.0);

    const CashFlow* flow = c->GetCashFlow();
    ASSERT_NE(flow, nullptr);
    EXPECT_EQ(flow->m_date, Date(2, 15, 2020));
    EXPECT_EQ(flow->m_direction, 1);
    ASSERT_NE(flow->m_next, nullptr);
    EXPECT_EQ(flow->m_next->m_date, Date(9, 30, 2020));
    EXPECT_EQ(flow->m_next->m_direction, -1);
    EXPECT_EQ(flow->m_next->m_next, nullptr);
    EXPECT_EQ(c->Refunding(Date(10, 1, 2020)), 1);
}

TEST_F(MainComputeTest, TheCashFlowListRecordsTheFirstTurnAfterANeutralStart)
{
    // The motivated tax first leaves the normal principal at 0 (direction 0);
    // the tax then makes the account owe, and the payment overpays it.
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{1, Date(1, 15, 2020), 100000}, {0, Date(2, 1, 2020), 50000}, {2, Date(3, 1, 2020), 300000}});
    ASSERT_EQ(Compute(*c, Date(4, 1, 2020)), 1);

    std::vector<std::pair<Date, int>> flow;
    for (const CashFlow* n = c->GetCashFlow(); n != nullptr; n = n->m_next) flow.emplace_back(n->m_date, n->m_direction);
    const std::vector<std::pair<Date, int>> expected = {
        {Date(1, 15, 2020), 0}, {Date(2, 1, 2020), 1}, {Date(3, 1, 2020), -1}};
    EXPECT_EQ(flow, expected);
    EXPECT_EQ(c->Refunding(Date(3, 15, 2020)), 1);
    EXPECT_EQ(c->Refunding(Date(2, 15, 2020)), 0);
}

TEST_F(MainComputeTest, ComputingTwiceGivesIdenticalResults)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{0, Date(2, 15, 2020), 1000000},
                    {1, Date(2, 15, 2020), 400000},
                    {2, Date(4, 15, 2020), 300000},
                    {5, Date(5, 1, 2020), 0},
                    {6, Date(6, 1, 2020), 0},
                    {2, Date(9, 30, 2020), 1500000}});
    ASSERT_EQ(Compute(*c, Date(3, 31, 2021)), 1);
    const std::string first = Snapshot(*c);
    ASSERT_EQ(c->MainCompute(Date(3, 31, 2021), -1, 0), 1);
    EXPECT_EQ(Snapshot(*c), first);
    ASSERT_EQ(c->MainCompute(Date(3, 31, 2021), -1, 1), 1);   // a monthly run in between
    ASSERT_EQ(c->MainCompute(Date(3, 31, 2021), -1, 0), 1);
    EXPECT_EQ(Snapshot(*c), first);
}

} // namespace
