// The penalty stream on accounts computed through MainCompute: assessments
// paid within their grace period earn no interest, those paid later earn it
// from the assessment date, user penalties from their own date, and the
// 6621(c) periods split the stream.
//
// The test table accrues simple interest at 10 % a year over 365 days, 12 %
// while 6621(c) interest applies: interest = balance x rate x days / 365,
// rounded to the cent.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "PenaltyAccount.h"
#include "compute/PenaltyStreamKinds.h"

namespace {

using penaltytest::Account;

// One expected penalty-interest period: its end and kind, and its hot flag
// and interest where the test states them (-1: not checked).
struct StreamPeriod {
    Date end;
    int kind;
    int hot = -1;
    double interest = -1;
};

// The penalty-interest periods from head are exactly the expected ones.
void ExpectStream(const ComputeResults* head, std::initializer_list<StreamPeriod> expected)
{
    std::string actual = "periods:";
    for (const ComputeResults* p = head; p != nullptr; p = p->m_next) {
        char end[16] = "";
        p->m_end.ToString(end, 1);
        actual += std::string(" ") + end + "/" + std::to_string(p->m_kind) + "/" + std::to_string(p->m_interest);
    }
    SCOPED_TRACE(actual);
    const ComputeResults* r = head;
    for (const StreamPeriod& p : expected) {
        ASSERT_NE(nullptr, r);
        EXPECT_EQ(p.end, r->m_end);
        EXPECT_EQ(p.kind, r->m_kind);
        if (p.hot >= 0) {
            EXPECT_EQ(p.hot, r->m_hot);
        }
        if (p.interest >= 0) {
            EXPECT_DOUBLE_EQ(p.interest, r->m_interest);
        }
        r = r->m_next;
    }
    EXPECT_EQ(nullptr, r);
}

// Tax shown of $1,000 due 15 April 2015 and never paid, with a notice on
// 1 March 2016: the eleven months of 0.5 % before it (5,500) are assessed on
// 1 March 2016. A payment of 5,500 designated to the penalty (category 7)
// pays it.
TEST(PenaltyStream, NoticePaidWithinItsGraceEarnsNoInterest)
{
    struct Row {
        Date paid;
        double interest;  // penalty interest through 30 April 2016
    };
    const Row rows[] = {
        {Date(3, 5, 2016), 0},    // within 21 days of the notice
        {Date(3, 30, 2016), 44},  // 5,500 x 10 % x 29 / 365 = 43.70
    };
    for (const Row& row : rows) {
        Account a;
        a.Add(kEventTax, Date(4, 15, 2015), 100000);
        a.Add(kEventPayment, row.paid, 5500, kCategoryFirstPenalty + 1, 5500);
        Penalties& p = a.Enable(kPenalty6651a2);
        p.m_dates[0] = Date(4, 15, 2015);
        p.m_dates[1] = Date(3, 1, 2016);
        p.m_amounts[0] = 100000;

        int ran = 0;
        auto c = a.Compute(Date(4, 30, 2016), &ran);
        ASSERT_EQ(1, ran);
        EXPECT_DOUBLE_EQ(5500, c->PenaltyAddedAmt(kPenalty6651a2));
        EXPECT_EQ(Date(3, 1, 2016), c->PenaltyAddedDate(kPenalty6651a2));
        EXPECT_DOUBLE_EQ(5500, c->GetEvent(1)->m_allocation->m_payment[kCategoryFirstPenalty + 1]);
        EXPECT_DOUBLE_EQ(row.interest, c->InterestPenalty());
        EXPECT_EQ(0, c->PaymentPenaltyError());
        if (row.interest > 0) {
            const ComputeResults* r = c->PenaltyBase();
            ASSERT_NE(nullptr, r);
            EXPECT_EQ(Date(3, 1, 2016), r->m_start);
            EXPECT_EQ(penalty::kStreamKindSlotBase + kPenalty6651a2, r->m_kind);
            EXPECT_DOUBLE_EQ(5500, r->m_amount);
            ASSERT_NE(nullptr, r->m_next);
            EXPECT_EQ(Date(3, 30, 2016), r->m_next->m_end);
            EXPECT_DOUBLE_EQ(5500, r->m_next->m_paid);
            EXPECT_DOUBLE_EQ(5500, c->PenaltyPaid(kPenalty6651a2));
        }
    }
}

// The grace of a failure-to-pay notice follows that notice's own bit: notice
// 1 of slot 1 is grace bit 0. With it, 14 days (to 15 March 2016), so a
// payment on 18 March is late: 5,500 x 10 % x 17 / 365 = 25.62. Without it,
// 21 days, and the same payment clears the notice.
TEST(PenaltyStream, NoticeGraceFollowsItsOwnBit)
{
    for (int shortGrace : {1, 0}) {
        Account a;
        a.Add(kEventTax, Date(4, 15, 2015), 100000);
        a.Add(kEventPayment, Date(3, 18, 2016), 5500, kCategoryFirstPenalty + 1, 5500);
        Penalties& p = a.Enable(kPenalty6651a2);
        p.m_dates[0] = Date(4, 15, 2015);
        p.m_dates[1] = Date(3, 1, 2016);
        p.m_amounts[0] = 100000;
        p.m_graceMask = static_cast<uint16_t>(shortGrace);
        auto c = a.Compute(Date(4, 30, 2016));
        EXPECT_DOUBLE_EQ(shortGrace ? 26 : 0, c->InterestPenalty());
    }
}

// An assessment of slot 2 dated 2 February 1998 whose notice has the short
// grace period: 14 days, so a payment on 16 February clears it and one on
// 17 February does not (2,000 x 10 % x 15 / 365 = 8.22).
TEST(PenaltyStream, ShortGraceOfAnAssessmentNoticeIsFourteenDays)
{
    struct Row {
        Date paid;
        double interest;
    };
    const Row rows[] = {{Date(2, 16, 1998), 0}, {Date(2, 17, 1998), 8}};
    for (const Row& row : rows) {
        Account a;
        a.Add(kEventTax, Date(4, 15, 1997), 100000);
        a.Add(kEventPayment, row.paid, 2000, kCategoryFirstPenalty + 2, 2000);
        Penalties& p = a.Enable(kPenalty6651a3);
        // First notice 1 October 1997 (21-day grace: the penalty runs from
        // 22 October); its months 22 October to 22 January, 4 x 500, are
        // assessed at the second notice, 2 February 1998.
        p.m_dates[0] = Date(10, 1, 1997);
        p.m_amounts[0] = 100000;
        p.m_dates[1] = Date(2, 2, 1998);
        p.m_graceMask = 1u << 1;

        auto c = a.Compute(Date(6, 1, 1998));
        EXPECT_DOUBLE_EQ(2000, c->PenaltyAddedAmt(kPenalty6651a3));
        EXPECT_EQ(Date(2, 2, 1998), c->PenaltyAddedDate(kPenalty6651a3));
        EXPECT_DOUBLE_EQ(row.interest, c->InterestPenalty());
    }
}

// 6662(c) of 20 % on 1,000,000 (200,000) assessed at the return due date,
// 15 April 2021, with a payment that same day of the tax and part or all of
// the penalty. The payment counts once: a part payment leaves the rest to
// earn interest for the year to 15 April 2022 (365 days at 10 %).
TEST(PenaltyStream, PaymentOnTheAssessmentDayCountsOnce)
{
    struct Row {
        double toPenalty;
        double interest;
    };
    const Row rows[] = {
        {100000, 10000},  // 100,000 left x 10 % x 365 / 365
        {200000, 0},      // paid in full within the grace period
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.toPenalty);
        Account a;
        a.Add(kEventTax, Date(4, 15, 2021), 1000000);
        const int category = kCategoryFirstPenalty + static_cast<int>(kPenalty6662c);
        a.Add(kEventPayment, Date(4, 15, 2021), 1000000 + row.toPenalty, category, row.toPenalty);
        Penalties& p = a.Enable(kPenalty6662c);
        p.m_dates[0] = Date(4, 15, 2021);
        p.m_amounts[0] = 1000000;
        auto c = a.Compute(Date(4, 15, 2022));
        ASSERT_DOUBLE_EQ(row.toPenalty, c->GetEvent(1)->m_allocation->m_payment[category]);
        EXPECT_DOUBLE_EQ(200000, c->RealPenalty(kPenalty6662c));
        EXPECT_DOUBLE_EQ(row.interest, c->InterestPenalty());
    }
}

