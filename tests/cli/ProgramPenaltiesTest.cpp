// Penalties enabled in an account file reach the engine and come back in
// "PenaltyDetail" and the totals, checked against figures derived by hand.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "RunQrtcalc.h"

namespace {

using nlohmann::json;

// A 2016 return due 18 April 2017 showing $24,000 of a $30,000 tax, received
// 20 September 2017, nothing paid. Failure to pay the tax shown with one
// notice; the $6,000 deficiency assessed with two notices; $6,000 of the tax
// from negligence and $4,000 from fraud.
const char kAccount[] = R"({
  "settlement_date": "2018-12-31",
  "events": [{"type": "Tax", "date": "2017-04-18", "amount": "30000.00"}],
  "penalties": [
    {"Enable6651A1PenaltyAlt2": {"cyAmount": "30000.00", "dReturnDue": "2017-04-18",
                                 "dReceivedByIRS": "2017-09-20", "bUse100Minimum": true}},
    {"Enable6651A2PenaltyAlt2": {"cyAmount": "24000.00", "dTaxDue": "2017-04-18",
        "d1stNotice": "2017-11-01", "b1stIsFirstNoticeOfLevy": 0, "b1stIsFirstJeopardy": 0, "i1stGracePeriod": 21,
        "d2ndNotice": null, "b2ndIsFirstNoticeOfLevy": 0, "b2ndIsFirstJeopardy": 0, "i2ndGracePeriod": 21,
        "d3rdNotice": null, "b3rdIsFirstNoticeOfLevy": 0, "b3rdIsFirstJeopardy": 0, "i3rdGracePeriod": 21,
        "d4thNotice": null, "b4thIsFirstNoticeOfLevy": 0, "b4thIsFirstJeopardy": 0, "i4thGracePeriod": 21,
        "dReducePenaltyAfter": null, "dReinstatePenaltyAfter": null, "bTimelyFiled": false}},
    {"Enable6651A3PenaltyAlt2": {"cyAmount": "6000.00",
        "d1stNotice": "2018-03-05", "b1stIsFirstNoticeOfLevy": 0, "b1stIsFirstJeopardy": 0, "i1stGracePeriod": 21,
        "d2ndNotice": "2018-06-04", "b2ndIsFirstNoticeOfLevy": 0, "b2ndIsFirstJeopardy": 0, "i2ndGracePeriod": 21,
        "d3rdNotice": null, "b3rdIsFirstNoticeOfLevy": 0, "b3rdIsFirstJeopardy": 0, "i3rdGracePeriod": 21,
        "d4thNotice": null, "b4thIsFirstNoticeOfLevy": 0, "b4thIsFirstJeopardy": 0, "i4thGracePeriod": 21,
        "dReducePenaltyAfter": null, "dReinstatePenaltyAfter": null, "bTimelyFiled": false}},
    {"Enable6662CPenalty": {"cyAmountSubject": "6000.00", "dReturnDue": "2017-04-18"}},
    {"Enable6663Penalty": {"cyAmountSubject": 4000, "dReturnDue": "2017-04-18"}}
  ]
})";

const json* Slot(const json& detail, int slot) {
    for (const auto& s : detail)
        if (s["Slot"] == slot) return &s;
    return nullptr;
}

// Interest compounded daily over consecutive periods, each period's interest
// rounded to cents and added to the balance; `add` joins the balance at the
// period's start.
struct Period {
    double add;
    double ratePercent;
    int days;
};

double CompoundedInterest(double balance, std::initializer_list<Period> periods) {
    double total = 0.0;
    for (const Period& p : periods) {
        balance += p.add;
        double interest = balance * (std::pow(1.0 + p.ratePercent / 100.0 / 365.0, p.days) - 1.0);
        interest = std::round(interest * 100.0) / 100.0;
        total += interest;
        balance += interest;
    }
    return total;
}

std::string Dollars(double amount) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", amount);
    return text;
}

