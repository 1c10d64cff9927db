// Input checks of the accuracy-related and fraud penalty records: each code
// of each slot on an account with one tax of $10,000 (1,000,000 cents), and
// the edges of the two percent tests.
#include <gtest/gtest.h>

#include <memory>

#include "compute/AccuracyPenaltyDatesInternal.h"
#include "compute/CQRTCompute.h"

namespace {

const Date kNone;

struct CheckRow {
    const char* what;
    int slot;
    Date taxDue;           // the account's one tax event (1,000,000 cents)
    double motivatedTax;   // a motivated-tax event on the same date, when above 0
    double a0, a1, a2;
    Date d0, d1, d2;
    double percent;
    int expected;
};

int RunCheck(const CheckRow& r)
{
    auto c = std::make_unique<CQRTCompute>();
    CEvent* tax = c->GetEvent(0);
    tax->m_type = kEventTax;
    tax->m_date = r.taxDue;
    tax->m_amount = 1000000.0;
    if (r.motivatedTax > 0.0) {
        CEvent* mot = c->GetEvent(1);
        mot->m_type = kEventMotivatedTax;
        mot->m_date = r.taxDue;
        mot->m_amount = r.motivatedTax;
    }
    c->SetTaxDueDate();
    Penalties& p = *c->GetPenalty(r.slot);
    p.Enable(1);
    p.m_amounts[0] = r.a0;
    p.m_amounts[1] = r.a1;
    p.m_amounts[2] = r.a2;
    p.m_dates[0] = r.d0;
    p.m_dates[1] = r.d1;
    p.m_dates[2] = r.d2;
    p.SetValue(r.percent);
    return c->CheckPenaltyDates(r.slot);
}

TEST(AccuracyPenaltyDates, EachSlotReportsTheLastFindingOfItsChecks)
{
    const Date t85(4, 15, 1985);
    const Date t90(4, 15, 1990);
    const Date t21(4, 15, 2021);
    // Net tax due is the 1,000,000 cents of the tax event (no payments); the
    // motivated total is 0 unless the row adds a motivated-tax event (which
    // also raises the net tax due by its amount).
    const CheckRow rows[] = {
        // 6653(a), slot 3: interest-part checks only for tax due 1981-1988.
        {"neg clean", 3, t85, 0, 500000, 400000, 0, kNone, Date(5, 1, 1986), Date(4, 15, 1986), 0, 0},
        {"neg assessment after notice", 3, t85, 0, 500000, 400000, 0, kNone, Date(5, 1, 1986), Date(6, 1, 1986), 0, 19},
        {"neg notice without assessment", 3, t85, 0, 500000, 400000, 0, kNone, Date(5, 1, 1986), kNone, 0, 17},
        {"neg motivated above motivated tax", 3, t85, 0, 500000, 400000, 1, kNone, Date(5, 1, 1986), Date(4, 15, 1986), 0, 10},
        {"neg motivated within motivated tax", 3, t85, 300000, 500000, 400000, 1, kNone, Date(5, 1, 1986), Date(4, 15, 1986), 0, 0},
        {"neg underpayment above amount subject", 3, t85, 0, 500000, 500001, 0, kNone, Date(5, 1, 1986), Date(4, 15, 1986), 0, 9},
        {"neg amount above net tax due", 3, t85, 0, 1000001, 0, 0, kNone, Date(5, 1, 1986), Date(4, 15, 1986), 0, 1},
        {"neg before 1981 without notice", 3, Date(4, 15, 1980), 0, 500000, 0, 0, Date(4, 15, 1980), kNone, kNone, 0, 8},
        {"neg notice before tax due", 3, t85, 0, 500000, 0, 0, kNone, Date(3, 1, 1985), Date(3, 1, 1985), 0, 8},
        {"neg 1990 skips interest checks", 3, t90, 0, 500000, 600000, 0, t90, Date(5, 1, 1991), kNone, 0, 0},
        // 6653(b), slot 4.
        {"fraud clean", 4, t85, 0, 500000, 400000, 0, t85, Date(5, 1, 1986), Date(4, 15, 1986), 0, 0},
        {"fraud assessment after notice", 4, t85, 0, 500000, 400000, 0, t85, Date(5, 1, 1986), Date(6, 1, 1986), 0, 19},
        {"fraud assessment before date 0", 4, t85, 0, 500000, 400000, 0, Date(6, 1, 1985), Date(7, 1, 1986), Date(5, 1, 1985), 0, 11},
        {"fraud motivated above motivated tax", 4, t85, 0, 500000, 400000, 1, t85, Date(5, 1, 1986), Date(4, 15, 1986), 0, 10},
        {"fraud underpayment above amount subject", 4, t85, 0, 500000, 500001, 0, t85, Date(5, 1, 1986), Date(4, 15, 1986), 0, 18},
        {"fraud motivated above fraud", 4, t85, 300000, 500000, 100000, 100001, t85, Date(5, 1, 1986), Date(4, 15, 1986), 0, 18},
        {"fraud notice without assessment", 4, t85, 0, 500000, 400000, 0, t85, Date(5, 1, 1986), kNone, 0, 17},
        {"fraud notice before date 0", 4, t85, 0, 500000, 400000, 0, Date(6, 1, 1986), Date(5, 1, 1986), Date(5, 1, 1986), 0, 8},
        {"fraud amount above net tax due", 4, t85, 0, 1000001, 0, 0, t85, Date(5, 1, 1986), Date(4, 15, 1986), 0, 1},
        {"fraud date 0 before tax due from 1989", 4, t90, 0, 500000, 0, 0, Date(3, 1, 1990), Date(5, 1, 1991), kNone, 0, 2},
        // 6659 (slot 7) and 6660 (slot 9).
        {"6659 clean", 7, t85, 0, 500000, 0, 0, t85, Date(5, 1, 1986), kNone, 30, 0},
        {"6659 no return due date", 7, t85, 0, 500000, 0, 0, kNone, kNone, kNone, 30, 20},
        {"6659 percent 25", 7, t85, 0, 500000, 0, 0, t85, kNone, kNone, 25, 12},
        {"6659 amount above net tax due", 7, t85, 0, 1000001, 0, 0, t85, kNone, kNone, 10, 1},
        {"6659 notice before return due", 7, t85, 0, 500000, 0, 0, Date(6, 1, 1985), Date(5, 1, 1985), kNone, 10, 8},
        {"6660 return due before tax due", 9, t85, 0, 500000, 0, 0, Date(4, 1, 1985), kNone, kNone, 20, 2},
        // 6659A, slot 8.
        {"6659A clean", 8, t85, 0, 500000, 0, 0, kNone, Date(5, 1, 1986), kNone, 20, 0},
        {"6659A percent 0", 8, t85, 0, 500000, 0, 0, kNone, Date(5, 1, 1986), kNone, 0, 12},
        {"6659A notice before tax due", 8, t85, 0, 500000, 0, 0, kNone, Date(4, 1, 1985), kNone, 20, 8},
        // 6661, slot 10.
        {"6661 clean", 10, t85, 0, 600000, 0, 0, t85, Date(5, 1, 1986), kNone, 0, 0},
        {"6661 no return due date", 10, t85, 0, 600000, 0, 0, kNone, kNone, kNone, 0, 20},
        {"6661 early return without assessment", 10, Date(4, 15, 1983), 0, 600000, 0, 0, Date(4, 15, 1983), kNone, kNone, 0, 11},
        {"6661 assessment before return due", 10, t85, 0, 600000, 0, 0, Date(6, 1, 1985), Date(5, 1, 1985), kNone, 0, 11},
        {"6661 assessment before return due after Oct 1986", 10, Date(4, 15, 1987), 0, 600000, 0, 0, Date(6, 1, 1987), Date(5, 1, 1987), kNone, 0, 0},
        {"6661 return due before tax due", 10, t85, 0, 600000, 0, 0, Date(4, 1, 1985), Date(5, 1, 1986), kNone, 0, 2},
        // 6662 and 6663, slots 11 to 16.
        {"6662(c) clean", 11, t21, 0, 600000, 0, 0, t21, kNone, kNone, 0, 0},
        {"6662(c) no return due date", 11, t21, 0, 600000, 0, 0, kNone, kNone, kNone, 0, 20},
        {"6662(d) return due before tax due", 12, t21, 0, 600000, 0, 0, Date(4, 14, 2021), kNone, kNone, 20, 2},
        {"6663 amount above net tax due", 16, t21, 0, 1000001, 0, 0, t21, kNone, kNone, 0, 1},
        {"6662(e) 40 % from 1990", 13, t21, 0, 600000, 0, 0, t21, kNone, kNone, 40, 0},
        {"6662(e) 30 % from 1990", 13, t21, 0, 600000, 0, 0, t21, kNone, kNone, 30, 13},
        {"6662(f) 30 % before 1990", 14, Date(4, 15, 1989), 0, 600000, 0, 0, Date(4, 15, 1989), kNone, kNone, 30, 0},
        {"6662(g) 40 % before 1990", 15, Date(4, 15, 1989), 0, 600000, 0, 0, Date(4, 15, 1989), kNone, kNone, 40, 12},
        {"6662(g) percent after a date finding", 15, t21, 0, 600000, 0, 0, kNone, kNone, kNone, 10, 13},
    };
    for (const CheckRow& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.expected, RunCheck(r));
    }
}

