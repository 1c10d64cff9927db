// Penalties enabled in an account file reach the engine and come back in
// "PenaltyDetail" and the totals, checked against figures derived by hand.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>

#include "RunQrtcalc.h"

namespace {

using nlohmann::json;

// A 2016 return due 18 April 2017 showing $30,000, received 20 September
// 2017, nothing paid; $6,000 of the tax from negligence and $4,000 from fraud.
const char kAccount[] = R"({
  "settlement_date": "2018-12-31",
  "events": [{"type": "Tax", "date": "2017-04-18", "amount": "30000.00"}],
  "penalties": [
    {"Enable6651A1PenaltyAlt2": {"cyAmount": "30000.00", "dReturnDue": "2017-04-18",
                                 "dReceivedByIRS": "2017-09-20", "bUse100Minimum": true}},
    {"Enable6662CPenalty": {"cyAmountSubject": "6000.00", "dReturnDue": "2017-04-18"}},
    {"Enable6663Penalty": {"cyAmountSubject": 4000, "dReturnDue": "2017-04-18"}}
  ]
})";

const json* Slot(const json& detail, int slot) {
    for (const auto& s : detail)
        if (s["Slot"] == slot) return &s;
    return nullptr;
}

TEST(QrtcalcPenalties, FailureToFileNegligenceAndFraudMatchHandFigures) {
    ScratchFolder folder;
    ProgramRun run = RunQrtcalc({"--json", folder.Write("account.json", kAccount)}, folder);
    ASSERT_EQ(run.status, 0) << run.err;
    json doc = json::parse(run.out);
    const json& detail = doc["PenaltyDetail"];
    ASSERT_EQ(detail.size(), 3u) << detail.dump(1);

    // Failure to file: months starting 18 Apr, 18 May, 18 Jun, 18 Jul and
    // 18 Aug 2017 count (5, the limit) at 5 % of $30,000 = $1,500 each:
    // $7,500. No failure-to-pay slot, so no reduction. Minimum for a return
    // due in 2016 or 2017: $205. Assessed at the return due date.
    const json* ftf = Slot(detail, 23);
    ASSERT_NE(ftf, nullptr);
    EXPECT_EQ((*ftf)["Code"], "6651(a)(1)");
    EXPECT_EQ((*ftf)["GetBaseAmount"], "30000.00");
    EXPECT_EQ((*ftf)["TotalPenalty"], "7500.00");
    EXPECT_EQ((*ftf)["Reduction"], "0.00");
    EXPECT_EQ((*ftf)["PenaltyMinimum"], "205.00");
    EXPECT_EQ((*ftf)["RealPenalty"], "7500.00");
    EXPECT_EQ((*ftf)["PenaltyAddedDate"], "2017-04-18");
    EXPECT_EQ((*ftf)["CheckPenaltyDates"], 0);
    EXPECT_EQ((*ftf)["Drops"], json::parse(R"([{"Date": "2017-04-18", "Amount": "7500.00"}])"));

    // 6662(c): base limited to total tax less the fraud amount, $30,000 -
    // $4,000 = $26,000, so the whole $6,000 counts; 20 % = $1,200.
    const json* negligence = Slot(detail, 11);
    ASSERT_NE(negligence, nullptr);
    EXPECT_EQ((*negligence)["Code"], "6662(c)");
    EXPECT_EQ((*negligence)["MaximumBase"], "26000.00");
    EXPECT_EQ((*negligence)["RealPenalty"], "1200.00");
    EXPECT_EQ((*negligence)["Drops"], json::parse(R"([{"Date": "2017-04-18", "Amount": "1200.00"}])"));

    // 6663: 75 % of $4,000 = $3,000.
    const json* fraud = Slot(detail, 16);
    ASSERT_NE(fraud, nullptr);
    EXPECT_EQ((*fraud)["Code"], "6663");
    EXPECT_EQ((*fraud)["RealPenalty"], "3000.00");
    EXPECT_EQ((*fraud)["PenaltyAddedAmt"], "3000.00");

    // $7,500 + $1,200 + $3,000; nothing paid, so the assessed penalties earn
    // interest and the balance exceeds tax plus penalties.
    EXPECT_EQ(doc["Taxes"], "30000.00");
    EXPECT_EQ(doc["Payments"], "0.00");
    EXPECT_EQ(doc["Penalties"], "11700.00");
    EXPECT_GT(std::stod(doc["PenaltyInterest"].get<std::string>()), 0.0);
    EXPECT_GT(std::stod(doc["Balance"].get<std::string>()), 41700.0);
    EXPECT_FALSE(doc["Warnings"]["AccuracyPenalty"].get<bool>());

    // The summary shows the same slots in its penalty table.
    ProgramRun summary = RunQrtcalc({folder.Path() + "/account.json"}, folder);
    ASSERT_EQ(summary.status, 0) << summary.err;
    for (const char* text : {"6651(a)(1)", "6662(c)", "6663", "7500.00", "assessed 2017-04-18"})
        EXPECT_NE(summary.out.find(text), std::string::npos) << text << "\n" << summary.out;
}

}  // namespace
