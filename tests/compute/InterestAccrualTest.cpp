// Interest of one period. Expected factors are written out here from the
// methods' definitions (daily: (1 + r/dpy)^days - 1, monthly plus days:
// (1 + r/12)^months * (1 + r/dpy * days) - 1, ...) and the day, month and year
// counts are derived by hand in the comments, so a fault shared with the
// production formulas cannot pass unseen.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ComputeTestSupport.h"
#include "compute/PowerMemo.h"

using qrt_test::NewCompute;

namespace {

constexpr double kTolerance = 1e-12;

struct MethodCase {
    const char* what;
    int method;
    Date start;
    Date end;
    double dpy;
    double ratePercent;
    double principal;
    int years, months, days;  // counts the method must store
    double factor;            // derived independently below
    double interest;          // rounded to cents by hand
};

// r: fractional rates of the cases.
constexpr double r7 = 0.07;
constexpr double r8 = 0.08;
constexpr double r9 = 0.09;

const MethodCase kMethodCases[] = {
    // 1 January to 1 February 2023: 31 days.  (1 + 0.07/365)^31 - 1 = 0.0059623399
    // times 100,000 cents = 596.23 -> 596.
    {"daily 7% 31 days", 2, Date(1, 1, 2023), Date(2, 1, 2023), 365.0, 7.0, 100000.0,
     0, 0, 31, std::pow(1.0 + r7 / 365.0, 31) - 1.0, 596.0},
    // 366-day year: 1 March to 1 March 2024 spans 29 February: 366 days.
    {"daily 8% leap year", 2, Date(3, 1, 2023), Date(3, 1, 2024), 366.0, 8.0, 1000000.0,
     0, 0, 366, std::pow(1.0 + r8 / 366.0, 366) - 1.0, 83278.0},
    // Old IRS: 31 Jan to 1 Mar 2023: days 1 - 31 = -30, + 28 (Feb) = -2,
    // + 31 (Jan) = 29; months Jan - Jan = 0.  29 * 0.09 / 365 * 250,000 =
    // 1787.67 -> 1788.
    {"old IRS Jan 31 to Mar 1", 0, Date(1, 31, 2023), Date(3, 1, 2023), 365.0, 9.0, 250000.0,
     0, 0, 29, 29 * r9 / 365.0, 1788.0},
    // Old IRS: 15 Mar 2020 to 10 Jun 2022: days 10 - 15 = -5 + 31 (May) = 26,
    // end month stepped back to May; months 5 - 3 = 2; years 2.
    // 2 * 0.08 + 2 * 0.08/12 + 26 * 0.08/365 = 0.1790320; * 100,000 = 17903.20.
    {"old IRS over years", 0, Date(3, 15, 2020), Date(6, 10, 2022), 365.0, 8.0, 100000.0,
     2, 2, 26, 2 * r8 + 2 * r8 / 12.0 + 26 * r8 / 365.0, 17903.0},
    // Old IRS borrowing across a year end: 20 Dec 2022 to 5 Jan 2023: days
    // 5 - 20 = -15 + 31 (Dec) = 16, end month December 2022; months 12 - 12 = 0.
    {"old IRS across a year end", 0, Date(12, 20, 2022), Date(1, 5, 2023), 365.0, 8.0, 100000.0,
     0, 0, 16, 16 * r8 / 365.0, 351.0},
    // Simple: 1 Jan to 1 Apr 2023 = 31 + 28 + 31 = 90 days; 90 * 0.08/365 * 100,000
    // = 1972.60 -> 1973.
    {"simple 90 days", 1, Date(1, 1, 2023), Date(4, 1, 2023), 365.0, 8.0, 100000.0,
     0, 0, 90, 90 * r8 / 365.0, 1973.0},
    // Sum of factors: the factor is the entry's rate whatever the length.
    {"sum of factors", 4, Date(1, 1, 2023), Date(1, 21, 2023), 365.0, 8.0, 100000.0,
     0, 0, 20, r8, 8000.0},
    // Monthly plus days: 31 Jan to 30 Apr, both month ends: 3 months 0 days.
    // (1 + 0.08/12)^3 - 1 = 0.0201336; * 100,000 = 2013.36 -> 2013.
    {"monthly plus days month ends", 3, Date(1, 31, 2023), Date(4, 30, 2023), 365.0, 8.0,
     100000.0, 0, 3, 0, std::pow(1.0 + r8 / 12.0, 3) - 1.0, 2013.0},
    // Monthly plus days: 30 Jan to 15 Mar 2023: 1 month 13 days.
    // (1 + 0.08/12) * (1 + 0.08/365 * 13) - 1 = 0.0095350; * 100,000 = 953.50.
    {"monthly plus days with days", 3, Date(1, 30, 2023), Date(3, 15, 2023), 365.0, 8.0,
     100000.0, 0, 1, 13, (1.0 + r8 / 12.0) * (1.0 + r8 / 365.0 * 13) - 1.0, 953.0},
    // Monthly whole months: 15 Jan to 14 Mar: months between 16 Jan and
    // 14 Mar = 2, plus 1 = 3. (1 + 0.06/12)^3 - 1 = 0.0150751; * 100,000 = 1507.51.
    {"monthly whole months", 5, Date(1, 15, 2023), Date(3, 14, 2023), 365.0, 6.0, 100000.0,
     0, 3, 0, std::pow(1.005, 3) - 1.0, 1508.0},
    // A period whose start equals its end computes nothing.
    {"zero length", 2, Date(5, 5, 2023), Date(5, 5, 2023), 365.0, 8.0, 100000.0,
     0, 0, 0, 0.0, 0.0},
};

class InterestAccrual : public ::testing::Test {
protected:
    void SetUp() override
    {
        compute = NewCompute();
        compute->m_interestRunning = 1;
    }
    std::unique_ptr<CQRTCompute> compute;
};

TEST_F(InterestAccrual, EveryMethodMatchesItsIndependentFormula)
{
    for (const MethodCase& c : kMethodCases) {
        ComputeResults r;
        compute->NonDailyUsed(0);
        compute->ComputeInterest(c.principal, c.start, c.end, c.method, c.dpy, c.ratePercent,
                                 c.ratePercent, &r);
        EXPECT_EQ(r.m_years, c.years) << c.what;
        EXPECT_EQ(r.m_months, c.months) << c.what;
        EXPECT_EQ(r.m_days, c.days) << c.what;
        EXPECT_NEAR(r.m_factor, c.factor, kTolerance) << c.what;
        EXPECT_EQ(r.m_interest, c.interest) << c.what;
        EXPECT_EQ(r.m_start, c.start) << c.what;
        EXPECT_EQ(r.m_end, c.end) << c.what;
        EXPECT_EQ(r.m_principal, c.principal) << c.what;
        EXPECT_EQ(r.m_method, c.method) << c.what;
        EXPECT_EQ(r.m_rate, c.ratePercent) << c.what;
        EXPECT_EQ(r.m_hot, 0) << c.what;
        const bool nonDaily = c.method == 0 || c.method == 1 || c.method == 3 || c.method == 4;
        if (c.start != c.end) {
            EXPECT_EQ(compute->NonDailyUsed(), nonDaily ? 1 : 0) << c.what;
        }
    }
}

TEST_F(InterestAccrual, MethodsThatCompound)
{
    const int expected[] = {0, 0, 1, 1, 0, 1};
    for (int m = 0; m < 6; ++m)
        EXPECT_EQ(CQRTCompute::MethodCompounds(m), expected[m]) << m;
    EXPECT_EQ(CQRTCompute::MethodCompounds(10), 0);
}

TEST_F(InterestAccrual, WholeDollarModeRoundsTheInterestToDollars)
{
    compute->WholeDollarMode(1);
    ComputeResults r;
    // 596.23 cents of the daily example -> $5.96 -> $6.
    compute->ComputeInterest(100000.0, Date(1, 1, 2023), Date(2, 1, 2023), 2, 365.0, 7.0, 7.0, &r);
    EXPECT_EQ(r.m_interest, 600.0);
}

TEST_F(InterestAccrual, OldIRSInMonthlyModeCountsMonthEndsAsOneMonth)
{
    compute->m_monthly = 1;
    ComputeResults r;
    // 31 Jan to 28 Feb 2023: by fields 0 months 28 days; in monthly mode both
    // month ends make exactly one month.
    compute->ComputeInterest(120000.0, Date(1, 31, 2023), Date(2, 28, 2023), 0, 365.0, 12.0,
                             12.0, &r);
    EXPECT_EQ(r.m_months, 1);
    EXPECT_EQ(r.m_days, 0);
    EXPECT_NEAR(r.m_factor, 0.12 / 12.0, kTolerance);
    EXPECT_EQ(r.m_interest, 1200.0);
    // One day inside a month counts no days in monthly mode.
    compute->ComputeInterest(120000.0, Date(3, 5, 2023), Date(3, 6, 2023), 0, 365.0, 12.0, 12.0,
                             &r);
    EXPECT_EQ(r.m_days, 0);
    EXPECT_EQ(r.m_interest, 0.0);
    compute->m_monthly = 0;
    compute->ComputeInterest(120000.0, Date(3, 5, 2023), Date(3, 6, 2023), 0, 365.0, 12.0, 12.0,
                             &r);
    EXPECT_EQ(r.m_days, 1);
}

TEST_F(InterestAccrual, HotInterestRaisesTheRate)
{
    compute->m_hotActive = 1;
    ComputeResults r;
    // Normal rate 8: 10 %. Simple, 73 days of a 365-day year = 1/5 year:
    // 0.10 / 5 * 100,000 = 2000.
    compute->ComputeInterest(100000.0, Date(1, 1, 2023), Date(3, 15, 2023), 1, 365.0, 8.0, 8.0, &r);
    EXPECT_EQ(r.m_hot, 1);
    EXPECT_EQ(r.m_rate, 10.0);
    EXPECT_EQ(r.m_interest, 2000.0);
    // A motivated rate of 9 next to a normal rate of 8: (8 + 2) * 1.2 = 12 %:
    // 0.12 / 5 * 100,000 = 2400.
    compute->ComputeInterest(100000.0, Date(1, 1, 2023), Date(3, 15, 2023), 1, 365.0, 9.0, 8.0, &r);
    EXPECT_DOUBLE_EQ(r.m_rate, 12.0);
    EXPECT_EQ(r.m_interest, 2400.0);
    // A refund (negative principal) gets no increase.
    compute->ComputeInterest(-100000.0, Date(1, 1, 2023), Date(3, 15, 2023), 1, 365.0, 7.0, 8.0,
                             &r);
    EXPECT_EQ(r.m_hot, 0);
    EXPECT_EQ(r.m_rate, 7.0);
    EXPECT_EQ(r.m_interest, -1400.0);
}

TEST_F(InterestAccrual, StoppedInterestKeepsTheCountsButShowsNoInterest)
{
    compute->m_interestRunning = 0;
    ComputeResults r;
    compute->ComputeInterest(100000.0, Date(1, 30, 2023), Date(3, 15, 2023), 3, 365.0, 8.0, 8.0,
                             &r);
    EXPECT_EQ(r.m_start, Date(1, 30, 2023));
    EXPECT_EQ(r.m_end, Date(3, 15, 2023));
    EXPECT_EQ(r.m_principal, 100000.0);
    EXPECT_EQ(r.m_months, 1);
    EXPECT_EQ(r.m_days, 13);
    EXPECT_EQ(r.m_factor, 0.0);
    EXPECT_EQ(r.m_interest, 0.0);
}

TEST_F(InterestAccrual, FederalGattOverpaymentAfter1998)
{
    compute->m_federalGatt = 1;
    compute->m_gattPrincipal = -500000.0;
    ComputeResults r;
    // Refund rate 8, daily, 2 Jan to 1 Jul 2000 (182 days, 366-day year).
    // Normal: principal below 0 after 1998 accrues at 8 - 1 = 7 %.
    // GATT: 8 - 1.5 - 1 = 5.5 %. Shown: 7.0 and 8 - 2.5 = 5.5.
    const int days = 182;
    compute->ComputeInterest(-200000.0, Date(1, 2, 2000), Date(7, 2, 2000), 2, 366.0, 8.0, 9.0,
                             &r);
    EXPECT_EQ(r.m_days, days);
    EXPECT_EQ(r.m_rate, 7.0);
    EXPECT_DOUBLE_EQ(r.m_gattRate, 5.5);
    EXPECT_NEAR(r.m_factor, std::pow(1.0 + 0.07 / 366.0, days) - 1.0, kTolerance);
    EXPECT_NEAR(r.m_gattFactor, std::pow(1.0 + 0.055 / 366.0, days) - 1.0, kTolerance);
    EXPECT_EQ(r.m_gattPrincipal, -500000.0);
    // -200,000 * 0.0354182 = -7083.64 -> -7084; -500,000 * 0.0277251 = -13862.53 -> -13863
    EXPECT_EQ(r.m_interest, -7084.0);
    EXPECT_EQ(r.m_gattInterest, -13863.0);

    // The quarter that starts on 31 Dec 1998 earns only 1999 interest: the
    // published corporate overpayment rate for it was 6 % against the 7 %
    // of the table. 90 days at 6 %: -1,000,000 x ((1 + 0.06/365)^90 - 1) =
    // -14,904 (the unreduced rate would give -17,408).
    compute->ComputeInterest(-1000000.0, Date(12, 31, 1998), Date(3, 31, 1999), 2, 365.0, 7.0, 8.0,
                             &r);
    EXPECT_EQ(r.m_rate, 6.0);
    EXPECT_EQ(r.m_interest, -14903.0);

    // A positive GATT principal does not accrue under the daily method.
    compute->m_gattPrincipal = 300000.0;
    compute->ComputeInterest(-200000.0, Date(1, 2, 2000), Date(7, 2, 2000), 2, 366.0, 8.0, 9.0,
                             &r);
    EXPECT_EQ(r.m_gattPrincipal, 0.0);
    EXPECT_EQ(r.m_gattInterest, 0.0);

    // Without the federal GATT switch there are no GATT figures at all.
    compute->m_federalGatt = 0;
    compute->ComputeInterest(-200000.0, Date(1, 2, 2000), Date(7, 2, 2000), 2, 366.0, 8.0, 9.0,
                             &r);
    EXPECT_EQ(r.m_rate, 8.0);
    EXPECT_EQ(r.m_gattPrincipal, 0.0);
    EXPECT_EQ(r.m_gattFactor, 0.0);
}

TEST_F(InterestAccrual, GattShownRateSteps)
{
    ComputeResults r;
    // A period earns interest for the days after its start: one that starts
    // on 31 Dec 1994 earns only 1995 interest and has the 1995 rules.
    compute->ComputeInterest(100.0, Date(12, 30, 1994), Date(1, 31, 1995), 1, 365.0, 9.0, 9.0, &r);
    EXPECT_EQ(r.m_gattRate, 9.0);
    compute->ComputeInterest(100.0, Date(12, 31, 1994), Date(1, 31, 1995), 1, 365.0, 9.0, 9.0, &r);
    EXPECT_EQ(r.m_gattRate, 7.5);
    compute->ComputeInterest(100.0, Date(12, 30, 1998), Date(1, 31, 1999), 1, 365.0, 9.0, 9.0, &r);
    EXPECT_EQ(r.m_gattRate, 7.5);
    compute->ComputeInterest(100.0, Date(12, 31, 1998), Date(1, 31, 1999), 1, 365.0, 9.0, 9.0, &r);
    EXPECT_EQ(r.m_gattRate, 6.5);
    compute->ComputeInterest(100.0, Date(1, 1, 1995), Date(1, 31, 1995), 1, 365.0, 9.0, 9.0, &r);
    EXPECT_EQ(r.m_gattRate, 7.5);
    compute->ComputeInterest(100.0, Date(1, 1, 1999), Date(1, 31, 1999), 1, 365.0, 9.0, 9.0, &r);
    EXPECT_EQ(r.m_gattRate, 6.5);
    compute->ComputeInterest(100.0, Date(1, 1, 1999), Date(1, 31, 1999), 1, 365.0, 2.0, 2.0, &r);
    EXPECT_EQ(r.m_gattRate, 0.0);  // never below 0
}

// Issue: under a compounding method the balance of a period used to stay 0,
// so a warning that reads period balances never saw the amount owed.
TEST_F(InterestAccrual, EveryPeriodCarriesItsBalance)
{
    ComputeResults r;
    compute->m_normalInterestDue = 250.0;
    // Daily: principal 100,000 + the period's 596 + 250 still due.
    compute->ComputeInterest(100000.0, Date(1, 1, 2023), Date(2, 1, 2023), 2, 365.0, 7.0, 7.0, &r);
    EXPECT_EQ(r.m_balance, 100846.0);
    // Simple: principal + interest due (the period's interest joins the dues
    // afterwards, in DoIntComp).
    compute->ComputeInterest(100000.0, Date(1, 1, 2023), Date(4, 1, 2023), 1, 365.0, 8.0, 8.0, &r);
    EXPECT_EQ(r.m_balance, 100250.0);
    // Monthly plus days, and a zero-length period.
    compute->ComputeInterest(100000.0, Date(1, 31, 2023), Date(4, 30, 2023), 3, 365.0, 8.0, 8.0,
                             &r);
    EXPECT_EQ(r.m_balance, 100000.0 + 2013.0 + 250.0);
    compute->ComputeInterest(100000.0, Date(5, 5, 2023), Date(5, 5, 2023), 2, 365.0, 8.0, 8.0, &r);
    EXPECT_EQ(r.m_balance, 100250.0);
}

// A table of one entry from 1 January 1990: normal 8, motivated 10, refund 7.
void OneEntryTable(CQRTCompute& c, int method, int dpy)
{
    InterestRateTable* t = c.GetTable();
    t->SetStartingDate(0, Date(1, 1, 1990));
    t->SetNRate(0, 8.0);
    t->SetMRate(0, 10.0);
    t->SetRRate(0, 7.0);
    t->SetMethod(0, method);
    t->SetDPY(0, dpy);
}

TEST_F(InterestAccrual, DoIntCompPicksPrincipalAndRateAndAccumulates)
{
    OneEntryTable(*compute, 1, 365);
    const Date a(1, 1, 2023);
    const Date b(3, 15, 2023);  // 73 days = 1/5 of a 365-day year
    ComputeResults r;

    compute->m_normalPrincipal = 100000.0;
    EXPECT_EQ(compute->DoIntComp(a, b, &r, kEventPayment, 0, 1, 0), b);
    EXPECT_EQ(r.m_kind, kEventPayment);
    EXPECT_EQ(r.m_interest, 1600.0);  // 8 % / 5
    EXPECT_EQ(compute->m_normalInterestDue, 1600.0);
    EXPECT_EQ(compute->InterestNormal(), 1600.0);

    compute->m_motivatedPrincipal = 50000.0;
    compute->DoIntComp(a, b, &r, kEventMotivatedRateChange, 0, 0, 0);
    EXPECT_EQ(r.m_interest, 1000.0);  // 10 % / 5
    EXPECT_EQ(compute->m_motivatedInterestDue, 1000.0);
    EXPECT_EQ(compute->InterestMotivated(), 1000.0);

    // Normal stream, but a motivated-tax step takes the motivated figures.
    compute->DoIntComp(a, b, &r, kEventMotivatedTax, 0, 1, 0);
    EXPECT_EQ(r.m_principal, 50000.0);
    EXPECT_EQ(r.m_rate, 10.0);

    // An overpayment accrues at the refund rate, without the 6621(c)
    // increase, and the increase flag survives the call.
    compute->m_normalPrincipal = -100000.0;
    compute->m_hotActive = 1;
    compute->DoIntComp(a, b, &r, kEventRateChange, 0, 1, 0);
    EXPECT_EQ(r.m_rate, 7.0);
    EXPECT_EQ(r.m_hot, 0);
    EXPECT_EQ(r.m_interest, -1400.0);
    EXPECT_EQ(compute->m_refundInterestDue, -1400.0);
    EXPECT_EQ(compute->InterestRefund(), -1400.0);
    EXPECT_EQ(compute->m_hotActive, 1);
    EXPECT_EQ(r.m_next, nullptr);
}

// A table file may carry a days-per-year code the engine does not know (any
// code but 100, 365 and 366 reads as 0 days per year). Such an entry used to
// give an infinite or NaN factor, and that amount flowed into the totals.
TEST_F(InterestAccrual, EntryWithUnknownDaysPerYearCodeAccruesNothing)
{
    const Date a(1, 1, 2023);
    const Date b(3, 31, 2023);
    for (int method = 0; method <= 4; ++method) {
        auto c = NewCompute();
        c->m_interestRunning = 1;
        OneEntryTable(*c, method, 360);
        ASSERT_EQ(c->TableDPY(0), 0.0);
        c->m_normalPrincipal = 100000.0;
        ComputeResults r;
        c->DoIntComp(a, b, &r, kEventRateChange, 0, 1, 0);
        EXPECT_EQ(r.m_factor, 0.0) << "method " << method;
        EXPECT_EQ(r.m_interest, 0.0) << "method " << method;
        EXPECT_EQ(c->InterestNormal(), 0.0) << "method " << method;
        EXPECT_EQ(c->m_normalInterestDue, 0.0) << "method " << method;
        EXPECT_TRUE(std::isfinite(r.m_balance)) << "method " << method;
    }
    // Whole months never use the days per year: 1 January to 31 March counts
    // the months of 2 January .. 31 March, 2 + 1 = 3.
    // (1 + 0.08/12)^3 - 1 = 0.0201336; * 100,000 = 2013.36 -> 2013.
    auto c = NewCompute();
    c->m_interestRunning = 1;
    OneEntryTable(*c, 5, 360);
    c->m_normalPrincipal = 100000.0;
    ComputeResults r;
    c->DoIntComp(a, b, &r, kEventRateChange, 0, 1, 0);
    EXPECT_EQ(r.m_months, 3);
    EXPECT_EQ(r.m_interest, 2013.0);
}

TEST_F(InterestAccrual, DoIntCompUnitRatesAndMissingStart)
{
    OneEntryTable(*compute, 1, 365);
    compute->m_normalPrincipal = 100000.0;
    ComputeResults r;
    compute->DoIntComp(Date(1, 1, 2023), Date(3, 15, 2023), &r, kEventFinal, 0, 1, 1);
    EXPECT_EQ(r.m_rate, 1.0);
    EXPECT_NEAR(r.m_factor, 73 * 0.01 / 365.0, kTolerance);
    // A missing start counts from 1 January 1954.
    compute->m_normalPrincipal = 0.0;
    compute->DoIntComp(Date(), Date(1, 11, 1954), &r, kEventTax, 0, 1, 0);
    EXPECT_EQ(r.m_start, Date(1, 1, 1954));
    EXPECT_EQ(r.m_days, 10);
    EXPECT_EQ(r.m_interest, 0.0);
}

TEST_F(InterestAccrual, CheckCompoundingFoldsInterestOnlyForCompoundingMethods)
{
    OneEntryTable(*compute, 1, 365);  // simple: nothing happens
    compute->m_normalPrincipal = 1000.0;
    compute->m_normalInterestDue = 50.0;
    compute->CheckCompounding(0);
    EXPECT_EQ(compute->m_normalPrincipal, 1000.0);
    EXPECT_EQ(compute->m_normalInterestDue, 50.0);

    OneEntryTable(*compute, 2, 365);  // daily compounds
    compute->m_refundInterestDue = -20.0;
    compute->m_motivatedPrincipal = 100.0;
    compute->m_motivatedInterestDue = -300.0;  // leaves the motivated principal at -200
    compute->m_gattPrincipal = 0.0;
    compute->m_gattInterestDue = -5.0;
    compute->CheckCompounding(0);
    // normal: 1000 + 50 - 20 = 1030, then the motivated -200 moves in: 830;
    // GATT -5 then nets against it: GATT 0, normal 825.
    EXPECT_EQ(compute->m_normalInterestDue, 0.0);
    EXPECT_EQ(compute->m_refundInterestDue, 0.0);
    EXPECT_EQ(compute->m_motivatedInterestDue, 0.0);
    EXPECT_EQ(compute->m_gattInterestDue, 0.0);
    EXPECT_EQ(compute->m_motivatedPrincipal, 0.0);
    EXPECT_EQ(compute->m_gattPrincipal, 0.0);
    EXPECT_EQ(compute->m_normalPrincipal, 825.0);
}

TEST_F(InterestAccrual, NormalizeGattNetsOverpaymentAgainstAmountOwed)
{
    struct {
        double gatt, normal, gattAfter, normalAfter;
    } const cases[] = {
        {-500000.0, 200000.0, -300000.0, 0.0},
        {-500000.0, 700000.0, 0.0, 200000.0},
        {-500000.0, -100.0, -500000.0, -100.0},
        {400.0, 100.0, 0.0, 500.0},
        {0.0, 100.0, 0.0, 100.0},
    };
    for (const auto& c : cases) {
        compute->m_gattPrincipal = c.gatt;
        compute->m_normalPrincipal = c.normal;
        compute->NormalizeGATT();
        EXPECT_EQ(compute->m_gattPrincipal, c.gattAfter) << c.gatt << " " << c.normal;
        EXPECT_EQ(compute->m_normalPrincipal, c.normalAfter) << c.gatt << " " << c.normal;
    }
}

// The power memo against pow itself: draws from a few rates, divisors and
// exponents, so that slots are hit, shared and replaced, each give pow's own
// value for (1 + rate / divisor)^exponent.
TEST(PowerMemo, EveryPowerIsPowsOwnValue)
{
    CPowerMemo memo;
    std::mt19937 rng(7);
    const double rates[] = {0.03, 0.04, 0.05, 0.08, -0.01, 0.0, 0.031, 0.0300000000001};
    const double divisors[] = {365.0, 366.0, 365.25, 12.0};
    for (int n = 0; n < 20000; ++n) {
        const double rate = rates[rng() % 8];
        const double divisor = divisors[rng() % 4];
        const int exponent = static_cast<int>(rng() % 200) - 5;
        ASSERT_EQ(memo.Power(rate, divisor, exponent), std::pow(1.0 + rate / divisor, exponent))
            << rate << " / " << divisor << " ^ " << exponent;
    }
}

}  // namespace
