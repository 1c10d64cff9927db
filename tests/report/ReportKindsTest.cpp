// The payment allocation, monthly accrual, rate table and penalty detail
// reports: their totals against the computation on every shipped example,
// and hand-derived figures on small accounts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AccountReader.h"
#include "JsonTree.h"
#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"
#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"
#include "report/ReportAccount.h"
#include "report/ReportTestSupport.h"

namespace {

using reporttest::Lines;

// The amount printed in the 13 columns from `column` (a bracket may stand
// in the 14th), in cents; NAN when the columns hold no amount.
double Cents(const std::string& line, size_t column)
{
    if (line.size() <= column) return NAN;
    std::string text;
    for (char ch : line.substr(column, 14))
        if (ch != ' ' && ch != ',') text += ch;
    if (text.empty()) return NAN;
    const bool negative = text.front() == '<';
    if (negative) text = text.substr(1, text.size() - 2);
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return NAN;
    const double dollars = std::stod(text);
    return std::round((negative ? -dollars : dollars) * 100.0);
}

// With QRT_SHOW_REPORTS set, the report is printed for review.
void Show(const std::string& title, const std::vector<std::string>& lines)
{
    if (std::getenv("QRT_SHOW_REPORTS") == nullptr) return;
    std::printf("==== %s\n", title.c_str());
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// The first line beginning with `prefix` at `column`, or "".
std::string FindLine(const std::vector<std::string>& lines, const std::string& prefix, size_t column = 0)
{
    for (const std::string& line : lines)
        if (line.size() >= column && line.compare(column, prefix.size(), prefix) == 0) return line;
    return "";
}

// Generator over a computed account, dates and time off.
std::unique_ptr<CRepGen> Generator(CQRTCompute& c, Date through, int fiscalYearEnd = 11)
{
    auto gen = std::make_unique<CRepGen>();
    gen->SetCompute(&c);
    gen->ComputeDate(through);
    gen->FiscalYearEnd(fiscalYearEnd);
    return gen;
}

struct EventRow {
    int kind;
    Date date;
    double cents;
};

// An account of the shipped FEDERAL table computed through `through`.
std::unique_ptr<CQRTCompute> Account(std::initializer_list<EventRow> rows, Date through,
                                     void (*penalties)(CQRTCompute&) = nullptr)
{
    reporttest::UseShippedData();
    auto c = std::make_unique<CQRTCompute>();
    int i = 0;
    for (const EventRow& r : rows) {
        CEvent* e = c->GetEvent(i++);
        e->m_type = static_cast<uint16_t>(r.kind);
        e->m_date = r.date;
        e->m_amount = r.cents;
    }
    if (penalties != nullptr) penalties(*c);
    c->SetTableName("FEDERAL");
    c->SetTaxDueDate();
    c->ReallocPayments(1000);
    c->MainCompute(through, -1, 0);
    return c;
}

// The shipped examples, computed as qrtcalc computes them.
struct Example {
    std::string name;
    CEngineRun run;
};

std::vector<std::unique_ptr<Example>> ComputedExamples()
{
    reporttest::UseShippedData();
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(QRT_SOURCE_DIR) / "examples"))
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<std::unique_ptr<Example>> examples;
    for (const auto& file : files) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        JsonValue document;
        std::string why;
        EXPECT_TRUE(ParseJsonDocument(text.str(), document, why)) << file << ": " << why;
        auto inputs = std::make_unique<CEngineInputs>();
        DATE settlement = -1;
        AccountProblem problem;
        EXPECT_TRUE(ReadAccount(document, *inputs, settlement, problem)) << file << ": " << problem.message;
        auto example = std::make_unique<Example>();
        example->name = file.filename().string();
        EXPECT_EQ(example->run.Compute(*inputs, settlement), S_OK) << file;
        examples.push_back(std::move(example));
    }
    EXPECT_GE(examples.size(), 4u);
    return examples;
}

// Monthly rows: label at 0, interest on tax at 21, on penalties at 36,
// credit interest at 51.
constexpr size_t kMonthColumns[3] = {21, 36, 51};

