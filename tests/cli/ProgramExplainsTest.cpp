// qrtcalc explains what it computed: each set warning with its sentence and
// ErrorsDetected, the reason of a penalty that a threshold made 0, the label
// of every period kind, the account echoed as read, and the rate tables it
// computes with (--tables, --rates, --version). Accounts come on standard
// input as well as from a file.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "RunQrtcalc.h"

namespace {

using nlohmann::json;

std::string Example(const char* name) { return std::string(QRT_SOURCE_DIR) + "/examples/" + name; }

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A one-tax account; extra is added to the top level.
std::string TaxAccount(const std::string& taxDate, const std::string& amount, const std::string& settle,
                       const std::string& extra = "") {
    return R"({"settlement_date": ")" + settle + R"(", "events": [{"type": "Tax", "date": ")" + taxDate +
           R"(", "amount": ")" + amount + "\"}]" + extra + "}";
}

TEST(QrtcalcExplains, EachSetWarningIsListedWithItsSentence) {
    struct Row {
        const char* warning;
        std::string account;
        const char* words;  // part of the warning's sentence
    };
    const std::vector<Row> rows = {
        // 6621(c) interest on a $1,000 tax.
        {"HotUnder100K",
         TaxAccount("2022-04-18", "1000.00", "2023-06-30", R"(, "lcu": {"enabled": true, "applicable": "2022-06-01"})"),
         "HotUnder100K: 6621(c) interest was charged although the tax is $100,000 or less; check the 6621(c) dates"},
        // FEDERAL ends 2026-06-30.
        {"TableEndWarning", TaxAccount("2022-04-18", "1000.00", "2026-07-01"),
         "after the rate table's end date, so interest after that date was computed at the table's last rates"},
        {"ComputeBeforeLastEvent",
         R"({"settlement_date": "2023-06-30", "events": [{"type": "Tax", "date": "2022-04-18", "amount": 1000},
             {"type": "Payment", "date": "2024-01-02", "amount": 1000}]})",
         "the events after it are not counted"},
        // $2,000 subject to 6662(c) on a $1,000 tax.
        {"AccuracyPenalty",
         TaxAccount("2022-04-18", "1000.00", "2023-06-30",
                    R"(, "penalties": [{"Enable6662CPenalty": {"cyAmountSubject": 2000, "dReturnDue": "2022-04-18"}}])"),
         "add up to more than the total tax, so those penalties are overstated"},
        // $200,000 owed through 2023 without 6621(c).
        {"NoHotInterestOver100K", TaxAccount("2022-04-18", "200000.00", "2023-06-30"),
         "over $100,000 after 1990 but 6621(c) interest is off"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.warning);
        ScratchFolder folder;
        const std::string file = folder.Write("account.json", row.account);
        ProgramRun summary = RunQrtcalc({file}, folder);
        ASSERT_EQ(summary.status, 0) << summary.err;
        EXPECT_TRUE(Has(summary.out, "ErrorsDetected: yes")) << summary.out;
        EXPECT_TRUE(Has(summary.out, std::string("  ") + row.warning + ": ")) << summary.out;
        EXPECT_TRUE(Has(summary.out, row.words)) << summary.out;
        ProgramRun run = RunQrtcalc({"--json", file}, folder);
        ASSERT_EQ(run.status, 0) << run.err;
        json doc = json::parse(run.out);
        EXPECT_EQ(doc["ErrorsDetected"], true);
        EXPECT_EQ(doc["Warnings"][row.warning], true);
    }
    ScratchFolder folder;
    ProgramRun clean = RunQrtcalc({Example("late-payment.json")}, folder);
    ASSERT_EQ(clean.status, 0) << clean.err;
    EXPECT_TRUE(Has(clean.out, "ErrorsDetected: no\nWarnings: none\n")) << clean.out;
}

