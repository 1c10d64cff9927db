// The ends of the interest streams: motivated interest runs to the
// computation date, 6621(c) cuts never run a stream backwards, and the
// over-$100,000 warning sees the balance of compounding periods.
#include "AccountFixture.h"

#include <filesystem>

namespace {

using StreamEdgesTest = AccountFixture;

// Motivated tax of 500,000 on 15 Jan 2020 computed to 15 Feb 2020, inside
// HAND's first period (Simple, motivated 7 %, 366 days):
//   500,000 x 31 days x 7 % / 366 = 2,964.48 -> 2,964.
TEST_F(StreamEdgesTest, MotivatedInterestRunsToTheComputationDate)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{1, Date(1, 15, 2020), 500000}});
    ASSERT_EQ(Compute(*c, Date(2, 15, 2020)), 1);

    const auto motivated = Records(c->MotivatedBase());
    ASSERT_EQ(motivated.size(), 2u);
    EXPECT_EQ(motivated[1]->m_kind, 500);
    EXPECT_EQ(motivated[1]->m_start, Date(1, 15, 2020));
    EXPECT_EQ(motivated[1]->m_end, Date(2, 15, 2020));
    EXPECT_EQ(motivated[1]->m_principal, 500000.0);
    EXPECT_EQ(motivated[1]->m_interest, 2964.0);
    EXPECT_EQ(c->InterestMotivated(), 2964.0);
    // The balance is the taxes plus every interest total, and it is what the
    // motivated stream itself holds at the end.
    EXPECT_EQ(c->BalanceDue(), 502964.0);
    EXPECT_EQ(c->m_motivatedPrincipal + c->m_motivatedInterestDue, c->BalanceDue());
}

// Motivated interest after a payment: the last motivated period (from the
// payment on 1 Mar 2020 to 1 Apr 2020) is accrued too.
//   15 Jan-1 Mar: 500,000 x 46 x 7 % / 366 = 4,398.91 -> 4,399
//   the payment of 100,000 goes to motivated tax (class B before E)
//   1 Mar-1 Apr: 400,000 x 31 x 7 % / 366 = 2,371.58 -> 2,372
TEST_F(StreamEdgesTest, MotivatedInterestAfterTheLastPaymentIsAccrued)
{
    WriteHandTable("HAND");
    c->SetTableName("HAND");
    SetAccount(*c, {{1, Date(1, 15, 2020), 500000}, {2, Date(3, 1, 2020), 100000}});
    ASSERT_EQ(Compute(*c, Date(4, 1, 2020)), 1);

    const Payment* p = c->GetEvent(1)->m_allocation;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_payment[2], 100000.0);
    EXPECT_EQ(p->m_payment[3], 0.0);
    EXPECT_EQ(c->InterestMotivated(), 4399.0 + 2372.0);
    // taxes 500,000 - payments 100,000 + interest 6,771
    EXPECT_EQ(c->BalanceDue(), 406771.0);
    EXPECT_EQ(c->m_motivatedPrincipal + c->m_motivatedInterestDue, c->BalanceDue());
}

// Hot interest from 1 Jun 2000 with the restart option on and a restart on
// 1 Jan 2001: hot interest started after 1997 has no stop at 31 Dec 1997 to
// undo, so the restart cannot take effect: hot interest runs on from its
// start (one cut, at 1 Jun 2000) and HotError tells the caller.
TEST_F(StreamEdgesTest, HotStartAfter1997IgnoresTheRestartOption)
{
    WriteTable("DLY", {{Date(1, 1, 1990), 2, 8.0, 10.0, 7.0, 365}});
    c->SetTableName("DLY");
    SetAccount(*c, {{0, Date(1, 1, 1999), 20000000}});
    c->HotInterest(1);
    c->HotApplicable(Date(6, 1, 2000));
    c->HotInterest2(1);
    c->HotApplicable2(Date(1, 1, 2001));
    ASSERT_EQ(Compute(*c, Date(12, 31, 2001)), 1);
    EXPECT_EQ(c->HotError(), 1);

    const auto normal = Records(c->NormalBase());
    struct Expected {
        int kind;
        Date start, end;
        int hot;
    };
    const std::vector<Expected> expected = {
        {0, Date(1, 1, 1954), Date(1, 1, 1999), 0},
        {33, Date(1, 1, 1999), Date(6, 1, 2000), 0},
        {500, Date(6, 1, 2000), Date(12, 31, 2001), 1},
    };
    ASSERT_EQ(normal.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(normal[i]->m_kind, expected[i].kind);
        EXPECT_EQ(normal[i]->m_start, expected[i].start);
        EXPECT_EQ(normal[i]->m_end, expected[i].end);
        EXPECT_EQ(normal[i]->m_hot, expected[i].hot);
    }
    // Daily 8 % / 365 from 1 Jan 1999 to 1 Jun 2000 (517 days), then 10 %
    // (8 + 2 points) for 578 days: 20,000,000 x [(1 + .08/365)^517 x
    // (1 + .10/365)^578 - 1] = 20,000,000 x 0.3121107866 = 6,242,215.73; the
    // two periods rounded one by one (2,399,417 + 3,842,799) give 6,242,216.
    EXPECT_NEAR(c->InterestNormal(), 6242216.0, 1.0);
}

// A tax of $200,000 under daily compounding with hot interest off: the
// balance of the compounding periods exceeds $100,000, so the warning is set.
TEST_F(StreamEdgesTest, OverHundredThousandWarningUnderDailyCompounding)
{
    WriteTable("DLY", {{Date(1, 1, 1990), 2, 8.0, 10.0, 7.0, 365}});
    struct Case {
        double tax;
        int hot;
        int warned;
    };
    for (const Case& k : {Case{20000000, 0, 1}, Case{5000000, 0, 0}, Case{20000000, 1, 0}}) {
        SCOPED_TRACE(k.tax);
        CQRTCompute account;
        account.SetTableName("DLY");
        SetAccount(account, {{0, Date(2, 15, 2019), k.tax}});
        account.HotInterest(k.hot);
        account.HotApplicable(Date(6, 1, 2019));
        ASSERT_EQ(Compute(account, Date(12, 31, 2019)), 1);
        EXPECT_EQ(account.NoHotInterestOver100K(), k.warned);
    }
}

// A corporate overpayment above the GATT threshold on the federal table: the
// part beyond $100,000 moves to the GATT principal and earns GATT interest.
// However the netting splits it, no money is lost: the two principals and the
// interest still due add up to the balance.
TEST_F(StreamEdgesTest, GattNettingKeepsEveryCent)
{
    std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3", "FEDERAL.TB3");
    c->SetTableName("FEDERAL");
    c->GATTOn(1);
    c->GATTAmount(10000000);
    SetAccount(*c, {{0, Date(4, 15, 1996), 50000000},
                    {2, Date(6, 15, 1996), 20000000},
                    {2, Date(4, 15, 1997), 60000000},
                    {0, Date(3, 15, 1998), 5000000}});
    ASSERT_EQ(Compute(*c, Date(12, 31, 1999)), 1);

    EXPECT_LT(c->InterestGATT(), 0.0);
    EXPECT_LT(c->InterestRefund(), 0.0);
    EXPECT_EQ(c->GattDoublePayment(), 1);
    EXPECT_EQ(c->GattTaxEvent(), 1);
    const double held = c->m_normalPrincipal + c->m_gattPrincipal + c->m_normalInterestDue +
                        c->m_refundInterestDue + c->m_gattInterestDue;
    EXPECT_NEAR(held, c->BalanceDue(), 0.5);
    EXPECT_LT(c->m_gattPrincipal, 0.0);
}

} // namespace