TEST(ReportKinds, MonthlyGrandTotalsAreTheComputedInterestOnEveryExample)
{
    for (auto& example : ComputedExamples()) {
        SCOPED_TRACE(example->name);
        CQRTCompute& c = *example->run.ComputeObject();
        const double totals[3] = {c.InterestNormal() + c.InterestMotivated(), c.InterestPenalty(),
                                  c.InterestGATT() + c.InterestRefund()};
        const double balance = c.BalanceDue();
        auto gen = Generator(c, example->run.SettlementDate());
        ASSERT_EQ(gen->GenerateMonthlyAccrualReport(), 1);
        const std::vector<std::string> lines = Lines(*gen);
        Show("monthly " + example->name, lines);

        // Month rows add to the year rows; the year rows and the rounding
        // adjustment add to the grand totals, which are the computation's.
        double months[3] = {}, years[3] = {}, adjustment[3] = {};
        bool sawGrand = false, sawMonth = false;
        for (const std::string& line : lines) {
            const bool monthRow = line.size() > 8 && line[2] == '-' && line[5] == '-' && !std::isnan(Cents(line, 21));
            const bool yearRow = line.size() > 12 && line.compare(4, 7, " Totals") == 0;
            for (int k = 0; k < 3; ++k) {
                const double v = Cents(line, kMonthColumns[k]);
                if (monthRow) months[k] += v;
                if (yearRow) years[k] += v;
                if (StartsWith(line, "Rounding adjustment")) adjustment[k] = v;
                if (StartsWith(line, "Grand Totals")) {
                    EXPECT_EQ(v, totals[k]) << "column " << k << ": " << line;
                    EXPECT_EQ(years[k] + adjustment[k], v) << "column " << k;
                    EXPECT_EQ(months[k], years[k]) << "column " << k;
                    // The month breaks round each period once more: cents, not dollars.
                    EXPECT_LE(std::fabs(adjustment[k]), 100.0) << "column " << k;
                }
            }
            sawMonth |= monthRow;
            sawGrand |= StartsWith(line, "Grand Totals");
        }
        EXPECT_TRUE(sawMonth);
        EXPECT_TRUE(sawGrand);
        // The report leaves the account computed as before, without month breaks.
        EXPECT_EQ(c.BalanceDue(), balance);
        EXPECT_EQ(c.InterestNormal() + c.InterestMotivated(), totals[0]);
    }
}

// Payment allocation rows: date 0, category 10, payment 35, deposit 50, amount 65.
TEST(ReportKinds, PaymentAllocationTotalsAreThePaymentsOnEveryExample)
{
    for (auto& example : ComputedExamples()) {
        SCOPED_TRACE(example->name);
        CQRTCompute& c = *example->run.ComputeObject();
        auto gen = Generator(c, example->run.SettlementDate());
        ASSERT_EQ(gen->GeneratePaymentAllocationReport(), 1);
        const std::vector<std::string> lines = Lines(*gen);
        Show("payments " + example->name, lines);
        const std::string totals = FindLine(lines, "Totals", 10);
        ASSERT_FALSE(totals.empty());
        EXPECT_EQ(Cents(totals, 65), c.AllPayments(example->run.SettlementDate()));
        EXPECT_EQ(Cents(totals, 35) + Cents(totals, 50), Cents(totals, 65));

        // Each block's allocated amounts add to the amount on its last line.
        double block = 0.0;
        int blocks = 0;
        bool inBody = false;
        for (const std::string& line : lines) {
            // The account summary after the blocks has its own columns.
            if (StartsWith(line, " ACCOUNT SUMMARY")) break;
            if (StartsWith(line, "--------")) inBody = true;
            if (line == totals) break;  // the account summary follows, in columns of its own
            if (!inBody || line.size() < 36 || StartsWith(line, "--------")) continue;
            for (size_t column : {35, 50}) {
                const double v = Cents(line, column);
                if (!std::isnan(v)) block += v;
            }
            const double whole = Cents(line, 65);
            if (!std::isnan(whole)) {
                EXPECT_EQ(block, whole) << line;
                block = 0.0;
                ++blocks;
            }
        }
        int payments = 0;
        for (int i = 0; i < c.EventCount(); ++i) payments += IsPaymentKind(c.GetEvent(i)->m_type);
        EXPECT_EQ(blocks, payments);
    }
}