TEST(QrtcalcExplains, APenaltyBelowItsThresholdShowsWhy) {
    struct Row {
        const char* what;
        const char* taxDate;
        const char* tax;
        std::string penalty;
        const char* reason;  // "" when the penalty applies
        const char* real;    // RealPenalty, derived by hand
    };
    const std::string due90s = R"("dReturnDue": "2022-04-18")";
    const std::string due85 = R"("dReturnDue": "1985-04-15")";
    const std::vector<Row> rows = {
        {"6662(d) at exactly $5,000", "2022-04-18", "5000.00",
         R"({"Enable6662DPenalty": {"cyAmountSubject": "5000.00", )" + due90s + "}}",
         "no penalty: 6662(d) applies only to a base above $5,000.00, and this base is $5,000.00", "0.00"},
        // 20 % of $5,000.01 = $1,000.002.
        {"6662(d) a cent above", "2022-04-18", "5000.01",
         R"({"Enable6662DPenalty": {"cyAmountSubject": "5000.01", )" + due90s + "}}", "", "1000.00"},
        {"6662(e)", "2022-04-18", "4000.00",
         R"({"Enable6662EPenalty": {"cyAmountSubject": 4000, "dPercent": 40, )" + due90s + "}}",
         "6662(e) applies only to a base above $5,000.00, and this base is $4,000.00", "0.00"},
        {"6662(g)", "2022-04-18", "4000.00",
         R"({"Enable6662GPenalty": {"cyAmountSubject": 4000, "dPercent": 20, )" + due90s + "}}",
         "6662(g) applies only to a base above $5,000.00", "0.00"},
        {"6662(f) at exactly $1,000", "2022-04-18", "1000.00",
         R"({"Enable6662FPenalty": {"cyAmountSubject": 1000, "dPercent": 20, )" + due90s + "}}",
         "6662(f) applies only to a base above $1,000.00, and this base is $1,000.00", "0.00"},
        {"6659 a cent below $1,000", "1985-04-15", "999.99",
         R"({"Enable6659PenaltyAlt1": {"cyAmountSubject": "999.99", "dPercent": 20, )" + due85 + "}}",
         "6659 applies only to a base of at least $1,000.00, and this base is $999.99", "0.00"},
        // 20 % of $1,000.00.
        {"6659 at exactly $1,000", "1985-04-15", "1000.00",
         R"({"Enable6659PenaltyAlt1": {"cyAmountSubject": 1000, "dPercent": 20, )" + due85 + "}}", "", "200.00"},
        {"6660", "1985-04-15", "500.00",
         R"({"Enable6660PenaltyAlt1": {"cyAmountSubject": 500, "dPercent": 10, )" + due85 + "}}",
         "6660 applies only to a base of at least $1,000.00", "0.00"},
        {"6661", "1985-04-15", "5000.00",
         R"({"Enable6661PenaltyAlt2": {"cyAmountSubject": 5000, )" + due85 + "}}",
         "6661 applies only to a base above $5,000.00, and this base is $5,000.00", "0.00"},
        // Base large enough, but 6659A begins with tax due on 1986-10-23.
        {"6659A before it began", "1985-04-15", "2000.00",
         R"({"Enable6659APenalty": {"cyAmountSubject": 2000, "dPercent": 20}})",
         "6659A applies only to tax due from 1986-10-23 on, and the account's tax due date is 1985-04-15", "0.00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        const char* settle = std::string(row.taxDate) < "1990" ? "1990-06-30" : "2023-06-30";
        const std::string file =
            folder.Write("account.json", TaxAccount(row.taxDate, row.tax, settle, ", \"penalties\": [" + row.penalty + "]"));
        ProgramRun run = RunQrtcalc({"--json", file}, folder);
        ASSERT_EQ(run.status, 0) << run.err;
        const json slot = json::parse(run.out)["PenaltyDetail"][0];
        EXPECT_EQ(slot["RealPenalty"], row.real);
        if (row.reason[0] == '\0') {
            EXPECT_TRUE(slot["NoPenaltyReason"].is_null()) << slot["NoPenaltyReason"];
            continue;
        }
        ASSERT_TRUE(slot["NoPenaltyReason"].is_string());
        EXPECT_TRUE(Has(slot["NoPenaltyReason"].get<std::string>(), row.reason)) << slot["NoPenaltyReason"];
        ProgramRun summary = RunQrtcalc({file}, folder);
        EXPECT_TRUE(Has(summary.out, row.reason)) << summary.out;
    }
}

TEST(QrtcalcExplains, EveryPeriodCarriesTheLabelOfItsKind) {
    // The report's event labels, the driver's step names and, in the penalty
    // stream, the section code of the penalty assessed.
    const std::map<int, std::string> interestLabels = {
        {0, "Tax"},   {1, "Motiv. Tax"},  {2, "Payment"},          {9, "IRS Check"},
        {33, "Large corp. rate increase"}, {35, "Stop Hot Interest"}, {100, "Rate change"},
        {101, "Rate change"},              {500, "Computation date"}};
    std::set<std::string> labels, rateLabels;
    ScratchFolder folder;
    const std::string fraud = folder.Write(
        "fraud.json", TaxAccount("2022-04-18", "8000.00", "2023-06-30",
                                 R"(, "penalties": [{"Enable6663Penalty": {"cyAmountSubject": 100, "dReturnDue": "2022-04-18"}}])"));
    for (const std::string& file : {Example("corporate-gatt-lcu.json"), Example("motivated-tax.json"),
                                    Example("overpayment-refund.json"), fraud}) {
        ProgramRun run = RunQrtcalc({"--json", file}, folder);
        ASSERT_EQ(run.status, 0) << run.err;
        const json periods = json::parse(run.out)["Periods"];
        for (const char* stream : {"normal", "motivated"})
            for (const json& p : periods[stream]) {
                auto it = interestLabels.find(p["kind"].get<int>());
                ASSERT_NE(it, interestLabels.end()) << p;
                EXPECT_EQ(p["label"], it->second) << p;
                labels.insert(it->second);
                rateLabels.insert(p["rate_label"].get<std::string>());
            }
        for (const json& p : periods["penalty"]) labels.insert(p["label"].get<std::string>());
    }
    for (const char* expected : {"Tax", "Motiv. Tax", "Payment", "IRS Check", "Large corp. rate increase",
                                 "Rate change", "Computation date", "6663"})
        EXPECT_EQ(labels.count(expected), 1u) << expected;
    EXPECT_EQ(rateLabels, (std::set<std::string>{"Interest", "Hot Interest", "GATT Rate"}));
}

TEST(QrtcalcExplains, TheEchoedAccountComputesTheSameFigures) {
    ScratchFolder folder;
    // The payment comes first in the file; the engine orders the tax first.
    const std::string file = folder.Write("account.json", R"({"settlement_date": "2023-06-30", "events": [
        {"type": "Payment", "date": "2022-04-18", "amount": 100, "name": "first check"},
        {"type": "Tax", "date": "2022-04-18", "amount": "2500.50"}],
      "lcu": {"enabled": true, "applicable": "2022-06-01"},
      "penalties": [{"Enable6651A3PenaltyAlt2": {"cyAmount": 500, "d1stNotice": "2022-08-01"}}]})");
    ProgramRun first = RunQrtcalc({"--json", file}, folder);
    ASSERT_EQ(first.status, 0) << first.err;
    const json doc = json::parse(first.out);
    const json& account = doc["Account"];
    EXPECT_EQ(account["jurisdiction"], "FEDERAL");
    EXPECT_EQ(account["settlement_date"], "2023-06-30");
    EXPECT_EQ(account["events"][0], json({{"type", "Tax"}, {"date", "2022-04-18"}, {"amount", "2500.50"}}));
    EXPECT_EQ(account["events"][1]["name"], "first check");
    EXPECT_EQ(account["lcu"]["applicable"], "2022-06-01");
    EXPECT_TRUE(account["lcu"]["thirty_day_letter"].is_null());
    // Every parameter of the method, the omitted ones as they were applied.
    const json& a3 = account["penalties"][0]["Enable6651A3PenaltyAlt2"];
    EXPECT_EQ(a3.size(), 20u);
    EXPECT_EQ(a3["cyAmount"], "500.00");
    EXPECT_TRUE(a3["d2ndNotice"].is_null());
    EXPECT_EQ(a3["bTimelyFiled"], 0);

    const std::string echoed = folder.Write("echoed.json", account.dump());
    ProgramRun again = RunQrtcalc({"--json", echoed}, folder);
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(json::parse(again.out), doc);
}

