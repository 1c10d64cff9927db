// Payment allocation through ReallocPayments on real accounts: class order,
// pro-rata shares with the remainder to the last category, overpayments,
// designations lowered or kept, whole-dollar shares, liabilities paid oldest
// first, and allocations that do not depend on the order events were added.
#include "AccountFixture.h"

namespace {

// TEN: Simple from 1 Jan 2020, normal 10 %, motivated 6 %, refund 10 %, 366
// days. 1,000,000 x 183 days x 10 % / 366 = 50,000 exactly (1 Jan-2 Jul 2020);
// 100,000 x 122 days x 6 % / 366 = 2,000 exactly (1 Jan-2 May 2020).
class PaymentAllocationTest : public AccountFixture {
protected:
    void SetUp() override
    {
        AccountFixture::SetUp();
        WriteTable("TEN", {{Date(1, 1, 2020), 1, 10.0, 6.0, 10.0, 366}});
        c->SetTableName("TEN");
    }
};

TEST_F(PaymentAllocationTest, TaxFirstThenPenaltiesThenInterest)
{
    // Balances on 2 Jul 2020: tax 1,000,000, interest 50,000, user penalty
    // 100,000; a payment of 1,100,000 pays the tax, then the penalty.
    SetAccount(*c, {{0, Date(1, 1, 2020), 1000000}, {4, Date(1, 1, 2020), 100000}, {2, Date(7, 2, 2020), 1100000}});
    c->ReallocPayments(1000);
    const Payment* p = c->GetEvent(2)->m_allocation;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_payment[0], 1000000.0);
    EXPECT_EQ(p->m_payment[4], 100000.0);
    EXPECT_EQ(p->m_payment[1], 0.0);
    EXPECT_EQ(c->Balances(0), 0.0);
    EXPECT_EQ(c->Balances(1), 50000.0);
    EXPECT_EQ(c->Balances(4), 0.0);
}

TEST_F(PaymentAllocationTest, ProRataSharesWithTheRemainderToTheLastCategory)
{
    // Same day (no interest): tax 1,000,000, motivated tax 10,000 and a user
    // penalty 30,000, the payment's class for motivated tax set to C so that
    // both share class C. What is left after the tax is split 1:3.
    struct Case {
        int wholeDollars;
        double paid, motivated, penalty;
    };
    const std::vector<Case> cases = {
        {0, 1020000, 5000, 15000},   // 20,000 x 1/4 = 5,000; the rest 15,000
        {0, 1020100, 5025, 15075},   // 20,100 x 1/4 = 5,025; the rest 15,075
        {1, 1020100, 5000, 15100},   // 50.25 dollars -> 50; the rest 151 dollars
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.paid + k.wholeDollars);
        CQRTCompute account;
        account.SetTableName("TEN");
        account.WholeDollarMode(k.wholeDollars);
        SetAccount(account, {{0, Date(3, 1, 2020), 1000000},
                             {1, Date(3, 1, 2020), 10000},
                             {4, Date(3, 1, 2020), 30000},
                             {2, Date(3, 1, 2020), k.paid}});
        account.GetEvent(3)->EnsureAllocation()->m_class[2] = 'C';
        account.ReallocPayments(1000);
        const Payment* p = account.GetEvent(3)->m_allocation;
        EXPECT_EQ(p->m_payment[0], 1000000.0);
        EXPECT_EQ(p->m_payment[2], k.motivated);
        EXPECT_EQ(p->m_payment[4], k.penalty);
        EXPECT_EQ(p->m_class[2], 'C');   // the letters survive the allocation
    }
}