TEST(ReportKinds, AMissingTemplateGivesZeroAndLeavesTheAccountAsComputed)
{
    auto c = reporttest::ComputedAccount();
    const double balance = c->BalanceDue();
    const double interest = c->InterestNormal();
    // An engine folder with the rate table but no template.
    reporttest::ScratchDir dir;
    std::ifstream table(QRT_DATA_DIR "/FEDERAL.TB3", std::ios::binary);
    std::stringstream bytes;
    bytes << table.rdbuf();
    dir.Write("FEDERAL.TB3", bytes.str());
    struct Row {
        const char* kind;
        int (CRepGen::*generate)();
    } rows[] = {{"payments", &CRepGen::GeneratePaymentAllocationReport},
                {"monthly", &CRepGen::GenerateMonthlyAccrualReport},
                {"rates", &CRepGen::GenerateRateTableReport},
                {"penalties", &CRepGen::GeneratePenaltyDetailReport}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        auto gen = Generator(*c, Date(12, 31, 2021));
        EXPECT_EQ(((*gen).*row.generate)(), 0);
        // Nothing but what a begun page carries (here: nothing at all).
        EXPECT_EQ(reporttest::Bytes(*gen).size(), 0u);
        EXPECT_EQ(c->BalanceDue(), balance);
        EXPECT_EQ(c->InterestNormal(), interest);
    }
}

TEST(ReportKinds, PaymentAllocationWithoutPaymentsWritesNothing)
{
    auto c = Account({{kEventTax, Date(4, 15, 2020), 1000000.0}}, Date(12, 31, 2020));
    auto gen = Generator(*c, Date(12, 31, 2020));
    EXPECT_EQ(gen->GeneratePaymentAllocationReport(), 0);
    EXPECT_EQ(reporttest::Bytes(*gen).size(), 0u);
    EXPECT_EQ(gen->NumPages(), 0);
}

TEST(ReportKinds, PaymentAllocationOfAPaymentAndAnOverlargeDeposit)
{
    // Tax $10,000.00, a payment of $4,000.00 and a deposit of $7,000.00, all
    // on 15 April 2020 (no interest yet). The payment goes to tax: 4,000.00.
    // The deposit meets $6,000.00 of tax and, unlike a payment, is not
    // placed beyond the balances: $1,000.00 stays unallocated. Totals:
    // payments 4,000.00, deposits 7,000.00, together 11,000.00.
    const Date due(4, 15, 2020);
    auto c = Account({{kEventTax, due, 1000000.0}, {kEventPayment, due, 400000.0}, {kEventDeposit, due, 700000.0}},
                     Date(4, 30, 2020));
    auto gen = Generator(*c, Date(4, 30, 2020));
    ASSERT_EQ(gen->GeneratePaymentAllocationReport(), 1);
    const std::vector<std::string> lines = Lines(*gen);
    const auto start = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return StartsWith(l, "04-15-20"); });
    ASSERT_NE(start, lines.end());
    const std::vector<std::string> expected = {
        "04-15-20  Tax or IRS Check              4,000.00                      4,000.00",
        " ",
        "04-15-20  Tax or IRS Check                             6,000.00",
        "          Unallocated amount of deposit                1,000.00       7,000.00",
        " ",
        "          Totals                        4,000.00       7,000.00      11,000.00",
    };
    EXPECT_EQ(std::vector<std::string>(start, start + static_cast<long>(expected.size())), expected);
}

TEST(ReportKinds, MonthlyRowsOfADailyCompoundedTax)
{
    // $10,001.25 of tax on 31 January 2021 at the table's 3 % (daily, 365
    // days): February (28 days) 1,000,125 x ((1 + .03/365)^28 - 1) = 23.04;
    // March (31 days) on 1,002,429 cents: 25.57; April (30 days) on
    // 1,004,986 cents: 24.81; so 73.42 by months. In one period of 89 days
    // the interest is 1,000,125 x ((1 + .03/365)^89 - 1) = 73.43: the
    // rounding adjustment is 0.01.
    const Date through(4, 30, 2021);
    auto c = Account({{kEventTax, Date(1, 31, 2021), 1000125.0}}, through);
    auto gen = Generator(*c, through);
    ASSERT_EQ(gen->GenerateMonthlyAccrualReport(), 1);
    const std::vector<std::string> lines = Lines(*gen);
    const auto start = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return StartsWith(l, "01-31-21"); });
    ASSERT_NE(start, lines.end());
    const std::vector<std::string> expected = {
        "01-31-21                      0.00           0.00           0.00",
        "02-28-21                     23.04           0.00           0.00",
        "03-31-21                     25.57           0.00           0.00",
        "04-30-21                     24.81           0.00           0.00",
        "2021 Totals                  73.42           0.00           0.00",
        " ",
        "Rounding adjustment           0.01           0.00           0.00",
        "Grand Totals                 73.43           0.00           0.00",
    };
    EXPECT_EQ(std::vector<std::string>(start, start + static_cast<long>(expected.size())), expected);
}

