// 6621(c) (hot) interest in the main computation and GATT netting, on
// accounts computed through MainCompute.
//
// The test table accrues simple interest: 10 % a year normally, 12 % while
// 6621(c) interest applies (normal rate + 2 points), 8 % on an overpayment,
// 6.5 % on the GATT part of it after 1994 (refund rate - 1.5 points); 365
// days a year.
#include <gtest/gtest.h>

#include <cstdio>

#include "PenaltyAccount.h"

namespace {

using penaltytest::Account;

struct HotCase {
    const char* what;
    Date tax;
    Date letter, applicable;   // 30-day letter, applicable date
    int restart;
    Date applicable2;          // restart applicable date
    Date through;
    Date effective;            // Get6621cDate()
    double interest;           // InterestNormal() on 100,000 of tax
};

TEST(HotInterest, StartsAfterTheLetterPlusThirtyDaysStopsAfter1997AndRestarts)
{
    const HotCase cases[] = {
        // 15 March 1995 + 30 days = 14 April 1995. 103 days at 10 %
        // (2,821.92) then 1,358 days at 12 % (44,646.58).
        {"letter only", Date(1, 1, 1995), Date(3, 15, 1995), Date(), 0, Date(), Date(1, 1, 1999),
         Date(4, 14, 1995), 2822 + 44647},
        // The applicable date wins over the letter.
        {"applicable wins", Date(1, 1, 1995), Date(3, 15, 1995), Date(5, 1, 1995), 0, Date(),
         Date(1, 1, 1999), Date(5, 1, 1995),
         // 120 days at 10 % = 3,287.67; 1,341 days at 12 % = 44,087.67
         3288 + 44088},
        // Restart: 12 % to 31 December 1997, 10 % to 1 July 1998, 12 % after:
        // 2,821.92 + 32,613.70 + 4,986.30 + 6,049.32.
        {"stop and restart", Date(1, 1, 1995), Date(3, 15, 1995), Date(), 1, Date(7, 1, 1998),
         Date(1, 1, 1999), Date(4, 14, 1995), 2822 + 32614 + 4986 + 6049},
        // An applicable date of 1 June 1990 is moved to 31 December 1990:
        // 1 January 1990 to 31 December 1990, 364 days at 10 % = 9,972.60;
        // then 365 days at 12 % = 12,000.
        {"never before 1991", Date(1, 1, 1990), Date(), Date(6, 1, 1990), 0, Date(),
         Date(12, 31, 1991), Date(12, 31, 1990), 9973 + 12000},
    };
    for (const HotCase& hc : cases) {
        SCOPED_TRACE(hc.what);
        Account a;
        a.Add(kEventTax, hc.tax, 100000);
        a.options().hot = 1;
        a.options().hot30Day = hc.letter;
        a.options().hotApplicable = hc.applicable;
        a.options().hotRestart = hc.restart;
        a.options().hotApplicable2 = hc.applicable2;
        int ran = 0;
        auto c = a.Compute(hc.through, &ran);
        ASSERT_EQ(1, ran);
        EXPECT_EQ(hc.effective, c->Get6621cDate());
        EXPECT_EQ(1, c->Get6621cAdded());
        EXPECT_DOUBLE_EQ(hc.interest, c->InterestNormal());
        EXPECT_EQ(0, c->HotError());
    }
}

// One rule for the restart in the tax stream, the penalty stream and the
// penalty-interest loop: 100,000 of tax and a user penalty of 100,000, both
// 1 January 1995, computed to 1 January 2002; interest r(days, rate) =
// 100,000 x rate x days / 365, rounded. The 1997 stop applies only to hot
// interest that started on or before 31 December 1997 and a restart only
// after the stop; other restart dates change nothing and flag HotError.
//   start 1 June 1995, hot to the end:  r(151,10) + r(2406,12) = 4,137 + 79,101
//   the same, stopped 31 Dec 1997 and restarted 1 Jan 2000:
//     r(151,10) + r(944,12) + r(731,10) + r(731,12) = 4,137 + 31,036 + 20,027 + 24,033
//   start 1 June 1998, hot to the end: r(1247,10) + r(1310,12) = 34,164 + 43,068
TEST(HotInterest, RestartRuleIsTheSameInEveryLoop)
{
    const double early = 4137 + 79101, earlyRestarted = 4137 + 31036 + 20027 + 24033, late = 34164 + 43068;
    struct Row {
        Date start, restart;
        int option;
        double interest;
        int hotError;
    } rows[] = {
        {Date(6, 1, 1995), Date(1, 1, 2000), 0, early, 0},
        {Date(6, 1, 1995), Date(1, 1, 2000), 1, earlyRestarted, 0},
        {Date(6, 1, 1995), Date(6, 1, 1997), 0, early, 0},
        {Date(6, 1, 1995), Date(6, 1, 1997), 1, early, 1},
        {Date(6, 1, 1998), Date(1, 1, 2000), 0, late, 0},
        {Date(6, 1, 1998), Date(1, 1, 2000), 1, late, 1},
        {Date(6, 1, 1998), Date(6, 1, 1997), 0, late, 0},
        {Date(6, 1, 1998), Date(6, 1, 1997), 1, late, 1},
    };
    for (const Row& row : rows) {
        char what[64];
        std::snprintf(what, sizeof what, "start %d, restart %d, option %d", row.start.Year() + 1900,
                      row.restart.Year() + 1900, row.option);
        SCOPED_TRACE(what);
        Account a;
        a.Add(kEventTax, Date(1, 1, 1995), 100000);
        a.Add(kEventUserPenalty, Date(1, 1, 1995), 100000);
        a.options().hot = 1;
        a.options().hotApplicable = row.start;
        a.options().hotRestart = row.option;
        a.options().hotApplicable2 = row.restart;
        const Date through(1, 1, 2002);
        auto c = a.Compute(through);
        EXPECT_DOUBLE_EQ(row.interest, c->InterestNormal());
        EXPECT_DOUBLE_EQ(row.interest, c->InterestPenalty());
        EXPECT_DOUBLE_EQ(row.interest, c->PenaltyInterest(100000, 0, Date(1, 1, 1995), through, 0, kPenalty6653a));
        EXPECT_EQ(row.hotError, c->HotError());
    }
}

TEST(HotInterest, ComputationThroughJanuary1991GetsNoneAndTheFooter)
{
    Account a;
    a.Add(kEventTax, Date(1, 1, 1991), 100000);
    a.options().hot = 1;
    a.options().hotApplicable = Date(1, 1, 1991);
    auto c = a.Compute(Date(1, 31, 1991));
    EXPECT_FALSE(c->Get6621cDate().isValid());
    EXPECT_STREQ("R6621CF.DM", c->PenFooter(kPenalty6621c));
    EXPECT_DOUBLE_EQ(822, c->InterestNormal());  // 30 days at 10 %: 821.92
}

TEST(Gatt, NormalizeNetsTheTwoPrincipals)
{
    struct Row {
        double gatt, normal, gattAfter, normalAfter;
    };
    const Row rows[] = {
        {-500000, 200000, -300000, 0},
        {-500000, 700000, 0, 200000},
        {100000, 50000, 0, 150000},   // the GATT part only ever holds an overpayment
        {-500000, -200000, -500000, -200000},
    };
    for (const Row& r : rows) {
        CQRTCompute c;
        c.m_gattPrincipal = r.gatt;
        c.m_normalPrincipal = r.normal;
        c.NormalizeGATT();
        EXPECT_DOUBLE_EQ(r.gattAfter, c.m_gattPrincipal);
        EXPECT_DOUBLE_EQ(r.normalAfter, c.m_normalPrincipal);
    }
}

// Tax of $10,000 on 15 April 1999 overpaid by $20,000: with a GATT
// threshold of $10,000, $10,000 of the overpayment earns the refund rate and
// the other $10,000 the GATT rate. Through 15 April 2000 (366 days), with one
// payment:
//   refund interest  -1,000,000 x 8 %   x 366 / 365 = -80,219.18
//   GATT interest    -1,000,000 x 6.5 % x 366 / 365 = -65,178.08
// Split over two payments the threshold is used up by the first one's whole
// tax part, which is why the computation warns about GATT interest with more
// than one payment.
TEST(Gatt, OneOrTwoPaymentsWithGattInterest)
{
    struct Row {
        int payments;
        int warning;
    };
    for (const Row& row : {Row{1, 0}, Row{2, 1}}) {
        Account a;
        a.Add(kEventTax, Date(4, 15, 1999), 1000000);
        for (int i = 0; i < row.payments; ++i)
            a.Add(kEventPayment, Date(4, 15, 1999), 3000000 / row.payments);
        a.options().gatt = 1;
        a.options().gattThreshold = 1000000;
        int ran = 0;
        auto c = a.Compute(Date(4, 15, 2000), &ran);
        ASSERT_EQ(1, ran);
        if (row.payments == 1) {
            EXPECT_DOUBLE_EQ(-65178, c->InterestGATT());
            EXPECT_DOUBLE_EQ(-80219, c->InterestRefund());
        }
        EXPECT_LT(c->InterestGATT(), 0);
        EXPECT_EQ(row.warning, c->GattDoublePayment());
    }
}

}  // namespace
