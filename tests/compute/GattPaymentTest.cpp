// GATT bookkeeping of the driver: how ApplyPayment nets a payment's tax part
// against the normal principal, the GATT room and the GATT principal, and the
// split of a large overpayment at the end of 1994.
#include "AccountFixture.h"

namespace {

using GattPaymentTest = AccountFixture;

struct ApplyCase {
    const char* what;
    int kind;                     // 2 payment, 3 deposit
    double amount;                // the event's amount
    double paidTax, paidInterest;   // m_payment[0], m_payment[1]
    double normal, interestDue, gatt, left, start;   // before
    double normalAfter, interestDueAfter, gattAfter, leftAfter;
    int excess;                   // ExcessDeposits afterwards
};

// A Simple (non-compounding) table whose name begins with FED and GATT on:
// the interest part is taken off the interest due and handed back to the
// GATT room; the tax part first uses up a positive normal principal, then the
// room, and what goes beyond the room is taken off the GATT principal.
TEST_F(GattPaymentTest, ApplyPaymentNetsTheTaxPartAgainstTheGattRoom)
{
    WriteTable("FEDS", {{Date(1, 1, 2020), 1, 5.0, 7.0, 4.0, 366}});
    const std::vector<ApplyCase> cases = {
        // Principal covers the tax part: 500,000 - 300,000 = 200,000; room
        // 1,000,000 - 300,000 + 20,000 (interest) + 500,000 (N) = 1,220,000,
        // capped at the room before the payment, 1,000,000.
        {"principal covers it", 2, 320000, 300000, 20000, 500000, 20000, 0, 1000000, 1000000, 200000, 0, 0,
         1000000, 0},
        // No room: 100,000 of principal used up, the other 300,000 overpay
        // the GATT principal.
        {"no room", 2, 400000, 400000, 0, 100000, 0, 0, 0, 1000000, 0, 0, -300000, 0, 0},
        // Room 500,000 covers the other 300,000: normal 0 - 300,000; room
        // 500,000 - 400,000 + 100,000 (N) = 200,000.
        {"room enough", 2, 400000, 400000, 0, 100000, 0, 0, 500000, 1000000, -300000, 0, 0, 200000, 0},
        // The room is the smaller of start and left: start 200,000 of left
        // 500,000; 200,000 of the 300,000 overpays the normal principal, the
        // other 100,000 the GATT principal; the room is used up.
        {"room short", 2, 400000, 400000, 0, 100000, 0, 0, 500000, 200000, -200000, 0, -100000, 0, 0},
        // A deposit is not netted: 100,000 - 400,000; the unplaced 50,000 of
        // it is flagged.
        {"deposit", 3, 450000, 400000, 0, 100000, 0, 0, 500000, 200000, -300000, 0, 0, 500000, 1},
        // Interest overpaid moves into principal: due 10,000 - 30,000 =
        // -20,000; principal 500,000 - 100,000 - 20,000 = 380,000.
        {"interest overpaid", 2, 130000, 100000, 30000, 500000, 10000, 0, 1000000, 1000000, 380000, 0, 0,
         1000000, 0},
    };
    for (const ApplyCase& k : cases) {
        SCOPED_TRACE(k.what);
        auto account = std::make_unique<CQRTCompute>();
        account->SetTableName("FEDS");
        account->GATTOn(1);
        account->GATTAmount(1000000);
        SetAccount(*account, {{0, Date(1, 1, 2020), 100}, {k.kind, Date(1, 2, 2020), k.amount}});
        // Loads the table and switches the GATT rules on for this account.
        ASSERT_EQ(account->MainCompute(Date(1, 1, 2020), -1, 0), 1);
        ASSERT_EQ(account->m_federalGatt, 1);

        Payment* p = account->GetEvent(1)->EnsureAllocation();
        p->m_payment[0] = k.paidTax;
        p->m_payment[1] = k.paidInterest;
        account->m_normalPrincipal = k.normal;
        account->m_normalInterestDue = k.interestDue;
        account->m_gattPrincipal = k.gatt;
        account->m_gattAmountLeft = k.left;
        account->m_gattAmountStart = k.start;
        account->ApplyPayment(1, nullptr, 0);

        EXPECT_EQ(account->m_normalPrincipal, k.normalAfter);
        EXPECT_EQ(account->m_normalInterestDue, k.interestDueAfter);
        EXPECT_EQ(account->m_gattPrincipal, k.gattAfter);
        EXPECT_EQ(account->m_gattAmountLeft, k.leftAfter);
        EXPECT_EQ(account->ExcessDeposits(), k.excess);
    }
}

// Tax of 50,000,000 on 1 Jan 1994 and a payment of 80,000,000 on 1 Jul 1994
// on a single-entry Simple table "FEDX" (normal 10 %, refund 8 %, 365 days),
// GATT threshold 10,000,000, computed to 31 Dec 1995; a start-interest event
// on 30 Jun 1995 makes the step that crosses the end of 1994 an event step.
//   interest 1 Jan-1 Jul 1994: 50,000,000 x 181 x 10 % / 365 = 2,479,452.05
//   the payment: tax 50,000,000, interest 2,479,452, overpaid 27,520,548;
//   10,000,000 of it (the GATT room) stays normal, 17,520,548 is GATT.
//   split 1 Jul-31 Dec 1994 (183 days, refund rate 8 %):
//     -10,000,000 x 183 x 8 % / 365 = -401,095.89 -> -401,096, added to the
//     principal at once: -10,401,096
//     GATT -17,520,548 x 183 x 8 % / 365 = -702,741.98 -> -702,742
//   31 Dec 1994-30 Jun 1995 (181 days, all of them in 1995, so GATT at
//   8 - 1.5 = 6.5 %):
//     -10,401,096 x 181 x 8 % / 365 = -412,624.30 -> -412,624
//     GATT -17,520,548 x 181 x 6.5 % / 365 = -564,737.66 -> -564,738
//   30 Jun-31 Dec 1995 (184 days), GATT at 8 - 1.5 = 6.5 %:
//     -10,401,096 x 184 x 8 % / 365 = -419,463.38 -> -419,463
//     GATT -17,520,548 x 184 x 6.5 % / 365 = -574,097.96 -> -574,098
TEST_F(GattPaymentTest, AnOverpaymentStandingAtTheEndOf1994IsSplitThere)
{
    WriteTable("FEDX", {{Date(1, 1, 1994), 1, 10.0, 12.0, 8.0, 365}});
    c->SetTableName("FEDX");
    c->GATTOn(1);
    c->GATTAmount(10000000);
    SetAccount(*c, {{0, Date(1, 1, 1994), 50000000}, {2, Date(7, 1, 1994), 80000000}, {6, Date(6, 30, 1995), 0}});
    ASSERT_EQ(Compute(*c, Date(12, 31, 1995)), 1);

    struct Expected {
        int kind;
        Date start, end;
        double principal, interest, gattPrincipal, gattInterest;
    };
    const std::vector<Expected> expected = {
        {0, Date(1, 1, 1954), Date(1, 1, 1994), 0, 0, 0, 0},
        {2, Date(1, 1, 1994), Date(7, 1, 1994), 50000000, 2479452, 0, 0},
        {100, Date(7, 1, 1994), Date(12, 31, 1994), -10000000, -401096, -17520548, -702742},
        {6, Date(12, 31, 1994), Date(6, 30, 1995), -10401096, -412624, -17520548, -564738},
        {500, Date(6, 30, 1995), Date(12, 31, 1995), -10401096, -419463, -17520548, -574098},
    };
    const auto normal = Records(c->NormalBase());
    ASSERT_EQ(normal.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(normal[i]->m_kind, expected[i].kind);
        EXPECT_EQ(normal[i]->m_start, expected[i].start);
        EXPECT_EQ(normal[i]->m_end, expected[i].end);
        EXPECT_EQ(normal[i]->m_principal, expected[i].principal);
        EXPECT_EQ(normal[i]->m_interest, expected[i].interest);
        EXPECT_EQ(normal[i]->m_gattPrincipal, expected[i].gattPrincipal);
        EXPECT_EQ(normal[i]->m_gattInterest, expected[i].gattInterest);
    }
    EXPECT_EQ(c->InterestNormal(), 2479452.0);
    EXPECT_EQ(c->InterestRefund(), -401096.0 - 412624.0 - 419463.0);
    EXPECT_EQ(c->InterestGATT(), -702742.0 - 564738.0 - 574098.0);
    // -30,000,000 + 2,479,452 - 1,233,183 - 1,841,578
    EXPECT_EQ(c->BalanceDue(), -30595309.0);
}

} // namespace