TEST(ReportKinds, MonthlyYearTotalsFollowTheFiscalYearEnd)
{
    // Fiscal year ending in February (month index 1): a totals row after
    // each February, and the year still open at the end is named by the
    // year it ends in.
    const Date through(4, 30, 2021);
    auto c = Account({{kEventTax, Date(1, 31, 2021), 1000125.0}}, through);
    auto gen = Generator(*c, through, 1);
    ASSERT_EQ(gen->GenerateMonthlyAccrualReport(), 1);
    const std::vector<std::string> lines = Lines(*gen);
    const auto feb = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return StartsWith(l, "02-28-21"); });
    ASSERT_NE(feb, lines.end());
    EXPECT_TRUE(StartsWith(*(feb + 1), "2021 Totals")) << *(feb + 1);
    EXPECT_EQ(Cents(*(feb + 1), 21), 2304.0);
    EXPECT_EQ(Cents(FindLine(lines, "2022 Totals"), 21), 2557.0 + 2481.0);
}

TEST(ReportKinds, RateTableListsEveryEntryInItsColumns)
{
    auto c = Account({{kEventTax, Date(4, 15, 2020), 1000000.0}}, Date(12, 31, 2020));
    auto gen = Generator(*c, Date(12, 31, 2020));
    gen->LinesPerPage(60);
    const int pages = gen->GenerateRateTableReport();
    const std::vector<std::string> lines = Lines(*gen);
    Show("rates", lines);
    int entries = 0;
    while (c->GetTable()->GetStartingDate(entries).isValid()) ++entries;
    int rows = 0;
    for (const std::string& line : lines) rows += line.size() > 60 && std::isdigit(static_cast<unsigned char>(line[0])) && line[2] == '-';
    EXPECT_EQ(rows, entries);
    EXPECT_EQ(pages, gen->NumPages());
    EXPECT_GT(pages, 1);
    // The published first entry: 1 January 1954, the old method, 6 % for
    // all three rates, 365 days.
    EXPECT_EQ(FindLine(lines, "01-01-54"), "01-01-54     Old IRS Method        6.00        6.00       6.00    365");
    // Continuation pages repeat the listing's headings, not the general heading.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return StartsWith(l, "Computed to:"); }), 0);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return StartsWith(l, "Starts  "); }), pages);
}

TEST(ReportKinds, PenaltySectionsForExactlyTheEnabledSlotsFailureToFileFirst)
{
    // The account of the report tests enables 23, 1 and 11; slot 0 has no
    // template and prints nothing, not even a page.
    auto c = reporttest::ComputedAccount();
    c->GetPenalty(0)->Enable(1);
    auto gen = Generator(*c, Date(12, 31, 2021));
    EXPECT_EQ(gen->GeneratePenaltyDetailReport(), 3);
    std::vector<std::string> sections;
    Show("penalties", Lines(*gen));
    for (const std::string& line : Lines(*gen))
        if (StartsWith(line, "SECTION ")) sections.push_back(line.substr(0, line.find(" --")));
    EXPECT_EQ(sections, (std::vector<std::string>{"SECTION 6651(a)(1)", "SECTION 6651(a)(2)", "SECTION 6662(c)"}));
    EXPECT_EQ(gen->NumPages(), 3);
    for (int page = 0; page < 3; ++page) {
        const std::string bytes = reporttest::Bytes(*gen);
        EXPECT_EQ(bytes.compare(static_cast<size_t>(gen->TopLineOnPage(page)), 33, "PENALTY COMPUTATION DETAIL REPORT"), 0);
    }

    // On every example: as many sections as enabled slots with a template.
    for (auto& example : ComputedExamples()) {
        SCOPED_TRACE(example->name);
        CQRTCompute& ex = *example->run.ComputeObject();
        int enabled = 0;
        for (int slot = 0; slot < 24; ++slot) enabled += slot != 22 && ex.GetPenalty(slot)->IsEnabled();
        auto exGen = Generator(ex, example->run.SettlementDate());
        EXPECT_EQ(exGen->GeneratePenaltyDetailReport(), enabled);
        Show("penalties " + example->name, Lines(*exGen));
        EXPECT_EQ(exGen->NumPages(), enabled);
    }
}

