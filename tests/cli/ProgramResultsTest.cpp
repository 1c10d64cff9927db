// qrtcalc computes every shipped example; its --json output has exactly the
// documented keys; its totals are the engine's own figures for the same
// account, built here directly on a compute object (the program adds no
// arithmetic of its own).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "DollarText.h"
#include "RunQrtcalc.h"
#include "compute/CQRTCompute.h"
#include "ratetable/CQrtDLLApp.h"

namespace {

using nlohmann::json;

std::set<std::string> Keys(const json& object) {
    std::set<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it) keys.insert(it.key());
    return keys;
}

const std::set<std::string> kTopKeys = {"Account", "Taxes", "Payments", "Penalties", "DebitInterest", "NormalCreditInterest",
                                        "GATTInterest", "PenaltyInterest", "Balance", "ErrorsDetected", "Warnings",
                                        "Periods", "PenaltyDetail"};
const std::set<std::string> kWarningKeys = {
    "TableEndWarning",       "PaymentPenaltyError",   "GattTaxEvent",          "ExcessDeposits",
    "RefundAndPenalty",      "NonDailyUsed",          "HotError",              "MotivatedTaxAfter1990",
    "MotivatedTaxUnder1000", "JurisdictionNotFound",  "NoEvents",              "EventBeforeTableStart",
    "ComputeDateBeforeEvents", "AccuracyPenalty",     "OverRefundError",       "ComputeBeforeLastEvent",
    "HotUnder100K",          "PenaltyAfterPayment",   "NoHotInterestOver100K", "GattDoublePayment",
    "GattAndNotDaily",       "FedPensWithNonFedTable", "Penalty6651a3ExceedsTax", "Penalties6651a2and3ExceedTax",
    "AmountOutOfRange"};
const std::set<std::string> kPeriodKeys = {"start",     "end",  "kind",   "label",   "rate_label",
                                           "principal", "rate", "factor", "interest"};
const std::set<std::string> kDetailKeys = {
    "Slot",           "Code",           "GetBaseAmount", "MaximumBase",     "TotalPenalty",     "TotalPenalty2",
    "Reduction",      "Reduction2",     "PenaltyMinimum", "PenaltyMaximum", "RealPenalty",      "PenaltyAddedAmt",
    "PenaltyAddedDate", "CheckPenaltyDates", "NoPenaltyReason", "Drops"};

bool IsDollarString(const json& v) {
    if (!v.is_string()) return false;
    const std::string s = v.get<std::string>();
    int64_t cents = 0;
    return s.size() >= 4 && s[s.size() - 3] == '.' && ParseDollarText(s, cents);
}

std::string Example(const char* name) { return std::string(QRT_SOURCE_DIR) + "/examples/" + name; }

TEST(QrtcalcResults, EveryExampleComputesWithExactlyTheDocumentedKeys) {
    for (const char* name : {"late-payment.json", "overpayment-refund.json", "corporate-gatt-lcu.json",
                             "motivated-tax.json"}) {
        SCOPED_TRACE(name);
        ScratchFolder folder;
        ProgramRun summary = RunQrtcalc({Example(name)}, folder);
        ASSERT_EQ(summary.status, 0) << summary.err;
        EXPECT_NE(summary.out.find("Totals through"), std::string::npos) << summary.out;
        EXPECT_NE(summary.out.find("Balance"), std::string::npos) << summary.out;

        ProgramRun run = RunQrtcalc({"--json", Example(name)}, folder);
        ASSERT_EQ(run.status, 0) << run.err;
        json doc = json::parse(run.out);
        EXPECT_EQ(Keys(doc), kTopKeys);
        for (const char* total : {"Taxes", "Payments", "Penalties", "DebitInterest", "NormalCreditInterest",
                                  "GATTInterest", "PenaltyInterest", "Balance"})
            EXPECT_TRUE(IsDollarString(doc[total])) << total << " = " << doc[total];
        EXPECT_TRUE(doc["ErrorsDetected"].is_boolean());
        EXPECT_EQ(Keys(doc["Warnings"]), kWarningKeys);
        bool anyWarning = false;
        for (const auto& w : doc["Warnings"]) {
            ASSERT_TRUE(w.is_boolean());
            anyWarning = anyWarning || w.get<bool>();
        }
        EXPECT_EQ(doc["ErrorsDetected"].get<bool>(), anyWarning);
        EXPECT_EQ(Keys(doc["Periods"]), (std::set<std::string>{"normal", "motivated", "penalty"}));
        EXPECT_FALSE(doc["Periods"]["normal"].empty());
        for (const char* list : {"normal", "motivated", "penalty"})
            for (const auto& period : doc["Periods"][list]) {
                EXPECT_EQ(Keys(period), kPeriodKeys);
                EXPECT_TRUE(IsDollarString(period["principal"]) && IsDollarString(period["interest"]));
            }
        for (const auto& slot : doc["PenaltyDetail"]) {
            EXPECT_EQ(Keys(slot), kDetailKeys);
            for (const auto& drop : slot["Drops"])
                EXPECT_EQ(Keys(drop), (std::set<std::string>{"Date", "Amount"}));
        }
    }
}