// Balance = Taxes - Payments + Penalties + DebitInterest + PenaltyInterest +
// NormalCreditInterest + GATTInterest, to the cent, as the README states.
TEST(QrtcalcExplains, TheTotalsAddUpToTheBalance) {
    for (const char* name : {"late-payment.json", "overpayment-refund.json", "corporate-gatt-lcu.json",
                             "motivated-tax.json"}) {
        ScratchFolder folder;
        ProgramRun run = RunQrtcalc({"--json", Example(name)}, folder);
        ASSERT_EQ(run.status, 0) << run.err;
        const json doc = json::parse(run.out);
        auto cents = [&](const char* key) { return std::llround(std::stod(doc[key].get<std::string>()) * 100); };
        EXPECT_EQ(cents("Balance"), cents("Taxes") - cents("Payments") + cents("Penalties") + cents("DebitInterest") +
                                        cents("PenaltyInterest") + cents("NormalCreditInterest") +
                                        cents("GATTInterest"))
            << name;
    }
}

TEST(QrtcalcExplains, AnAccountOnStandardInputComputesAsFromItsFile) {
    ScratchFolder folder;
    ProgramRun fromFile = RunQrtcalc({"--json", Example("late-payment.json")}, folder);
    ProgramRun fromStdin = RunQrtcalc({"--json", "-"}, folder, "", "", Example("late-payment.json"));
    ASSERT_EQ(fromStdin.status, 0) << fromStdin.err;
    EXPECT_EQ(fromStdin.out, fromFile.out);
    ProgramRun summary = RunQrtcalc({"-"}, folder, "", "", Example("late-payment.json"));
    EXPECT_TRUE(Has(summary.out, "Account (standard input)\n")) << summary.out;
    const std::string bad = folder.Write("bad.json", "{");
    ProgramRun refused = RunQrtcalc({"-"}, folder, "", "", bad);
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(Has(refused.err, "qrtcalc: (standard input): not valid JSON")) << refused.err;
}

