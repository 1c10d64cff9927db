// Failure to pay the tax shown (slot 1) and an assessment (slot 2) on
// accounts computed through MainCompute: the monthly rates, the 25 % cap,
// the grace period of an assessment notice, and the second regulation
// example.
#include <vector>

#include <gtest/gtest.h>

#include "PenaltyAccount.h"

namespace {

using penaltytest::Account;

std::vector<const F2Fs*> Pieces(const F2Fs* head)
{
    std::vector<const F2Fs*> out;
    for (; head != nullptr; head = head->m_next) out.push_back(head);
    return out;
}

// $1,000 of tax shown, due 15 April, never paid.
Account& ShownUnpaid(Account& a, Date due)
{
    a.Add(kEventTax, due, 100000);
    Penalties& p = a.Enable(kPenalty6651a2);
    p.m_dates[0] = due;
    p.m_amounts[0] = 100000;
    return a;
}

TEST(FailureToPay, CapOfTwentyFivePercentStillCountsTheMonths)
{
    Account a;
    ShownUnpaid(a, Date(4, 15, 2015));
    auto c = a.Compute(Date(4, 15, 2021));
    // 50 months of 0.5 % reach 25 %: 50 pieces of 500; the walk goes on to
    // the computation date, 72 months from 15 April 2015.
    EXPECT_EQ(50u, Pieces(c->GetFPSBase()).size());
    EXPECT_DOUBLE_EQ(72, c->GetPenalty(kPenalty6651a2)->m_value);
    EXPECT_DOUBLE_EQ(25000, c->TotalPenalty(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(25000, c->PenaltyMaximum(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(25000, c->RealPenalty(kPenalty6651a2));
}

TEST(FailureToPay, LevyNoticeRaisesAndInstallmentAgreementLowersTheRate)
{
    {
        // Levy notice 1 March 2016: months starting on or after 11 March use
        // 1 %. 15 April 2015 to 15 February 2016: 11 x 500 = 5,500; 15 March
        // to 15 June 2016: 4 x 1,000 = 4,000.
        Account a;
        ShownUnpaid(a, Date(4, 15, 2015)).Enable(kPenalty6651a2).m_dates[5] = Date(3, 1, 2016);
        auto c = a.Compute(Date(7, 15, 2016));
        const auto pieces = Pieces(c->GetFPSBase());
        ASSERT_EQ(15u, pieces.size());
        EXPECT_EQ(1, pieces[10]->m_rateCode);  // 15 February 2016
        EXPECT_EQ(Date(3, 15, 2016), pieces[11]->m_monthStart);
        EXPECT_EQ(3, pieces[11]->m_rateCode);
        EXPECT_DOUBLE_EQ(1000, pieces[11]->m_amount);
        EXPECT_DOUBLE_EQ(9500, c->RealPenalty(kPenalty6651a2));
    }
    {
        // A timely filed return under an installment agreement from
        // 1 February 2001 (no reinstate date): months starting after it use
        // 0.25 %. 15 April 2000 to 15 January 2001: 10 x 500 = 5,000;
        // 15 February to 15 June 2001: 5 x 250 = 1,250. The maximum ignores
        // the agreement: 50 months of 0.5 % = 25,000.
        Account a;
        Penalties& p = ShownUnpaid(a, Date(4, 15, 2000)).Enable(kPenalty6651a2);
        p.SetFlag(kPenaltyTimely, 1);
        p.m_dates[8] = Date(2, 1, 2001);
        auto c = a.Compute(Date(7, 15, 2001));
        const auto pieces = Pieces(c->GetFPSBase());
        ASSERT_EQ(15u, pieces.size());
        EXPECT_EQ(1, pieces[9]->m_rateCode);   // 15 January 2001
        EXPECT_EQ(0, pieces[10]->m_rateCode);  // 15 February 2001
        EXPECT_DOUBLE_EQ(250, pieces[10]->m_amount);
        EXPECT_DOUBLE_EQ(6250, c->TotalPenalty(kPenalty6651a2));
        EXPECT_DOUBLE_EQ(25000, c->PenaltyMaximum(kPenalty6651a2));
        EXPECT_DOUBLE_EQ(6250, c->RealPenalty(kPenalty6651a2));
    }
}

TEST(FailureToPay, StartDateBeforeTheTaxDueDateComputesNeitherPenalty)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2016), 100000);
    Penalties& shown = a.Enable(kPenalty6651a2);
    shown.m_dates[0] = Date(4, 15, 2015);
    shown.m_amounts[0] = 100000;
    Penalties& file = a.Enable(kPenalty6651a1);
    file.m_dates[0] = Date(4, 15, 2016);
    file.m_dates[2] = Date(10, 1, 2016);
    file.m_amounts[0] = 100000;
    auto c = a.Compute(Date(1, 1, 2017));
    EXPECT_DOUBLE_EQ(0, c->RealPenalty(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(0, c->RealPenalty(kPenalty6651a1));
    EXPECT_EQ(7, c->CheckPenaltyDates(kPenalty6651a2));
}

// An assessment of $1,000 noticed on 2 February 1998: the penalty starts 21
// days after the notice (23 February), or 14 days with the short-grace bit
// (16 February); before 1997 it starts 10 days after. Paid in full on
// 20 February: within the 21 days nothing is due; after 14 days one month
// of 0.5 % (500) is. The last day of the grace period still counts as paid
// within it: in full on 23 February (21 days) or 16 February (14 days),
// nothing is due.
TEST(FailureToPay, AssessmentGracePeriodOfTwentyOneOrFourteenDays)
{
    struct Row {
        Date notice;
        int shortGrace;
        Date start;
        Date payment;   // payment of the whole assessment, or none
        double real;
    };
    const Row rows[] = {
        {Date(2, 2, 1998), 0, Date(2, 23, 1998), Date(), 2000},
        {Date(2, 2, 1998), 1, Date(2, 16, 1998), Date(), 2000},
        {Date(2, 2, 1996), 0, Date(2, 12, 1996), Date(), 2000},
        {Date(2, 2, 1998), 0, Date(), Date(2, 20, 1998), 0},
        {Date(2, 2, 1998), 1, Date(2, 16, 1998), Date(2, 20, 1998), 500},
        {Date(2, 2, 1998), 0, Date(), Date(2, 23, 1998), 0},
        {Date(2, 2, 1998), 1, Date(), Date(2, 16, 1998), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        Account a;
        const Date tax(4, 15, row.notice.Year() + 1900 - 1);
        a.Add(kEventTax, tax, 100000);
        if (row.payment.isValid()) a.Add(kEventPayment, row.payment, 100000);
        Penalties& p = a.Enable(kPenalty6651a3);
        p.m_dates[0] = row.notice;
        p.m_amounts[0] = 100000;
        p.m_graceMask = static_cast<uint16_t>(row.shortGrace);
        // Four months from the start: 16 or 23 February to 16 or 23 June.
        auto c = a.Compute(row.notice.AddMonths(4).AddDays(5));
        const auto pieces = Pieces(c->GetFPABase());
        if (!row.start.isValid()) {
            EXPECT_TRUE(pieces.empty());
        } else {
            ASSERT_FALSE(pieces.empty());
            EXPECT_EQ(1, pieces[0]->m_first);
            EXPECT_EQ(row.start, pieces[0]->m_monthStart);
            EXPECT_DOUBLE_EQ(0, pieces[0]->m_amount);
        }
        EXPECT_DOUBLE_EQ(row.real, c->RealPenalty(kPenalty6651a3));
    }
}

// Payments first pay what is left of the tax shown; only beyond it do they
// pay the assessment. $10,000 of tax shown due 15 April 2020 is paid late,
// on 1 June 2020; $5,000 more is assessed on 1 March 2022 (penalty from
// 22 March) and paid on 1 May 2022 with the interest and penalties owed
// (700,000 in all, less than the tax shown). The tax shown was paid before the
// assessment's penalty began, so the May payment pays the assessment:
//   22 March 2022 month: 0.5 % x 500,000 = 2,500
//   22 April 2022 month: 0.5 % x 500,000 = 2,500 (paid in the window to 24 May)
//   22 May 2022 month:   nothing left, a zero piece; none after.
// 5,000 in all, where counting the May payment against the tax shown again
// would leave the assessment unpaid for 50 months (125,000).
TEST(FailureToPay, AssessmentPaidAfterTheTaxShownWasPaidLate)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2020), 1500000);
    a.Add(kEventPayment, Date(6, 1, 2020), 1000000);
    a.Add(kEventPayment, Date(5, 1, 2022), 700000);
    Penalties& shown = a.Enable(kPenalty6651a2);
    shown.m_dates[0] = Date(4, 15, 2020);
    shown.m_amounts[0] = 1000000;
    Penalties& assessed = a.Enable(kPenalty6651a3);
    assessed.m_dates[0] = Date(3, 1, 2022);
    assessed.m_amounts[0] = 500000;
    auto c = a.Compute(Date(3, 1, 2026));

    const auto pieces = Pieces(c->GetFPABase());
    ASSERT_EQ(4u, pieces.size());  // the grace-start marker and three months
    EXPECT_EQ(Date(3, 22, 2022), pieces[1]->m_monthStart);
    EXPECT_DOUBLE_EQ(2500, pieces[1]->m_amount);
    EXPECT_DOUBLE_EQ(2500, pieces[2]->m_amount);
    EXPECT_DOUBLE_EQ(0, pieces[3]->m_amount);
    EXPECT_DOUBLE_EQ(5000, c->TotalPenalty(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(5000, c->PenaltyMaximum(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(5000, c->RealPenalty(kPenalty6651a3));
}

// A second assessment raises the maximum with the balance: $1,000 assessed
// on 1 July 2016 (penalty from 22 July) and another $1,000 on 1 July 2017.
// 12 months of 0.5 % on 100,000 (6,000), then 38 months on 200,000 (38,000)
// until the 25 % of 50 months is reached: 44,000, within 25 % of the
// 200,000 assessed.
TEST(FailureToPay, LaterAssessmentRaisesTheMaximum)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2015), 200000);
    Penalties& p = a.Enable(kPenalty6651a3);
    p.m_dates[0] = Date(7, 1, 2016);
    p.m_amounts[0] = 100000;
    p.m_dates[1] = Date(7, 1, 2017);
    p.m_amounts[1] = 100000;
    auto c = a.Compute(Date(7, 1, 2030));
    EXPECT_DOUBLE_EQ(44000, c->PenaltyMaximum(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(44000, c->TotalPenalty(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(0, c->TotalPenalty2(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(44000, c->RealPenalty(kPenalty6651a3));
    // The twelve months before the second notice are assessed at it.
    EXPECT_DOUBLE_EQ(6000, c->PenaltyAddedAmt(kPenalty6651a3));
}

// The account of the regulation example below: a $200 deficiency on a
// return due 15 April 1985, filed 10 August 1985, assessed with notice and
// demand on 1 July 1986. Returns the assessment's record.
Penalties& RegulationExample(Account& a)
{
    const Date due(4, 15, 1985);
    a.Add(kEventTax, due, 20000);
    Penalties& file = a.Enable(kPenalty6651a1);
    file.m_dates[0] = due;
    file.m_dates[2] = Date(8, 10, 1985);
    file.m_amounts[0] = 20000;
    Penalties& assessed = a.Enable(kPenalty6651a3);
    assessed.m_dates[0] = Date(7, 1, 1986);
    assessed.m_amounts[0] = 20000;
    return assessed;
}

// Regulation example: a deficiency of $200 on a return due 15 April 1985 and
// filed 3 months and 26 days late is assessed; notice and demand on 1 July
// 1986, unpaid for 12 months after the 10-day grace. Failure to pay the
// assessment: 12 x 0.5 % x $200 = $12. For returns due before 1987 its
// maximum, 25 % of $200 = $50, is reduced by the failure to file on the same
// deficiency, 4 x 5 % x $200 = $40, so the penalty is limited to $10.
TEST(FailureToPay, RegulationExampleTwelveDollarsLimitedToTen)
{
    Account a;
    RegulationExample(a);

    int ran = 0;
    auto c = a.Compute(Date(7, 11, 1987), &ran);
    ASSERT_EQ(1, ran);

    const auto pieces = Pieces(c->GetFPABase());
    ASSERT_EQ(13u, pieces.size());  // the grace-start marker and 12 months
    EXPECT_EQ(Date(7, 11, 1986), pieces[0]->m_monthStart);
    for (size_t i = 1; i < pieces.size(); ++i) EXPECT_DOUBLE_EQ(100, pieces[i]->m_amount);
    EXPECT_EQ(Date(6, 11, 1987), pieces[12]->m_monthStart);

    EXPECT_DOUBLE_EQ(20000, c->MaximumBase(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(20000, c->GetBaseAmount(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(1200, c->TotalPenalty(kPenalty6651a3));     // $12
    EXPECT_DOUBLE_EQ(0, c->TotalPenalty2(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(5000, c->PenaltyMaximum(kPenalty6651a3));   // $50
    EXPECT_DOUBLE_EQ(4000, c->Reduction(kPenalty6651a3));        // $40
    EXPECT_DOUBLE_EQ(1000, c->Reduction2(kPenalty6651a3));       // $10
    EXPECT_DOUBLE_EQ(1000, c->RealPenalty(kPenalty6651a3));      // $10
    EXPECT_STREQ("R6651A3H.DM", c->PenHeader(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(0, c->PenaltyAddedAmt(kPenalty6651a3));  // no later notice
    // The failure to file of the return itself stands: 4 x 5 % x $200.
    EXPECT_DOUBLE_EQ(4000, c->RealPenalty(kPenalty6651a1));
    EXPECT_DOUBLE_EQ(4000, c->PenaltyAddedAmt(kPenalty6651a1));
}

// The same account with a second notice on 1 June 1987: the eleven months
// before it (1,100) would be assessed there, but no more than the $10 that
// counts is.
TEST(FailureToPay, AssessedNeverExceedsThePenaltyThatCounts)
{
    Account a;
    Penalties& assessed = RegulationExample(a);
    assessed.m_dates[1] = Date(6, 1, 1987);
    auto c = a.Compute(Date(7, 11, 1987));
    EXPECT_DOUBLE_EQ(1000, c->RealPenalty(kPenalty6651a3));
    EXPECT_DOUBLE_EQ(1000, c->PenaltyAddedAmt(kPenalty6651a3));
    EXPECT_EQ(Date(6, 1, 1987), c->PenaltyAddedDate(kPenalty6651a3));
}

}  // namespace