// Federal interest before 1983 as the authority computed it, on $10,000 of
// tax left unpaid (the shipped FEDERAL table):
//  - 15 April 1976 to 31 January 1978, all at 7 %, counted in years, months
//    and days: 1 year, 9 months, 16 days: 10,000 x (0.07 + 9 x 0.07 / 12 +
//    16 x 0.07 / 365) = 1,255.68 (no cut on 1 January 1977).
//  - 1 February 1980 to 1 February 1981 at 12 %, simple on a 365-day year:
//    366 days x 0.12 / 365 x 10,000 = 1,203.29 (1980 is not divided by 366).
TEST(QrtcalcResults, FederalInterestBefore1983FollowsTheAuthoritysMethods) {
    struct {
        const char* from;
        const char* to;
        const char* interest;
    } cases[] = {{"1976-04-15", "1978-01-31", "1255.68"}, {"1980-02-01", "1981-02-01", "1203.29"}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.from);
        ScratchFolder folder;
        const std::string file = folder.Write(
            "old.json", std::string("{\"settlement_date\": \"") + row.to + "\", \"events\": [{\"type\": \"Tax\", "
                        "\"date\": \"" + row.from + "\", \"amount\": \"10000.00\"}]}");
        ProgramRun run = RunQrtcalc({"--json", file}, folder);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(json::parse(run.out)["DebitInterest"], row.interest);
    }
}

// The largest tax qrtcalc takes, $999,999,999,999.99, left unpaid: within a
// year it stays far below 2^53 cents ($90,071,992,547,409.92); from 1970 to
// 2060 the interest alone is above $3 x 10^14 (6 percent and more compounded
// for 90 years), past 2^53 cents; from 1955 to 2120 the balance passes the
// currency range ($922,337,203,685,477.58) too and has no figure.
TEST(QrtcalcResults, FiguresPastExactCentsAreReportedNotPrinted) {
    struct {
        const char* from;
        const char* to;
        bool outOfRange;
        bool balanceShown;
    } cases[] = {{"1970-04-15", "1971-04-15", false, true},
                 {"1970-04-15", "2060-12-31", true, true},
                 {"1955-01-01", "2120-12-31", true, false}};
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.from) + " to " + row.to);
        ScratchFolder folder;
        const std::string file = folder.Write(
            "big.json", std::string("{\"settlement_date\": \"") + row.to + "\", \"events\": [{\"type\": \"Tax\", "
                        "\"date\": \"" + row.from + "\", \"amount\": \"999999999999.99\"}]}");
        ProgramRun run = RunQrtcalc({"--json", file}, folder);
        EXPECT_EQ(run.status, row.outOfRange ? 1 : 0) << run.err;
        EXPECT_EQ(run.err.find("AmountOutOfRange") != std::string::npos, row.outOfRange) << run.err;
        json doc = json::parse(run.out);
        EXPECT_EQ(doc["Warnings"]["AmountOutOfRange"].get<bool>(), row.outOfRange);
        EXPECT_TRUE(!row.outOfRange || doc["ErrorsDetected"].get<bool>());
        EXPECT_EQ(doc["Balance"].is_string(), row.balanceShown) << doc["Balance"];
        EXPECT_EQ(doc["Balance"].is_null(), !row.balanceShown);
        ProgramRun summary = RunQrtcalc({file}, folder);
        EXPECT_EQ(summary.out.find("AmountOutOfRange:") != std::string::npos, row.outOfRange) << summary.out;
    }
}

// The late-payment example built by hand on a compute object, in the order
// the automation interface uses.
struct LatePaymentByHand {
    CQRTCompute c;
    Date settle{6, 30, 2023};