TEST_F(PaymentAllocationTest, RoundedSharesNeverPlaceMoreThanThePayment)
{
    // Whole dollars, one day (no interest): tax 10,000, motivated tax 100,000
    // (moved to class C) and a user penalty 100,000; the payment of 10,150
    // designates 10,000 to tax. The 150 left is split 1:1 in class C: 75 is
    // rounded to 100 for the motivated tax, and the 50 left rounds to 100 as
    // well, which would place 10,200; the last share is cut to 50.
    SetAccount(*c, {{0, Date(3, 1, 2020), 10000},
                    {1, Date(3, 1, 2020), 100000},
                    {4, Date(3, 1, 2020), 100000},
                    {2, Date(3, 1, 2020), 10150}});
    c->WholeDollarMode(1);
    Payment* designated = c->GetEvent(3)->EnsureAllocation();
    designated->m_class[2] = 'C';
    designated->m_specific[0] = 10000;
    c->ReallocPayments(1000);
    const Payment* p = c->GetEvent(3)->m_allocation;
    EXPECT_EQ(p->m_payment[0], 10000.0);
    EXPECT_EQ(p->m_payment[2], 100.0);
    EXPECT_EQ(p->m_payment[4], 50.0);
    EXPECT_EQ(c->GetEvent(3)->m_balof, 0.0);
}

TEST_F(PaymentAllocationTest, AnOverpaymentGoesToTaxForPaymentsButNotForDeposits)
{
    for (int kind : {2, 3}) {
        SCOPED_TRACE(kind);
        CQRTCompute account;
        account.SetTableName("TEN");
        SetAccount(account, {{0, Date(3, 1, 2020), 100000}, {kind, Date(3, 1, 2020), 150000}});
        account.ReallocPayments(1000);
        const CEvent* e = account.GetEvent(1);
        EXPECT_EQ(e->m_allocation->m_payment[0], kind == 2 ? 150000.0 : 100000.0);
        EXPECT_EQ(e->m_balof, -50000.0);   // until the next DoPaidtoBalof

        ASSERT_EQ(account.MainCompute(Date(4, 1, 2020), -1, 0), 1);
        EXPECT_EQ(account.ExcessDeposits(), kind == 3 ? 1 : 0);
        EXPECT_EQ(e->m_balof, 0.0);
    }
}

TEST_F(PaymentAllocationTest, DesignationsAreLoweredToTheBalanceOrKept)
{
    struct Case {
        const char* what;
        std::vector<EventRow> events;
        int category;
        double designated, keptDesignation, allocated;
    };
    const std::vector<Case> cases = {
        {"motivated interest of 2,000",
         {{1, Date(1, 1, 2020), 100000}, {2, Date(5, 2, 2020), 50000}}, 3, 5000, 2000, 2000},
        {"tax overpaid on purpose by a payment",
         {{0, Date(3, 1, 2020), 100000}, {2, Date(3, 1, 2020), 150000}}, 0, 150000, 150000, 150000},
        {"tax designation of a deposit",
         {{0, Date(3, 1, 2020), 100000}, {3, Date(3, 1, 2020), 150000}}, 0, 150000, 100000, 100000},
        {"designation beyond the payment itself",
         {{0, Date(3, 1, 2020), 100000}, {2, Date(3, 1, 2020), 60000}}, 0, 90000, 60000, 60000},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        CQRTCompute account;
        account.SetTableName("TEN");
        int i = 0;
        for (const EventRow& row : k.events) {
            account.GetEvent(i)->m_type = static_cast<uint16_t>(row.kind);
            account.GetEvent(i)->m_date = row.date;
            account.GetEvent(i++)->m_amount = row.amount;
        }
        account.GetEvent(1)->EnsureAllocation()->m_specific[k.category] = k.designated;
        account.ReallocPayments(1000);
        const Payment* p = account.GetEvent(1)->m_allocation;
        EXPECT_EQ(p->m_specific[k.category], k.keptDesignation);
        EXPECT_EQ(p->m_payment[k.category], k.allocated);
        double sum = 0.0;
        for (double part : p->m_payment) sum += part;
        EXPECT_LE(sum, account.GetEvent(1)->m_amount + 0.5);
    }
}

