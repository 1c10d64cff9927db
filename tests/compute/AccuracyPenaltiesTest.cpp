// The accuracy-related and fraud penalties computed through ComputePenalties
// on accounts of one tax event: rates, thresholds (exactly $1,000 and $5,000),
// assessment dates, the bases limited by fraud, the 6653 half-interest part
// and the caution when the accuracy bases exceed the tax. Every expected
// figure is worked out by hand in the row or the comment beside it.
#include <gtest/gtest.h>

#include <memory>

#include "compute/CQRTCompute.h"

namespace {

const Date kNone;

class AccuracyPenalties : public ::testing::Test {
protected:
    std::unique_ptr<CQRTCompute> c = std::make_unique<CQRTCompute>();
    int m_events = 0;

    void AddEvent(int kind, Date date, double cents)
    {
        CEvent* e = c->GetEvent(m_events++);
        e->m_type = static_cast<uint16_t>(kind);
        e->m_date = date;
        e->m_amount = cents;
    }

    // One table entry from 1954 on: Simple interest (factor = days x rate /
    // 365), so interest figures can be worked out by hand.
    void SimpleTable(double normal, double motivated)
    {
        InterestRateTable* t = c->GetTable();
        t->SetStartingDate(0, Date(1, 1, 1954));
        t->SetMethod(0, 1);
        t->SetDPY(0, 365);
        t->SetNRate(0, normal);
        t->SetMRate(0, motivated);
        t->SetRRate(0, normal);
        t->GetHeader()->m_entryCount = 1;
    }

    Penalties& Enable(int slot, double a0, Date d0, Date d1 = kNone, double percent = 0.0)
    {
        Penalties& p = *c->GetPenalty(slot);
        p.Enable(1);
        p.m_amounts[0] = a0;
        p.m_dates[0] = d0;
        p.m_dates[1] = d1;
        p.SetValue(percent);
        return p;
    }