TEST(ReportKinds, FailureToPayStepsOfOnePayment)
{
    // $10,000.00 of tax shown, due 15 April 2020, $4,000.00 paid on 1 June
    // 2020, computed through 31 July 2020. Months start on the 15th; each
    // charges 0.5 % of the unpaid tax: 50.00 for the months from 15 April and
    // 15 May; the payment falls in the second month's window, so the months
    // from 15 June and 15 July charge 0.5 % of 6,000.00 = 30.00. In all 160.00.
    const Date due(4, 15, 2020);
    auto c = Account({{kEventTax, due, 1000000.0}, {kEventPayment, Date(6, 1, 2020), 400000.0}}, Date(7, 31, 2020),
                     [](CQRTCompute& account) {
                         Penalties* pay = account.GetPenalty(1);
                         pay->Enable(1);
                         pay->m_dates[0] = Date(4, 15, 2020);
                         pay->m_amounts[0] = 1000000.0;
                     });
    EXPECT_EQ(c->RealPenalty(1), 16000.0);
    auto gen = Generator(*c, Date(7, 31, 2020));
    EXPECT_EQ(gen->PrintEventSummary(1), 6);
    const std::vector<std::string> expected = {
        "  Penalty base through               05-14-20     10,000.00  0.5%         50.00",
        "  Penalty base through               06-14-20     10,000.00  0.5%         50.00",
        "  Less payments                      06-15-20     <4,000.00>",
        "  Balance                            06-15-20      6,000.00",
        "  Penalty base through               07-14-20      6,000.00  0.5%         30.00",
        "  Penalty base through               08-14-20      6,000.00  0.5%         30.00",
    };
    EXPECT_EQ(Lines(*gen), expected);
    EXPECT_EQ(gen->PrintEventSummary(11), 0);  // not a failure-to-pay kind
}

TEST(ReportKinds, FailureToPayStepsOfAnAssessment)
{
    // $10,000.00 of tax due 15 April 2020, assessed with notice and demand on
    // 1 June 2020 (21 days of grace: the penalty runs from 22 June), $2,000.00
    // paid on 10 June within the grace period, $1,000.00 more assessed on
    // 1 September, a notice of levy on 1 October; through 31 December 2020.
    // The walk starts on the whole base: months from 22 June, 22 July and
    // 22 August at 0.5 % of 10,000.00 = 50.00 each, assessed at the
    // 1 September notice (150.00), which adds 1,000.00 to the base; the
    // month from 22 September at 0.5 % of 11,000.00 = 55.00; from 22 October
    // (after the levy date + 10 days) 1 % = 110.00 a month, three months.
    // In all 150.00 + 55.00 + 330.00 = 535.00.
    const Date due(4, 15, 2020);
    auto c = Account({{kEventTax, due, 1000000.0}, {kEventPayment, Date(6, 10, 2020), 200000.0}},
                     Date(12, 31, 2020), [](CQRTCompute& account) {
                         Penalties* assessed = account.GetPenalty(2);
                         assessed->Enable(1);
                         assessed->m_dates[0] = Date(6, 1, 2020);
                         assessed->m_amounts[0] = 1000000.0;
                         assessed->m_dates[1] = Date(9, 1, 2020);
                         assessed->m_amounts[1] = 100000.0;
                         assessed->m_dates[4] = Date(10, 1, 2020);
                     });
    EXPECT_EQ(c->RealPenalty(2), 53500.0);
    auto gen = Generator(*c, Date(12, 31, 2020));
    gen->PrintEventSummary(2);
    const std::vector<std::string> expected = {
        "  IRS notice date                    06-01-20     10,000.00",
        "  Payment made during grace period   06-10-20     <2,000.00>",
        "  Balance                            06-22-20     10,000.00",
        "  Penalty base through               07-21-20     10,000.00  0.5%         50.00",
        "  Penalty base through               08-21-20     10,000.00  0.5%         50.00",
        "  Penalty base through               09-21-20     10,000.00  0.5%         50.00",
        "  IRS notice date                    09-01-20                            150.00",
        "  Additional assessment              09-01-20      1,000.00",
        "  Balance                            09-22-20     11,000.00",
        "  Penalty base through               10-21-20     11,000.00  0.5%         55.00",
        "  6631 new rate next month           10-01-20                1.0%",
        "  Penalty rate change                10-22-20                1.0%",
        "  Penalty base through               11-21-20     11,000.00  1.0%        110.00",
        "  Penalty base through               12-21-20     11,000.00  1.0%        110.00",
        "  Penalty base through               01-21-21     11,000.00  1.0%        110.00",
    };
    EXPECT_EQ(Lines(*gen), expected);
}

}  // namespace