// The first notice (5,500 on 1 March 2016) is paid on 5 March, within its
// grace; the second notice of 1 June 2016 assesses the next three months,
// 3 x 500 = 1,500, and is not paid. Only those 1,500 earn interest, from
// 1 June to 1 July: 1,500 x 10 % x 30 / 365 = 12.33.
TEST(PenaltyStream, NoticePaidInGraceDoesNotWeighOnALaterNotice)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2015), 100000);
    a.Add(kEventPayment, Date(3, 5, 2016), 5500, kCategoryFirstPenalty + 1, 5500);
    Penalties& p = a.Enable(kPenalty6651a2);
    p.m_dates[0] = Date(4, 15, 2015);
    p.m_dates[1] = Date(3, 1, 2016);
    p.m_dates[2] = Date(6, 1, 2016);
    p.m_amounts[0] = 100000;
    auto c = a.Compute(Date(7, 1, 2016));
    EXPECT_DOUBLE_EQ(5500 + 1500, c->PenaltyAddedAmt(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(12, c->InterestPenalty());
    const ComputeResults* r = c->PenaltyBase();
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(Date(6, 1, 2016), r->m_start);
    EXPECT_DOUBLE_EQ(1500, r->m_amount);
    EXPECT_DOUBLE_EQ(1500, r->m_balance);
}

// Payments designated to a 6662(c) penalty before its assessment are its
// credit and pay it when it is assessed. 20 % of a $10,000 underpayment,
// 200,000, assessed 15 April 2021; computed to 15 April 2022 (365 days at
// 10 %).
//  - 50,000 paid on 1 March 2021: interest on 150,000 only, 15,000.00.
//  - a user penalty of 10,000 on 1 February 2021 starts the stream first, so
//    the payments of 1 March (50,000) and 1 April (30,000) pass through it
//    while nothing is assessed and each adds to the credit once (80,000):
//      1 Feb - 1 Mar, 28 days on 10,000:    76.71 ->     77
//      1 Mar - 1 Apr, 31 days on 10,000:    84.93 ->     85
//      1 Apr - 15 Apr, 14 days on 10,000:   38.36 ->     38
//      15 Apr 21 - 15 Apr 22 on 10,000 + 120,000:      13,000
TEST(PenaltyStream, CreditPaidBeforeTheAssessmentPaysItWhenAssessed)
{
    struct Payment {
        Date date;
        double cents;
    };
    struct Row {
        const char* what;
        double userPenalty;  // on 1 February 2021, 0 for none
        std::vector<Payment> payments;
        double paid;       // PenaltyPaid of the slot
        double interest;   // penalty interest to 15 April 2022
    };
    const Row rows[] = {
        {"one payment before", 0, {{Date(3, 1, 2021), 50000}}, 50000, 15000},
        {"two payments inside the stream", 10000, {{Date(3, 1, 2021), 50000}, {Date(4, 1, 2021), 30000}}, 80000,
         77 + 85 + 38 + 13000},
    };
    const int category = kCategoryFirstPenalty + static_cast<int>(kPenalty6662c);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Account a;
        if (row.userPenalty > 0) a.Add(kEventUserPenalty, Date(2, 1, 2021), row.userPenalty);
        for (const Payment& pay : row.payments) a.Add(kEventPayment, pay.date, pay.cents, category, pay.cents);
        a.Add(kEventTax, Date(4, 15, 2021), 1000000);
        Penalties& p = a.Enable(kPenalty6662c);
        p.m_dates[0] = Date(4, 15, 2021);
        p.m_amounts[0] = 1000000;
        auto c = a.Compute(Date(4, 15, 2022));
        ASSERT_DOUBLE_EQ(200000, c->RealPenalty(kPenalty6662c));
        EXPECT_DOUBLE_EQ(row.paid, c->PenaltyPaid(kPenalty6662c));
        EXPECT_DOUBLE_EQ(row.interest, c->InterestPenalty());
        EXPECT_EQ(0, c->PaymentPenaltyError());
    }
}

