// Failure to file (slot 23) on accounts computed through MainCompute: the
// months counted, the 5 % and 15 % (fraud) rates, the minimum penalty of the
// year the return is due, and the first regulation example.
//
// Months: the due date plus one month at a time; a month or part of a month
// counts whole, at most five count.
#include <gtest/gtest.h>

#include "PenaltyAccount.h"

namespace {

using penaltytest::Account;

struct FileCase {
    const char* what;
    Date due, received;
    double base;       // net amount required to be shown, cents
    int fraud, minimum;
    int months;        // counted (at most 5)
    int allMonths;     // months or part months to the received date
    double total;      // before the reduction and the minimum
    double minimumPenalty;
    double real;
};

TEST(FailureToFile, MonthsRatesAndMinimum)
{
    const FileCase cases[] = {
        // 15 Apr, 15 May count; 15 Jun is after 10 Jun. 2 x 5 % x 1,000,000.
        // Received 56 days late: no minimum although the flag is set.
        {"two months, under 60 days", Date(4, 15, 2020), Date(6, 10, 2020), 1000000, 0, 1, 2, 2,
         100000, 0, 100000},
        // Five months of 5 % of 10,000 = 2,500; the 2020 minimum ($435) is
        // limited to the tax required to be shown, 10,000.
        {"minimum limited to the base", Date(4, 15, 2020), Date(9, 15, 2020), 10000, 0, 1, 5, 5,
         2500, 10000, 10000},
        // Fraud: 15 % a month, five months = 75 %; 15 Apr 2019 to 20 Feb 2020
        // is 11 months or part months.
        {"fraud rate", Date(4, 15, 2019), Date(2, 20, 2020), 100000, 1, 0, 5, 11, 75000, 0, 75000},
        // A 2024 return 66 days late: 3 months x 5 % x 50,000 = 7,500, raised
        // to the $485 minimum of 2024 returns.
        {"2024 minimum", Date(4, 15, 2024), Date(6, 20, 2024), 50000, 0, 1, 3, 3, 7500, 48500, 48500},
        // A 2017 return keeps the $205 minimum: 4 x 5,000 = 20,000 -> 20,500.
        {"2017 minimum", Date(4, 18, 2017), Date(8, 1, 2017), 100000, 0, 1, 4, 4, 20000, 20500, 20500},
    };
    for (const FileCase& fc : cases) {
        SCOPED_TRACE(fc.what);
        Account a;
        a.Add(kEventTax, fc.due, fc.base);
        Penalties& p = a.Enable(kPenalty6651a1);
        p.m_dates[0] = fc.due;
        p.m_dates[2] = fc.received;
        p.m_amounts[0] = fc.base;
        p.SetFlag(kPenaltyFraud, fc.fraud);
        p.SetFlag(kPenaltyMinimum, fc.minimum);

        int ran = 0;
        auto c = a.Compute(fc.received.AddMonths(6), &ran);
        ASSERT_EQ(1, ran);
        const Penalties* r = c->GetPenalty(kPenalty6651a1);
        EXPECT_EQ(fc.months, r->m_monthCount);
        EXPECT_DOUBLE_EQ(fc.allMonths, r->m_amounts[1]);
        EXPECT_DOUBLE_EQ(fc.fraud ? 15 : 5, r->m_value);
        EXPECT_DOUBLE_EQ(fc.base, c->GetBaseAmount(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(fc.total, c->TotalPenalty(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(0, c->Reduction(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(fc.minimumPenalty, c->PenaltyMinimum(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(fc.real, c->RealPenalty(kPenalty6651a1));
        // Assessed at the return due date, as much as counts.
        EXPECT_DOUBLE_EQ(fc.real, c->PenaltyAddedAmt(kPenalty6651a1));
        EXPECT_EQ(fc.due, c->PenaltyAddedDate(kPenalty6651a1));
    }
}

// Penalties are computed and assessed in cents whatever the rounding of the
// report, and never come out negative.
TEST(FailureToFile, CentsInWholeDollarModeAndNoNegativePenalty)
{
    {
        // 2 months x 5 % x 12,345 = 1,234.50 -> 1,235 cents, not 1,200.
        Account a;
        a.options().wholeDollars = 1;
        a.Add(kEventTax, Date(4, 15, 2019), 12345);
        Penalties& p = a.Enable(kPenalty6651a1);
        p.m_dates[0] = Date(4, 15, 2019);
        p.m_dates[2] = Date(6, 1, 2019);
        p.m_amounts[0] = 12345;
        auto c = a.Compute(Date(12, 31, 2019));
        EXPECT_DOUBLE_EQ(1235, c->RealPenalty(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(1235, c->PenaltyAddedAmt(kPenalty6651a1));
        EXPECT_EQ(1, c->WholeDollarMode());
    }
    {
        // Failure to file on 10,000 (500 a month) reduced by the failure to
        // pay on 1,000,000 of tax shown (5,000 a month): 2 x 500 - 2 x 5,000
        // is below zero, so the penalty is 0.
        Account a;
        a.Add(kEventTax, Date(4, 15, 2019), 1000000);
        Penalties& file = a.Enable(kPenalty6651a1);
        file.m_dates[0] = Date(4, 15, 2019);
        file.m_dates[2] = Date(6, 1, 2019);
        file.m_amounts[0] = 10000;
        Penalties& shown = a.Enable(kPenalty6651a2);
        shown.m_dates[0] = Date(4, 15, 2019);
        shown.m_amounts[0] = 1000000;
        auto c = a.Compute(Date(12, 31, 2019));
        EXPECT_DOUBLE_EQ(1000, c->TotalPenalty(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(10000, c->Reduction(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(0, c->RealPenalty(kPenalty6651a1));
        EXPECT_DOUBLE_EQ(0, c->PenaltyAddedAmt(kPenalty6651a1));
    }
}

// An account whose tax events carry different dates has no single tax due
// date; the failure to file of the return is still computed (2 months x 5 %
// x 100,000).
TEST(FailureToFile, ComputedWithoutASingleTaxDueDate)
{
    Account a;
    a.Add(kEventTax, Date(4, 15, 2019), 100000);
    a.Add(kEventTax, Date(9, 1, 2020), 20000);
    Penalties& p = a.Enable(kPenalty6651a1);
    p.m_dates[0] = Date(4, 15, 2019);
    p.m_dates[2] = Date(6, 1, 2019);
    p.m_amounts[0] = 100000;
    auto c = a.Compute(Date(12, 31, 2020));
    EXPECT_FALSE(c->TaxDueDate().isValid());
    EXPECT_DOUBLE_EQ(10000, c->RealPenalty(kPenalty6651a1));
}

// Regulation example: a return showing a net amount due of $300 is filed
// 3 months and 26 days late (due 15 April 1985, filed 10 August 1985) and the
// tax is paid with it. Failure to file: 4 months (the part month counts
// whole) x 5 % = 20 % of $300 = $60. Failure to pay the tax shown for the
// same 4 months: 4 x 0.5 % x $300 = $6, which reduces the failure to file
// to $54.
TEST(FailureToFile, RegulationExampleTwentyPercentOnThreeHundredDollars)
{
    Account a;
    const Date due(4, 15, 1985), filed(8, 10, 1985);
    a.Add(kEventTax, due, 30000);
    a.Add(kEventPayment, filed, 30000);
    Penalties& file = a.Enable(kPenalty6651a1);
    file.m_dates[0] = due;
    file.m_dates[2] = filed;
    file.m_amounts[0] = 30000;
    Penalties& shown = a.Enable(kPenalty6651a2);
    shown.m_dates[0] = due;
    shown.m_amounts[0] = 30000;

    int ran = 0;
    auto c = a.Compute(Date(12, 31, 1985), &ran);
    ASSERT_EQ(1, ran);

    // Failure to pay the tax shown: 150 a month for 15 April, May, June and
    // July; the payment on 10 August pays the balance, the month of
    // 15 August gets a zero piece, none after.
    const int pieceMonths[] = {4, 5, 6, 7, 8};
    const double pieceAmounts[] = {150, 150, 150, 150, 0};
    int i = 0;
    for (F2Fs* p = c->GetFPSBase(); p != nullptr; p = p->m_next, ++i) {
        ASSERT_LT(i, 5);
        EXPECT_EQ(Date(pieceMonths[i], 15, 1985), p->m_monthStart);
        EXPECT_DOUBLE_EQ(pieceAmounts[i], p->m_amount);
        EXPECT_EQ(1, p->m_rateCode);  // 0.5 %
    }
    EXPECT_EQ(5, i);
    EXPECT_DOUBLE_EQ(30000, c->GetBaseAmount(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(600, c->TotalPenalty(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(600, c->PenaltyMaximum(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(600, c->RealPenalty(kPenalty6651a2));
    EXPECT_DOUBLE_EQ(9, c->GetPenalty(kPenalty6651a2)->m_value);  // April to December

    const Penalties* r = c->GetPenalty(kPenalty6651a1);
    EXPECT_EQ(4, r->m_monthCount);
    EXPECT_DOUBLE_EQ(4, r->m_amounts[1]);
    EXPECT_DOUBLE_EQ(5, r->m_value);
    EXPECT_DOUBLE_EQ(30000, c->GetBaseAmount(kPenalty6651a1));
    EXPECT_DOUBLE_EQ(6000, c->TotalPenalty(kPenalty6651a1));   // $60 before the reduction
    EXPECT_DOUBLE_EQ(600, c->Reduction(kPenalty6651a1));       // $6
    EXPECT_DOUBLE_EQ(0, c->PenaltyMinimum(kPenalty6651a1));
    EXPECT_DOUBLE_EQ(5400, c->RealPenalty(kPenalty6651a1));    // $54
    EXPECT_DOUBLE_EQ(5400, c->PenaltyAddedAmt(kPenalty6651a1));
    EXPECT_EQ(due, c->PenaltyAddedDate(kPenalty6651a1));
    // A return due before 1990 prints the older explanations.
    EXPECT_STREQ("R6651A1H.DM", c->PenHeader(kPenalty6651a1));
    EXPECT_STREQ("R6651A2H.DM", c->PenHeader(kPenalty6651a2));
}

}  // namespace