TEST_F(PaymentAllocationTest, AUserNamedPenaltyIsOwedNotPaid)
{
    // A user named penalty (kind 10) joins the user-penalty balance; it does
    // not lower the tax balance as money paid would.
    SetAccount(*c, {{0, Date(3, 1, 2020), 100000}, {10, Date(3, 1, 2020), 30000}, {2, Date(3, 1, 2020), 130000}});
    c->ReallocPayments(1000);
    const Payment* p = c->GetEvent(2)->m_allocation;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_payment[0], 100000.0);
    EXPECT_EQ(p->m_payment[4], 30000.0);
}

TEST_F(PaymentAllocationTest, PaymentsPayTheOldestLiabilityFirst)
{
    SetAccount(*c, {{0, Date(1, 1, 2020), 500}, {0, Date(2, 1, 2020), 700}, {2, Date(2, 1, 2020), 900}});
    ASSERT_EQ(Compute(*c, Date(3, 1, 2020)), 1);
    EXPECT_EQ(c->GetEvent(2)->m_allocation->m_payment[0], 900.0);
    EXPECT_EQ(c->GetEvent(0)->m_balof, 0.0);
    EXPECT_EQ(c->GetEvent(1)->m_balof, 300.0);
}

TEST_F(PaymentAllocationTest, AllocationDoesNotDependOnTheOrderEventsWereAdded)
{
    WriteHandTable("HAND");
    const std::vector<EventRow> account = {{0, Date(2, 15, 2020), 1000000},
                                           {1, Date(3, 1, 2020), 200000},
                                           {2, Date(4, 15, 2020), 300000},
                                           {3, Date(6, 1, 2020), 50000},
                                           {2, Date(9, 30, 2020), 900000},
                                           {4, Date(10, 1, 2020), 25000},
                                           {8, Date(11, 1, 2020), 10000}};
    const std::vector<std::vector<int>> orders = {
        {0, 1, 2, 3, 4, 5, 6}, {6, 5, 4, 3, 2, 1, 0}, {2, 0, 4, 1, 6, 3, 5}, {4, 6, 0, 2, 5, 1, 3}};
    std::string first;
    for (const std::vector<int>& order : orders) {
        CQRTCompute target;
        target.SetTableName("HAND");
        for (size_t slot = 0; slot < order.size(); ++slot) {
            const EventRow& row = account[static_cast<size_t>(order[slot])];
            target.GetEvent(static_cast<int>(slot))->m_type = static_cast<uint16_t>(row.kind);
            target.GetEvent(static_cast<int>(slot))->m_date = row.date;
            target.GetEvent(static_cast<int>(slot))->m_amount = row.amount;
        }
        ASSERT_EQ(Compute(target, Date(3, 31, 2021)), 1);
        for (int i = 0; i < 7; ++i) {
            const CEvent* e = target.GetEvent(i);
            EXPECT_EQ(e->m_allocation != nullptr, IsPaymentKind(e->m_type) != 0) << "slot " << i;
        }
        const std::string snapshot = Snapshot(target);
        if (first.empty()) first = snapshot;
        EXPECT_EQ(snapshot, first);
    }
}

} // namespace

// A stop-interest event entered with an amount (a computation gives it none)
// on the day of a tax and a payment. By amount it sorts after both; once the
// computation has emptied it, first. The allocation must take the payment
// then, not the tax now in the payment's old slot: a tax with a split counted
// its own amount as paid, and the older tax showed 700 owed instead of 900.
TEST_F(PaymentAllocationTest, AStopInterestAmountDoesNotMoveTheAllocatedSlot)
{
    SetAccount(*c, {{0, Date(1, 1, 2020), 1000}, {0, Date(3, 1, 2020), 200}, {2, Date(3, 1, 2020), 100},
                    {5, Date(3, 1, 2020), 500}});
    ASSERT_EQ(Compute(*c, Date(3, 1, 2020)), 1);
    for (int i = 0; i < 4; ++i) {
        const CEvent* e = c->GetEvent(i);
        EXPECT_EQ(e->m_allocation != nullptr, IsPaymentKind(e->m_type) != 0) << "slot " << i;
        if (e->m_type == 0) {
            EXPECT_EQ(e->m_balof, e->m_date == Date(1, 1, 2020) ? 900.0 : 200.0);
        }
    }
}