// A payment designated to the penalty beyond what has been assessed: 6,000
// on 30 March 2016 pays the 5,500 assessed on 1 March; the other 500 (the
// month not assessed yet) is carried as credit and flagged.
TEST(PenaltyStream, PaymentBeyondTheAssessedPenaltyIsFlagged)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2015), 100000);
    a.Add(kEventPayment, Date(3, 30, 2016), 6000, kCategoryFirstPenalty + 1, 6000);
    Penalties& p = a.Enable(kPenalty6651a2);
    p.m_dates[0] = Date(4, 15, 2015);
    p.m_dates[1] = Date(3, 1, 2016);
    p.m_amounts[0] = 100000;
    auto c = a.Compute(Date(4, 30, 2016));
    EXPECT_DOUBLE_EQ(6000, c->GetEvent(1)->m_allocation->m_payment[kCategoryFirstPenalty + 1]);
    EXPECT_DOUBLE_EQ(5500, c->PenaltyPaid(kPenalty6651a2));
    EXPECT_EQ(1, c->PaymentPenaltyError());
    EXPECT_DOUBLE_EQ(44, c->InterestPenalty());
}

// Tax of 100,000 overpaid by 200,000 on 1 February 2016, then a user
// penalty on 1 June: the penalty is owed while a refund is due.
TEST(PenaltyStream, PenaltyOwedDuringARefundIsFlagged)
{
    for (int overpaid : {0, 1}) {
        Account a;
        a.Add(kEventTax, Date(1, 1, 2016), 100000);
        a.Add(kEventPayment, Date(2, 1, 2016), overpaid ? 300000 : 50000);
        a.Add(kEventUserPenalty, Date(6, 1, 2016), 10000);
        auto c = a.Compute(Date(7, 1, 2016));
        EXPECT_EQ(overpaid, c->RefundAndPenalty());
    }
}