TEST(QrtcalcPenalties, FullAccountMatchesHandFigures) {
    ScratchFolder folder;
    ProgramRun run = RunQrtcalc({"--json", folder.Write("account.json", kAccount)}, folder);
    ASSERT_EQ(run.status, 0) << run.err;
    json doc = json::parse(run.out);
    const json& detail = doc["PenaltyDetail"];
    ASSERT_EQ(detail.size(), 5u) << detail.dump(1);

    // Failure to pay the tax shown: months start on the 18th from 18 April
    // 2017; the walk stops when the next month start (18 January 2019) is
    // past 31 December 2018, so 21 months at 0.5 % of $24,000 = $120 each:
    // $2,520 (well under the 25 % cap of 50 half-percent steps, $6,000). The
    // notice of 1 November 2017 falls before the eighth month start (18
    // November), so the seven pieces so far, $840, are assessed on it; the
    // rest waits for a notice that never comes.
    const json* ftp = Slot(detail, 1);
    ASSERT_NE(ftp, nullptr);
    EXPECT_EQ((*ftp)["Code"], "6651(a)(2)");
    EXPECT_EQ((*ftp)["GetBaseAmount"], "24000.00");
    EXPECT_EQ((*ftp)["TotalPenalty"], "2520.00");
    EXPECT_EQ((*ftp)["PenaltyMaximum"], "6000.00");
    EXPECT_EQ((*ftp)["RealPenalty"], "2520.00");
    EXPECT_EQ((*ftp)["PenaltyAddedAmt"], "840.00");
    EXPECT_EQ((*ftp)["PenaltyAddedDate"], "2017-11-01");
    EXPECT_EQ((*ftp)["CheckPenaltyDates"], 0);
    EXPECT_EQ((*ftp)["Drops"], json::parse(R"([{"Date": "2017-11-01", "Amount": "840.00"}])"));

    // Failure to pay the assessment: the base is the total liability less the
    // tax shown, $30,000 - $24,000 = $6,000. The first notice (5 March 2018)
    // gives 21 days of grace, so months start on the 26th from 26 March 2018:
    // ten months to 31 December at 0.5 % = $30 each, $300. The second notice
    // (4 June) falls before the fourth month start (26 June): three months,
    // $90, are assessed on it. The maximum is 50 half-percent months, $1,500.
    const json* fpa = Slot(detail, 2);
    ASSERT_NE(fpa, nullptr);
    EXPECT_EQ((*fpa)["Code"], "6651(a)(3)");
    EXPECT_EQ((*fpa)["MaximumBase"], "6000.00");
    EXPECT_EQ((*fpa)["GetBaseAmount"], "6000.00");
    EXPECT_EQ((*fpa)["TotalPenalty"], "300.00");
    EXPECT_EQ((*fpa)["PenaltyMaximum"], "1500.00");
    EXPECT_EQ((*fpa)["Reduction2"], "1500.00");
    EXPECT_EQ((*fpa)["RealPenalty"], "300.00");
    EXPECT_EQ((*fpa)["CheckPenaltyDates"], 0);
    EXPECT_EQ((*fpa)["Drops"], json::parse(R"([{"Date": "2018-06-04", "Amount": "90.00"}])"));

    // Failure to file: months starting 18 Apr, 18 May, 18 Jun, 18 Jul and
    // 18 Aug 2017 count (5, the limit) at 5 % of $30,000 = $1,500 each:
    // $7,500, less the failure-to-pay pieces of the same five months
    // (5 x $120 = $600): $6,900, assessed at the return due date. Minimum for
    // a return due in 2016 or 2017: $205.
    const json* ftf = Slot(detail, 23);
    ASSERT_NE(ftf, nullptr);
    EXPECT_EQ((*ftf)["Code"], "6651(a)(1)");
    EXPECT_EQ((*ftf)["GetBaseAmount"], "30000.00");
    EXPECT_EQ((*ftf)["TotalPenalty"], "7500.00");
    EXPECT_EQ((*ftf)["Reduction"], "600.00");
    EXPECT_EQ((*ftf)["PenaltyMinimum"], "205.00");
    EXPECT_EQ((*ftf)["RealPenalty"], "6900.00");
    EXPECT_EQ((*ftf)["PenaltyAddedDate"], "2017-04-18");
    EXPECT_EQ((*ftf)["CheckPenaltyDates"], 0);
    EXPECT_EQ((*ftf)["Drops"], json::parse(R"([{"Date": "2017-04-18", "Amount": "6900.00"}])"));

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

    // Penalties: $6,900 + $2,520 + $300 + $1,200 + $3,000 = $13,920.
    EXPECT_EQ(doc["Taxes"], "30000.00");
    EXPECT_EQ(doc["Payments"], "0.00");
    EXPECT_EQ(doc["Penalties"], "13920.00");

    // Interest at the federal underpayment rate, compounded daily: 4 % to
    // 31 March 2018, 5 % after; periods also end at the year end. The tax
    // earns it from 18 April 2017 (257, 90 and 275 days); the penalties
    // assessed on 18 April 2017 ($11,100) from then, the $840 from 1 November
    // 2017 and the $90 from 4 June 2018.
    const double debit = CompoundedInterest(30000.0, {{0, 4, 257}, {0, 4, 90}, {0, 5, 275}});
    const double onPenalties =
        CompoundedInterest(11100.0, {{0, 4, 197}, {840, 4, 60}, {0, 4, 90}, {0, 5, 65}, {90, 5, 210}});
    EXPECT_EQ(doc["DebitInterest"], Dollars(debit));
    EXPECT_EQ(doc["PenaltyInterest"], Dollars(onPenalties));
    EXPECT_EQ(doc["Balance"], Dollars(30000.0 + 13920.0 + debit + onPenalties));

    // The assessments equal the deficiency, and tax shown plus assessments
    // equal the total tax: neither exceed-tax caution is raised.
    for (const char* warning : {"AccuracyPenalty", "Penalty6651a3ExceedsTax", "Penalties6651a2and3ExceedTax"})
        EXPECT_FALSE(doc["Warnings"][warning].get<bool>()) << warning;

    // The summary shows the same slots in its penalty table.
    ProgramRun summary = RunQrtcalc({folder.Path() + "/account.json"}, folder);
    ASSERT_EQ(summary.status, 0) << summary.err;
    for (const char* text : {"6651(a)(1)", "6651(a)(2)", "6651(a)(3)", "6662(c)", "6663", "6900.00", "2520.00",
                             "assessed 2017-04-18", "assessed 2018-06-04"})
        EXPECT_NE(summary.out.find(text), std::string::npos) << text << "\n" << summary.out;
}

}  // namespace