    void Compute(Date through = Date(12, 31, 2024))
    {
        c->SetTaxDueDate();
        ASSERT_EQ(1, c->ComputePenalties(through));
    }
};

struct RateRow {
    const char* what;
    int slot;
    Date taxDue;       // tax event of 2,000,000 cents; also the return due date (date 0)
    Date d1;           // notice or assessment date
    double base;       // amount 0
    double percent;    // percent given by the caller (0 where the slot writes its own)
    double penalty;    // expected TotalPenalty and RealPenalty
    double value;      // expected m_value afterwards
    const char* footer;
    Date assessed;     // expected PenaltyAddedDate (no date when nothing is assessed)
};

TEST_F(AccuracyPenalties, RatesThresholdsAndFooters)
{
    const Date t21(4, 15, 2021);
    const Date t85(4, 15, 1985);
    const char* dd = "R6662DD.DM";
    const char* ff = "R6662FF.DM";
    const RateRow rows[] = {
        // 20 % of 1,234,567 = 246,913.4, rounded to 246,913.
        {"6662(c) 20 %", 11, t21, kNone, 1234567, 0, 246913, 20, nullptr, t21},
        {"6662(d) exactly $5,000", 12, t21, kNone, 500000, 20, 0, 20, dd, kNone},
        // 20 % of 500,001 = 100,000.2.
        {"6662(d) $5,000.01", 12, t21, kNone, 500001, 20, 100000, 20, nullptr, t21},
        {"6662(e) exactly $5,000", 13, t21, kNone, 500000, 40, 0, 40, dd, kNone},
        // 40 % of 500,001 = 200,000.4.
        {"6662(e) $5,000.01 at 40 %", 13, t21, kNone, 500001, 40, 200000, 40, nullptr, t21},
        {"6662(g) exactly $5,000", 15, t21, kNone, 500000, 20, 0, 20, dd, kNone},
        {"6662(g) $5,000.01", 15, t21, kNone, 500001, 20, 100000, 20, nullptr, t21},
        {"6662(f) exactly $1,000", 14, t21, kNone, 100000, 20, 0, 20, ff, kNone},
        // 40 % of 100,001 = 40,000.4.
        {"6662(f) $1,000.01", 14, t21, kNone, 100001, 40, 40000, 40, nullptr, t21},
        // 75 % of 1,000,001 = 750,000.75, rounded up.
        {"6663 75 %", 16, t21, kNone, 1000001, 0, 750001, 75, nullptr, t21},
        {"6659 exactly $1,000", 7, t85, kNone, 100000, 30, 30000, 30, nullptr, t85},
        {"6659 $999.99", 7, t85, kNone, 99999, 30, 0, 30, ff, kNone},
        {"6660 exactly $1,000", 9, t85, kNone, 100000, 20, 20000, 20, nullptr, t85},
        {"6660 $999.99", 9, t85, kNone, 99999, 20, 0, 20, ff, kNone},
        // 6659A: from 23 October 1986, assessed at its notice.
        {"6659A exactly $1,000", 8, Date(4, 15, 1987), Date(6, 1, 1988), 100000, 10, 10000, 10, nullptr, Date(6, 1, 1988)},
        {"6659A tax due before 23 Oct 1986", 8, Date(10, 22, 1986), Date(6, 1, 1988), 200000, 10, 0, 10, ff, kNone},
        // 6661: 10 % unless the tax due date or the assessment date is after
        // 21 October 1986, then 25 %.
        {"6661 exactly $5,000", 10, t85, kNone, 500000, 0, 0, 0, dd, kNone},
        {"6661 tax due in 1982", 10, Date(4, 15, 1982), kNone, 1000000, 0, 0, 0, dd, kNone},
        {"6661 1985 assessed 1 Dec 1986", 10, t85, Date(12, 1, 1986), 1000000, 0, 250000, 25, nullptr, t85},
        {"6661 1985 assessed 1 Oct 1986", 10, t85, Date(10, 1, 1986), 1000000, 0, 100000, 10, nullptr, t85},
        {"6661 1985 assessed 22 Oct 1986", 10, t85, Date(10, 22, 1986), 500001, 0, 125000, 25, nullptr, t85},
        {"6661 1985 assessed 21 Oct 1986", 10, t85, Date(10, 21, 1986), 500001, 0, 50000, 10, nullptr, t85},
        {"6661 1985 without assessment", 10, t85, kNone, 1000000, 0, 100000, 10, nullptr, t85},
        {"6661 tax due 1987", 10, Date(4, 15, 1987), kNone, 1000000, 0, 250000, 25, nullptr, Date(4, 15, 1987)},
    };
    for (const RateRow& r : rows) {
        SCOPED_TRACE(r.what);
        c = std::make_unique<CQRTCompute>();
        m_events = 0;
        AddEvent(kEventTax, r.taxDue, 2000000);
        const Date d0 = r.slot == 8 ? kNone : r.taxDue;  // 6659A has no return due date
        Enable(r.slot, r.base, d0, r.d1, r.percent);
        Compute();
        EXPECT_DOUBLE_EQ(r.penalty, c->TotalPenalty(r.slot));
        EXPECT_DOUBLE_EQ(r.penalty, c->RealPenalty(r.slot));
        EXPECT_DOUBLE_EQ(r.base, c->GetBaseAmount(r.slot));
        EXPECT_DOUBLE_EQ(r.value, c->GetPenalty(r.slot)->Value());
        if (r.footer == nullptr)
            EXPECT_EQ(nullptr, c->PenFooter(r.slot));
        else
            EXPECT_STREQ(r.footer, c->PenFooter(r.slot));
        EXPECT_EQ(r.assessed, c->PenaltyAddedDate(r.slot));
        EXPECT_DOUBLE_EQ(r.assessed.isValid() ? r.penalty : 0.0, c->PenaltyAddedAmt(r.slot));
        EXPECT_DOUBLE_EQ(r.penalty, c->AllPenalties(r.taxDue));
    }
}

TEST_F(AccuracyPenalties, EarlyReturnsAreAssessedAtTheNoticeOrOn18July1984)
{
    struct Row {
        int slot;
        Date due, notice, assessed;
    };
    const Row rows[] = {
        {7, Date(4, 15, 1983), Date(3, 1, 1984), Date(3, 1, 1984)},
        {7, Date(4, 15, 1983), Date(9, 1, 1984), Date(7, 18, 1984)},
        {7, Date(4, 15, 1983), kNone, Date(7, 18, 1984)},
        {7, Date(4, 15, 1985), Date(6, 1, 1986), Date(4, 15, 1985)},
        {9, Date(4, 15, 1983), Date(7, 17, 1984), Date(7, 17, 1984)},
        {9, Date(4, 15, 1983), Date(7, 18, 1984), Date(7, 18, 1984)},
        {10, Date(4, 15, 1983), Date(5, 1, 1984), Date(5, 1, 1984)},
        {10, Date(7, 18, 1984), Date(5, 1, 1985), Date(7, 18, 1984)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "slot " << r.slot << " due " << r.due.serial);
        c = std::make_unique<CQRTCompute>();
        m_events = 0;
        AddEvent(kEventTax, r.due, 2000000);
        Enable(r.slot, 1000000, r.due, r.notice, 10);
        Compute();
        EXPECT_EQ(r.assessed, c->PenaltyAddedDate(r.slot));
        EXPECT_DOUBLE_EQ(100000, c->PenaltyAddedAmt(r.slot));   // 10 % of 1,000,000
    }
}

TEST_F(AccuracyPenalties, FraudRateOf6653bFollowsTheYearTheTaxIsDue)
{
    struct Row {
        Date taxDue;
        double penalty;  // of 1,000,000 cents
        Date assessed;   // date 0 is 1 March of the year after, date 1 is 1 June of it
    };
    const Row rows[] = {
        {Date(4, 15, 1982), 500000, Date(6, 1, 1983)},   // up to 3 Sep 1982: at the notice
        {Date(4, 15, 1986), 500000, Date(6, 1, 1987)},   // 50 % before 1987
        {Date(12, 31, 1986), 500000, Date(6, 1, 1987)},
        {Date(1, 1, 1987), 750000, Date(6, 1, 1988)},    // 75 % from 1987
        {Date(4, 15, 1990), 750000, Date(3, 1, 1991)},   // from 1989: at date 0
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.taxDue.serial);
        c = std::make_unique<CQRTCompute>();
        m_events = 0;
        SimpleTable(10, 12);
        AddEvent(kEventTax, r.taxDue, 2000000);
        const int next = 1900 + r.taxDue.Year() + 1;
        Penalties& p = Enable(4, 1000000, Date(3, 1, next), Date(6, 1, next));
        p.m_dates[2] = Date(6, 1, next);
        Compute();
        EXPECT_DOUBLE_EQ(r.penalty, c->TotalPenalty(4));
        EXPECT_DOUBLE_EQ(0.0, c->TotalPenalty2(4));   // no fraud underpayment: no interest
        EXPECT_DOUBLE_EQ(r.penalty, c->RealPenalty(4));
        EXPECT_EQ(r.assessed, c->PenaltyAddedDate(4));
    }
}

