// PenaltyInterest (the interest part of the 1982-1988 negligence and fraud
// penalties) on a computed account, and the input checks of the failure to
// file and failure to pay records.
#include <gtest/gtest.h>

#include "PenaltyAccount.h"

namespace {

using penaltytest::Account;

// 100,000 of tax on 1 January 1995; interest on 100,000 from then to
// 1 January 1996 at the test table's simple 10 %:
//   no payment, no 6621(c): 365 days = 10,000
//   50,000 paid to tax on 1 July 1995: 181 days on 100,000 = 4,958.90, then
//     184 days on 50,000 = 2,520.55 -> 4,959 + 2,521
//   6621(c) from 14 April 1995: 103 days at 10 % = 2,821.92, 262 days at
//     12 % = 8,613.70 -> 2,822 + 8,614
TEST(PenaltyInterest, ReducedByPaymentsAndSplitByHotInterest)
{
    struct Row {
        const char* what;
        int payment, hot;
        double interest;
    };
    const Row rows[] = {
        {"plain", 0, 0, 10000},
        {"payment", 1, 0, 4959 + 2521},
        {"hot", 0, 1, 2822 + 8614},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Account a;
        a.Add(kEventTax, Date(1, 1, 1995), 100000);
        if (row.payment) a.Add(kEventPayment, Date(7, 1, 1995), 50000);
        a.options().hot = row.hot;
        a.options().hot30Day = Date(3, 15, 1995);
        auto c = a.Compute(Date(1, 1, 1996));
        const int hotBefore = c->m_hotActive;
        EXPECT_DOUBLE_EQ(row.interest,
                         c->PenaltyInterest(100000, 0, Date(1, 1, 1995), Date(1, 1, 1996), 0, 3));
        EXPECT_EQ(hotBefore, c->m_hotActive);
    }
}

struct DatesCase {
    const char* what;
    int slot;
    int code;
    void (*fill)(Penalties&);
};

TEST(CheckPenaltyDates, FailureToFileAndToPayFindings)
{
    // The account: 100,000 of tax on 15 April 2016.
    const DatesCase cases[] = {
        {"slot 1 sound", 1, 0,
         [](Penalties& p) { p.m_dates[0] = Date(4, 15, 2016); p.m_amounts[0] = 100000; }},
        {"slot 1 no date", 1, 20, [](Penalties& p) { p.m_amounts[0] = 100000; }},
        {"slot 1 above the tax", 1, 1,
         [](Penalties& p) { p.m_dates[0] = Date(4, 15, 2016); p.m_amounts[0] = 200000; }},
        {"slot 1 notices out of order", 1, 6,
         [](Penalties& p) {
             p.m_dates[0] = Date(4, 15, 2016);
             p.m_dates[1] = Date(6, 1, 2016);
             p.m_dates[2] = Date(5, 1, 2016);
         }},
        {"slot 1 reinstate without reduce", 1, 21,
         [](Penalties& p) { p.m_dates[0] = Date(4, 15, 2016); p.m_dates[9] = Date(1, 1, 2017); }},
        {"slot 2 no notice", 2, 8, [](Penalties& p) { p.m_amounts[0] = 1000; }},
        {"slot 2 before the tax", 2, 4, [](Penalties& p) { p.m_dates[0] = Date(1, 1, 2016); }},
        {"slot 2 above the tax", 2, 15,
         [](Penalties& p) {
             p.m_dates[0] = Date(6, 1, 2016);
             p.m_amounts[0] = 60000;
             p.m_dates[1] = Date(7, 1, 2016);
             p.m_amounts[1] = 60000;
         }},
        {"slot 23 sound", 23, 0,
         [](Penalties& p) {
             p.m_dates[0] = Date(4, 15, 2016);
             p.m_dates[2] = Date(6, 1, 2016);
             p.m_amounts[0] = 100000;
         }},
        {"slot 23 not received", 23, 3, [](Penalties& p) { p.m_dates[0] = Date(4, 15, 2016); }},
        {"slot 23 due before the tax", 23, 2,
         [](Penalties& p) { p.m_dates[0] = Date(4, 15, 2015); p.m_dates[2] = Date(6, 1, 2016); }},
        {"slot 22 never checked", 22, 0, [](Penalties&) {}},
    };
    for (const DatesCase& dc : cases) {
        SCOPED_TRACE(dc.what);
        Account a;
        a.Add(kEventTax, Date(4, 15, 2016), 100000);
        dc.fill(a.Enable(dc.slot));
        auto c = a.Compute(Date(1, 1, 2017));
        EXPECT_EQ(dc.code, c->CheckPenaltyDates(dc.slot));
    }
}

}  // namespace
