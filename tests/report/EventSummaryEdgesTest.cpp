// The report kinds of this file's accounts: the edge cases of the event
// summary (no events; two events on one day), the event line label table,
// and that no line of any kind passes 79 columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportAccount.h"
#include "ReportTestSupport.h"
#include "report/ReportLabels.h"

namespace {

using reporttest::Lines;

// The event rows of an event summary: the lines between the column headings
// and the closing rule.
std::vector<std::string> EventRows(CRepGen& gen)
{
    std::vector<std::string> rows;
    bool inRows = false;
    for (const std::string& line : Lines(gen)) {
        if (line.rfind("---------------------------------------  -------- ", 0) == 0) {
            inRows = true;
            continue;
        }
        if (inRows && line.rfind("         ", 0) == 0) break;
        if (inRows) rows.push_back(line);
    }
    return rows;
}

TEST(ReportKindEdges, AnAccountWithoutEventsPrintsHeadingsAndClosingLinesOnly)
{
    reporttest::UseShippedData();
    CQRTCompute c;
    c.SetTableName("FEDERAL");
    CRepGen gen;
    gen.SetCompute(&c);
    gen.ComputeDate(Date(12, 31, 2021));
    ASSERT_EQ(gen.GenerateMainScreenReport(0), 1);
    EXPECT_TRUE(EventRows(gen).empty());
    const std::vector<std::string> lines = Lines(gen);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 2], "Balance due at the computation date      12-31-21                         0.00");
}

// $10,000 tax on 15 April 2020 and a $4,000 payment on the same day, $6,000
// on 1 June 2021: the first event of the day shows no balance; the payment
// of the day shows $6,000 (nothing has accrued yet).
TEST(ReportKindEdges, OfTwoEventsOnOneDayOnlyTheSecondShowsTheBalance)
{
    reporttest::UseShippedData();
    CQRTCompute c;
    const struct { int kind; Date date; double cents; } rows[] = {{kEventTax, Date(4, 15, 2020), 1000000.0},
                                                                   {kEventPayment, Date(4, 15, 2020), 400000.0},
                                                                   {kEventPayment, Date(6, 1, 2021), 600000.0}};
    for (int i = 0; i < 3; ++i) {
        CEvent* e = c.GetEvent(i);
        e->m_type = static_cast<uint16_t>(rows[i].kind);
        e->m_date = rows[i].date;
        e->m_amount = rows[i].cents;
    }
    c.SetTableName("FEDERAL");
    c.SetTaxDueDate();
    c.ReallocPayments(1000);
    c.MainCompute(Date(12, 31, 2021), -1, 0);
    const double due = c.BalanceDue();
    CRepGen gen;
    gen.SetCompute(&c);
    gen.ComputeDate(Date(12, 31, 2021));
    ASSERT_EQ(gen.GenerateMainScreenReport(1), 1);
    const std::vector<std::string> events = EventRows(gen);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], "Tax assessed                             04-15-20     10,000.00");
    EXPECT_EQ(events[1], "Payment                                  04-15-20     <4,000.00>      6,000.00");
    EXPECT_EQ(events[2].substr(0, 64), "Payment                                  06-01-21     <6,000.00>");
    // The report leaves the account computed as it found it.
    EXPECT_EQ(c.BalanceDue(), due);
}

TEST(ReportKindEdges, EventLineLabels)
{
    const struct { int kind; const char* label; } rows[] = {
        {0, "Tax"}, {1, "Motiv. Tax"}, {9, "IRS Check"}, {11, "Penalty"}, {12, "6651(a)(1)"}, {13, "6651(a)(2)"},
        {34, "6621(c)Hot Interest"}, {35, "6651(a)(1)"}, {36, "Stop Hot Interest"},
        {37, "Large corp. rate increase"}, {38, ""}, {-1, ""}};
    for (const auto& r : rows) EXPECT_STREQ(report::EventLineLabel(r.kind), r.label) << r.kind;
}

// Every kind of the penalty account fits 79 columns (a bracketed negative
// balance ends in column 79), at short and at normal page lengths.
TEST(ReportKindEdges, NoLinePassesSeventyNineColumns)
{
    auto c = reporttest::ComputedAccount();
    for (int lines : {20, 60})
        for (int kind = 0; kind < 4; ++kind) {
            CRepGen gen;
            gen.SetCompute(c.get());
            gen.ComputeDate(Date(12, 31, 2021));
            gen.LinesPerPage(lines);
            gen.UseEventDescriptions(1);
            if (kind == 0) gen.GenerateInterestAndPenaltyReport();
            if (kind == 1) gen.GenerateMainScreenReport(1);
            if (kind == 2) gen.GenerateInterestWithFactorsReport();
            if (kind == 3) gen.PrintSummaryBlock();
            for (const std::string& line : Lines(gen)) EXPECT_LE(line.size(), 79u) << kind << ": " << line;
        }
}

}  // namespace