TEST_F(AccuracyPenalties, NegligenceAddsHalfTheInterestOnTheUnderpaymentFrom1982To1988)
{
    // Tax of 1,000,000 cents due 15 April 1985; negligence on all of it, of
    // which 400,000 is motivated; assessed 15 April 1986 (365 days later),
    // notice 1 May 1986. Simple interest 10 % normal, 12 % motivated:
    //   normal part    600,000 x 0.10 x 365/365 = 60,000
    //   motivated part 400,000 x 0.12           = 48,000
    //   half interest (60,000 + 48,000) / 2     = 54,000
    //   5 % of 1,000,000                        = 50,000, total 104,000.
    SimpleTable(10, 12);
    AddEvent(kEventTax, Date(4, 15, 1985), 1000000);
    Penalties& p = Enable(3, 1000000, kNone, Date(5, 1, 1986));
    p.m_amounts[1] = 1000000;
    p.m_amounts[2] = 400000;
    p.m_dates[2] = Date(4, 15, 1986);
    Compute(Date(12, 31, 1987));
    EXPECT_DOUBLE_EQ(5, p.Value());
    EXPECT_DOUBLE_EQ(50000, c->TotalPenalty(3));
    EXPECT_DOUBLE_EQ(54000, c->TotalPenalty2(3));
    EXPECT_DOUBLE_EQ(104000, c->RealPenalty(3));
    EXPECT_EQ(Date(5, 1, 1986), c->PenaltyAddedDate(3));
    EXPECT_DOUBLE_EQ(104000, c->PenaltyAddedAmt(3));
    EXPECT_DOUBLE_EQ(1000000, c->GetNegligenceBase(0));
    EXPECT_DOUBLE_EQ(1000000, c->GetNegligenceBase(1));
    EXPECT_DOUBLE_EQ(400000, c->GetNegligenceBase(2));
}