    LatePaymentByHand() {
        CEvent events[1000];
        struct {
            uint16_t kind;
            Date date;
            double cents;
        } rows[] = {{kEventTax, Date(4, 18, 2022), 1250000},
                    {kEventPayment, Date(6, 15, 2022), 400000},
                    {kEventPayment, Date(9, 30, 2022), 300000},
                    {kEventPayment, Date(1, 17, 2023), 250000}};
        for (int i = 0; i < 4; ++i) {
            events[i].m_type = rows[i].kind;
            events[i].m_date = rows[i].date;
            events[i].m_amount = events[i].m_gattAmount = rows[i].cents;
        }
        Penalties penalties[24];
        // Enable6651A2PenaltyAlt1: amount, tax due date, no notices, every
        // grace period 0 (under 21 days), filed timely.
        penalties[1].m_amounts[0] = 1250000;
        penalties[1].m_dates[0] = Date(4, 18, 2022);
        penalties[1].m_graceMask = 0x0F;
        penalties[1].SetFlag(kPenaltyTimely, 1);
        penalties[1].Enable(1);
        c.SetEvents(events);
        c.SetPenalties(penalties);
        c.SetTableName("FEDERAL");
        c.WholeDollarMode(0);
        c.SetTaxDueDate();
        c.GATTOn(0);
        c.GATTAmount(1000000);
        c.HotInterest(0);
        c.HotInterest2(0);
        c.ReallocPayments(1000);
        c.MainCompute(settle, -1, 0);
    }
};

TEST(QrtcalcResults, JsonTotalsAreTheEnginesOwnFigures) {
    ScratchFolder folder;
    ProgramRun run = RunQrtcalc({"--json", Example("late-payment.json")}, folder);
    ASSERT_EQ(run.status, 0) << run.err;
    json doc = json::parse(run.out);

    // The test process reads the same shipped data the program found.
    setenv("QRT_ENGINE_DIR", QRT_DATA_DIR, 1);
    CQrtDLLApp::Reinitialize();
    auto byHand = std::make_unique<LatePaymentByHand>();
    CQRTCompute& c = byHand->c;
    ASSERT_EQ(c.NoTableLoaded(), 0);
    EXPECT_EQ(doc["Taxes"], FormatCents(c.AllTaxes(byHand->settle)));
    EXPECT_EQ(doc["Payments"], FormatCents(c.AllPayments(byHand->settle)));
    EXPECT_EQ(doc["Penalties"], FormatCents(c.RealPenalties() + c.EventPenalties(byHand->settle)));
    EXPECT_EQ(doc["DebitInterest"], FormatCents(c.DebitInterest()));
    EXPECT_EQ(doc["NormalCreditInterest"], FormatCents(c.InterestRefund()));
    EXPECT_EQ(doc["GATTInterest"], FormatCents(c.InterestGATT()));
    EXPECT_EQ(doc["PenaltyInterest"], FormatCents(c.InterestPenalty()));
    EXPECT_EQ(doc["Balance"], FormatCents(c.BalanceDue()));
    // Tax $12,500.00, payments $9,500.00 (hand sums of the example's events).
    EXPECT_EQ(doc["Taxes"], "12500.00");
    EXPECT_EQ(doc["Payments"], "9500.00");
    EXPECT_NE(doc["DebitInterest"], "0.00");

    ASSERT_EQ(doc["PenaltyDetail"].size(), 1u);
    const json& ftp = doc["PenaltyDetail"][0];
    EXPECT_EQ(ftp["Slot"], 1);
    EXPECT_EQ(ftp["Code"], "6651(a)(2)");
    EXPECT_EQ(ftp["RealPenalty"], FormatCents(c.RealPenalty(1)));
    EXPECT_EQ(ftp["TotalPenalty"], FormatCents(c.TotalPenalty(1)));
    EXPECT_EQ(ftp["CheckPenaltyDates"], c.CheckPenaltyDates(1));

    // Every normal period as the engine recorded it.
    const json& normal = doc["Periods"]["normal"];
    size_t i = 0;
    for (ComputeResults* r = c.NormalBase(); r != nullptr; r = r->m_next, ++i) {
        ASSERT_LT(i, normal.size());
        EXPECT_EQ(normal[i]["start"].is_null() ? "" : normal[i]["start"].get<std::string>(), IsoDate(r->m_start));
        EXPECT_EQ(normal[i]["end"], IsoDate(r->m_end));
        EXPECT_EQ(normal[i]["kind"], r->m_kind);
        EXPECT_EQ(normal[i]["interest"], FormatCents(r->m_interest));
        EXPECT_DOUBLE_EQ(normal[i]["rate"].get<double>(), r->m_rate);
    }
    EXPECT_EQ(i, normal.size());
}

}  // namespace