// A rate change and a payment on the same day: the rate change ends the
// period, the payment follows in a period of its own. A user penalty of
// 10,000 on 1 June 2016; the rate goes from 10 % to 20 % on 1 July 2016 (the
// first table period ends on 30 June); 5,000 paid to it on 30 June.
//   1 Jun - 30 Jun, 29 days at 10 % on 10,000: 79.45 -> 79
//   30 Jun - 31 Jul, 31 days at 20 % on 5,000:  84.93 -> 85
TEST(PenaltyStream, RateChangeComesBeforeAPaymentOfTheSameDay)
{
    Account a({{Date(1, 1, 1980), 1, 10, 12, 8, 365}, {Date(7, 1, 2016), 1, 20, 22, 8, 365}});
    a.Add(kEventTax, Date(4, 15, 2016), 100000);
    a.Add(kEventUserPenalty, Date(6, 1, 2016), 10000);
    a.Add(kEventPayment, Date(6, 30, 2016), 5000, kCategoryUserPenalties, 5000);
    auto c = a.Compute(Date(7, 31, 2016));
    EXPECT_DOUBLE_EQ(79 + 85, c->InterestPenalty());
    // The user penalty's own event ends a period of no length after its
    // assessment: every event ends a period.
    ExpectStream(c->PenaltyBase(), {{Date(6, 1, 2016), kEventUserPenalty},
                                    {Date(6, 1, 2016), kEventUserPenalty, -1, 0},
                                    {Date(6, 30, 2016), kEventRateChange, -1, 79},
                                    {Date(6, 30, 2016), kEventPayment, -1, 0},
                                    {Date(7, 31, 2016), kEventFinal, -1, 85}});
    const ComputeResults* payment = c->PenaltyBase()->m_next->m_next->m_next;
    EXPECT_DOUBLE_EQ(5000, payment->m_paid);
}

TEST(PenaltyStream, UserPenaltyEarnsInterestFromItsOwnDate)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2016), 100000);
    a.Add(kEventUserPenalty, Date(6, 1, 2016), 10000);
    auto c = a.Compute(Date(7, 1, 2016));
    // 10,000 x 10 % x 30 / 365 = 82.19.
    EXPECT_DOUBLE_EQ(82, c->InterestPenalty());
    const ComputeResults* r = c->PenaltyBase();
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(Date(6, 1, 2016), r->m_start);
    EXPECT_EQ(kEventUserPenalty, r->m_kind);
    EXPECT_EQ(1, r->m_event);
    EXPECT_DOUBLE_EQ(10000, r->m_amount);
    // A second stream over the same computation gives the same interest.
    EXPECT_EQ(1, c->PenaltyStream(Date(7, 1, 2016), 0));
    EXPECT_DOUBLE_EQ(82, c->InterestPenalty());
}

// With month ends (the monthly accrual of the reports) every month end
// breaks the stream: 10,000 from 15 June 2016 to 15 August 2016 is
// 15 days (41.10), 31 days (84.93) and 15 days (41.10) at 10 %.
TEST(PenaltyStream, MonthEndsBreakTheStream)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2016), 100000);
    a.Add(kEventUserPenalty, Date(6, 15, 2016), 10000);
    auto c = a.Compute(Date(8, 15, 2016));
    ASSERT_EQ(1, c->PenaltyStream(Date(8, 15, 2016), 1));
    EXPECT_DOUBLE_EQ(41 + 85 + 41, c->InterestPenalty());
    ExpectStream(c->PenaltyBase(), {{Date(6, 15, 2016), kEventUserPenalty},
                                    {Date(6, 15, 2016), kEventUserPenalty},
                                    {Date(6, 30, 2016), kEventMonthEnd},
                                    {Date(7, 31, 2016), kEventMonthEnd},
                                    {Date(8, 15, 2016), kEventFinal}});
}