TEST_F(AccuracyPenalties, NegligenceInterestEndsAtTheComputationDateWithoutAssessment)
{
    // No assessment date: the interest runs 15 April to 15 October 1985,
    // 183 days: 1,000,000 x 0.10 x 183/365 = 50,136.99, rounded 50,137;
    // half = 25,068.5, rounded half up to 25,069. With an assessment date
    // after the computation date the interest also stops at the latter.
    for (const Date assessment : {kNone, Date(4, 15, 1986)}) {
        c = std::make_unique<CQRTCompute>();
        m_events = 0;
        SimpleTable(10, 12);
        AddEvent(kEventTax, Date(4, 15, 1985), 1000000);
        Penalties& p = Enable(3, 1000000, kNone, Date(10, 1, 1985));
        p.m_amounts[1] = 1000000;
        p.m_dates[2] = assessment;
        Compute(Date(10, 15, 1985));
        EXPECT_DOUBLE_EQ(25069, c->TotalPenalty2(3));
        EXPECT_DOUBLE_EQ(50000 + 25069, c->RealPenalty(3));
    }
}

TEST_F(AccuracyPenalties, NegligenceOutsideTheInterestYearsIsAssessedAtItsDates)
{
    struct Row {
        Date taxDue, d0, d1, assessed;
    };
    const Row rows[] = {
        // Before 1982: at the notice, or at date 0 without one.
        {Date(4, 15, 1980), Date(4, 15, 1980), Date(6, 1, 1981), Date(6, 1, 1981)},
        {Date(4, 15, 1980), Date(4, 15, 1980), kNone, Date(4, 15, 1980)},
        // From 1989: at date 0 whatever the notice.
        {Date(4, 15, 1990), Date(4, 15, 1990), Date(6, 1, 1991), Date(4, 15, 1990)},
    };
    for (const Row& r : rows) {
        c = std::make_unique<CQRTCompute>();
        m_events = 0;
        AddEvent(kEventTax, r.taxDue, 1000000);
        Penalties& p = Enable(3, 600000, r.d0, r.d1);
        p.m_amounts[1] = 600000;
        Compute();
        EXPECT_DOUBLE_EQ(30000, c->RealPenalty(3));   // 5 % of 600,000, no interest part
        EXPECT_DOUBLE_EQ(0, c->TotalPenalty2(3));
        EXPECT_EQ(r.assessed, c->PenaltyAddedDate(3));
    }
}