TEST(AccuracyPenaltyDates, NothingIsReportedWithoutATaxDueDate)
{
    // Tax events on two dates leave the account without a tax due date.
    auto c = std::make_unique<CQRTCompute>();
    c->GetEvent(0)->m_type = kEventTax;
    c->GetEvent(0)->m_date = Date(4, 15, 2020);
    c->GetEvent(0)->m_amount = 1000.0;
    c->GetEvent(1)->m_type = kEventTax;
    c->GetEvent(1)->m_date = Date(4, 15, 2021);
    c->GetEvent(1)->m_amount = 1000.0;
    c->SetTaxDueDate();
    for (int slot : {3, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) {
        c->GetPenalty(slot)->Enable(1);
        c->GetPenalty(slot)->m_amounts[0] = 1e9;  // would be code 1
        EXPECT_EQ(0, c->CheckPenaltyDates(slot)) << "slot " << slot;
    }
}

TEST(AccuracyPenaltyDates, PercentTestsAcceptTheirClosedRanges)
{
    struct Row {
        double percent;
        int tenToThirty;
        int twentyOrForty;
    };
    // The lowest accepted value of each test has the tighter lower edge
    // (9.9999999 and 19.9999999); every other range is +-0.001.
    const Row rows[] = {
        {9.9999999, 1, 0}, {9.9999998, 0, 0}, {9.999, 0, 0},  {10.0, 1, 0},
        {10.001, 1, 0},    {10.0011, 0, 0},   {19.999, 1, 0}, {19.9989, 0, 0},
        {19.9999999, 1, 1}, {20.0, 1, 1},     {20.001, 1, 1}, {20.0011, 0, 0},
        {25.0, 0, 0},      {29.999, 1, 0},    {30.001, 1, 0}, {30.0011, 0, 0},
        {39.999, 0, 1},    {39.9989, 0, 0},   {40.0, 0, 1},   {40.001, 0, 1},
        {40.0011, 0, 0},   {0.0, 0, 0},       {-10.0, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.tenToThirty, IsPercent10to30(r.percent)) << r.percent;
        EXPECT_EQ(r.twentyOrForty, IsPercent20or40(r.percent)) << r.percent;
    }
}

}  // namespace