// 6621(c) interest that started before the penalty was assessed applies
// from the penalty's own date: 100,000 assessed on 1 January 1996, hot since
// 14 April 1995; 366 days at 12 % = 12,032.88.
TEST(PenaltyStream, HotInterestStartedEarlierAppliesFromTheAssessment)
{
    Account a;
    a.Add(kEventTax, Date(1, 1, 1995), 100000);
    a.Add(kEventUserPenalty, Date(1, 1, 1996), 100000);
    a.options().hot = 1;
    a.options().hot30Day = Date(3, 15, 1995);
    auto c = a.Compute(Date(1, 1, 1997));
    EXPECT_DOUBLE_EQ(12033, c->InterestPenalty());
}

// A user penalty of 100,000 on 1 January 1995 with 6621(c) interest: the
// 30-day letter of 15 March 1995 starts it after 14 April 1995; with the
// restart option it stops after 31 December 1997 and starts again after
// the restart applicable date, 1 July 1998.
//   1 Jan 95 - 14 Apr 95, 103 days at 10 %:  2,821.92 -> 2,822
//   14 Apr 95 - 31 Dec 97, 992 days at 12 %: 32,613.70 -> 32,614
//   31 Dec 97 - 1 Jul 98, 182 days at 10 %:  4,986.30 -> 4,986
//   1 Jul 98 - 1 Jan 99, 184 days at 12 %:   6,049.32 -> 6,049
TEST(PenaltyStream, HotInterestPeriodsSplitTheStream)
{
    Account a;
    a.Add(kEventTax, Date(1, 1, 1995), 100000);
    a.Add(kEventUserPenalty, Date(1, 1, 1995), 100000);
    a.options().hot = 1;
    a.options().hot30Day = Date(3, 15, 1995);
    a.options().hotRestart = 1;
    a.options().hotApplicable2 = Date(7, 1, 1998);
    auto c = a.Compute(Date(1, 1, 1999));
    EXPECT_DOUBLE_EQ(2822 + 32614 + 4986 + 6049, c->InterestPenalty());

    ExpectStream(c->PenaltyBase(), {
        {Date(1, 1, 1995), kEventUserPenalty, 0, 0},
        {Date(1, 1, 1995), kEventTax, 0, 0},
        {Date(1, 1, 1995), kEventUserPenalty, 0, 0},
        {Date(4, 14, 1995), penalty::kStreamKindHotStart, 0, 2822},
        {Date(12, 31, 1997), penalty::kStreamKindHotStop, 1, 32614},
        {Date(7, 1, 1998), penalty::kStreamKindHotStart, 0, 4986},
        {Date(1, 1, 1999), kEventFinal, 1, 6049},
    });
}

// With the restart option, 6621(c) interest that starts after 1997 has no
// 1997 stop to undo: the restart cannot take effect, the computation runs
// as without the option and flags HotError. A user penalty of 100,000 on
// 1 January 1999; start 1 June 2000, restart 1 January 2001:
//   1 Jan 99 - 1 Jun 00, 517 days at 10 %:  14,164.38 -> 14,164
//   1 Jun 00 - 31 Dec 01, 578 days at 12 %: 19,002.74 -> 19,003
TEST(PenaltyStream, HotStartAfter1997IgnoresTheRestartOption)
{
    Account a;
    a.Add(kEventTax, Date(1, 1, 1999), 100000);
    a.Add(kEventUserPenalty, Date(1, 1, 1999), 100000);
    a.options().hot = 1;
    a.options().hotApplicable = Date(6, 1, 2000);
    a.options().hotRestart = 1;
    a.options().hotApplicable2 = Date(1, 1, 2001);
    auto c = a.Compute(Date(12, 31, 2001));
    EXPECT_DOUBLE_EQ(14164 + 19003, c->InterestPenalty());
    EXPECT_EQ(1, c->HotError());

    ExpectStream(c->PenaltyBase(), {
        {Date(1, 1, 1999), kEventUserPenalty, 0},
        {Date(1, 1, 1999), kEventTax, 0},
        {Date(1, 1, 1999), kEventUserPenalty, 0},
        {Date(6, 1, 2000), penalty::kStreamKindHotStart, 0},
        {Date(12, 31, 2001), kEventFinal, 1},
    });
    // The tax's own interest turns hot on the same day and stays hot.
    const ComputeResults* last = c->NormalBase();
    while (last->m_next != nullptr) last = last->m_next;
    EXPECT_EQ(1, last->m_hot);
    EXPECT_EQ(Date(6, 1, 2000), last->m_start);
}

}  // namespace