TEST_F(AccuracyPenalties, NegligenceBasesLeaveOutTheFraudAmount)
{
    // Total tax 1,000,000, fraud (6653(b)) on 600,000: negligence can only
    // apply to the other 400,000. 5 % of 400,000 = 20,000; fraud from 1989
    // is 75 % of 600,000 = 450,000.
    AddEvent(kEventTax, Date(4, 15, 1990), 1000000);
    Penalties& neg = Enable(3, 900000, Date(4, 15, 1990));
    neg.m_amounts[1] = 300000;
    neg.m_amounts[2] = 0;
    Enable(4, 600000, Date(4, 15, 1990));
    Compute();
    EXPECT_DOUBLE_EQ(400000, c->MaximumBase(3));
    EXPECT_DOUBLE_EQ(400000, c->GetNegligenceBase(0));
    EXPECT_DOUBLE_EQ(300000, c->GetNegligenceBase(1));
    EXPECT_DOUBLE_EQ(0, c->GetNegligenceBase(2));
    EXPECT_DOUBLE_EQ(20000, c->RealPenalty(3));
    EXPECT_DOUBLE_EQ(450000, c->RealPenalty(4));
    EXPECT_DOUBLE_EQ(470000, c->AllPenalties(Date()));
}

TEST_F(AccuracyPenalties, AccuracyBaseIsLimitedToTheTaxLessTheFraudAmount)
{
    struct Row {
        const char* what;
        double fraud;       // 6663 amount 0; 0 = 6663 not enabled
        double base;        // expected 6662(c) base
        double maximumBase;
        double penalty;     // 20 % of the base
    };
    // Total tax 2,000,000; 6662(c) on 1,000,000.
    const Row rows[] = {
        {"no fraud", 0, 1000000, 2000000, 200000},
        {"fraud leaves 500,000", 1500000, 500000, 500000, 100000},
        {"fraud leaves exactly the amount", 1000000, 1000000, 1000000, 200000},
        {"fraud above the tax", 2500000, 0, -500000, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        c = std::make_unique<CQRTCompute>();
        m_events = 0;
        AddEvent(kEventTax, Date(4, 15, 2021), 2000000);
        Enable(11, 1000000, Date(4, 15, 2021));
        if (r.fraud > 0)
            Enable(16, r.fraud, Date(4, 15, 2021));
        Compute();
        EXPECT_DOUBLE_EQ(r.base, c->GetBaseAmount(11));
        EXPECT_DOUBLE_EQ(r.maximumBase, c->MaximumBase(11));
        EXPECT_DOUBLE_EQ(r.penalty, c->RealPenalty(11));
        // Fraud itself is 75 % of its own amount, never limited.
        EXPECT_DOUBLE_EQ(0.75 * r.fraud, c->RealPenalty(16));
        EXPECT_EQ(r.penalty > 0 ? Date(4, 15, 2021) : kNone, c->PenaltyAddedDate(11));
    }
}

TEST_F(AccuracyPenalties, CautionWhenAccuracyBasesExceedTheTax)
{
    struct Row {
        const char* what;
        Date taxDue;
        double c6662, d6662, f6663;   // amounts 0 of slots 11, 12, 16 (0 = off)
        int caution;
    };
    // Total tax 2,000,000.
    const Row rows[] = {
        {"bases above the tax", Date(4, 15, 2021), 1200000, 900000, 0, 1},
        {"bases equal to the tax", Date(4, 15, 2021), 1200000, 800000, 0, 0},
        {"fraud is not an accuracy base", Date(4, 15, 2021), 1500000, 0, 1000000, 0},
        {"tax due before 1990", Date(12, 31, 1989), 1200000, 900000, 0, 0},
        {"tax due 1 January 1990", Date(1, 1, 1990), 1200000, 900000, 0, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        c = std::make_unique<CQRTCompute>();
        m_events = 0;
        AddEvent(kEventTax, r.taxDue, 2000000);
        if (r.c6662 > 0) Enable(11, r.c6662, r.taxDue);
        if (r.d6662 > 0) Enable(12, r.d6662, r.taxDue, kNone, 20);
        if (r.f6663 > 0) Enable(16, r.f6663, r.taxDue);
        c->SetTaxDueDate();
        EXPECT_EQ(r.caution, c->AccuracyPenaltyCheck());
        EXPECT_EQ(r.caution, c->AccuracyError());
    }
}

}  // namespace