TEST(QrtcalcExplains, TablesRatesAndVersionReadTheEngineFolder) {
    struct Row {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> words;  // in stdout for status 0, else in stderr
    };
    // The published federal rates: 6 % in 1954 (year-month-day interest); 16 % daily from
    // 1983-01-01; 7 %, 8.4 % motivated from 2023-01-01. The table ends
    // 2026-06-30.
    const std::vector<Row> rows = {
        {{"--version"}, 0, {"qrtcalc ", "FEDERAL rate table: ends 2026-06-30"}},
        {{"--tables"}, 0, {"FEDERAL         1954-01-01   2026-06-30  Federal interest rates"}},
        {{"--rates", "FEDERAL"}, 0,
         {"End date: 2026-06-30", "1954-01-01  Old IRS Method          6.00       6.00     6.00  365\n",
          "1983-01-01  Daily                  16.00      16.00    16.00  365\n",
          "2023-01-01  Daily                   7.00       8.40     7.00  365\n"}},
        {{"--rates", "NOWHERE"}, 2, {"no rate table \"NOWHERE\"", "--tables lists them"}},
        {{"--rates"}, 2, {"--rates needs the name of a rate table"}},
        {{"--tables", "account.json"}, 2, {"take no account file"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[0]);
        ScratchFolder folder;
        ProgramRun run = RunQrtcalc(row.args, folder);
        EXPECT_EQ(run.status, row.status) << run.err;
        for (const std::string& w : row.words) EXPECT_TRUE(Has(row.status == 0 ? run.out : run.err, w)) << run.out << run.err;
    }

    // An engine folder of our own: a table with a 365.25-day year and a file
    // that is no table.
    ScratchFolder folder;
    ASSERT_EQ(folder.SaveRateTable("OWN", Date(1, 1, 2000), 100, "Our own table", Date(12, 31, 2001)), 1);
    folder.Write("JUNK.TB3", "not a table");
    ProgramRun list = RunQrtcalc({"--tables"}, folder, folder.Path() + "/");
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_TRUE(Has(list.out, "JUNK            (not a rate table the engine can read)")) << list.out;
    EXPECT_TRUE(Has(list.out, "OWN             2000-01-01   2001-12-31  Our own table")) << list.out;
    EXPECT_FALSE(Has(list.out, "FEDERAL")) << list.out;
    ProgramRun rates = RunQrtcalc({"--rates", "OWN"}, folder, folder.Path() + "/");
    EXPECT_TRUE(Has(rates.out, "2000-01-01  Daily                   8.00       9.60     7.00  365.25\n")) << rates.out;
}

}  // namespace
