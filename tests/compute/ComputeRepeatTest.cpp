// A compute object filled, computed, copied into and computed again, then
// destroyed, many times over: under the asan preset any leak, double free or
// use after free of the events' allocations, names and result lists fails it.
#include <filesystem>

#include "AccountFixture.h"
#include "ComputeTestSupport.h"

using qrt_test::AddEvent;
using qrt_test::NewCompute;

namespace {

using ComputeRepeat = AccountFixture;  // a scratch current folder

TEST_F(ComputeRepeat, FilledComputedCopiedIntoAndDestroyedRepeatedly)
{
    std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3", "FEDERAL.TB3");
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, Date(4, 15, 2019), 1000000.0, "Return");
    AddEvent(events.slots, kEventPayment, Date(6, 1, 2019), 200000.0);
    AddEvent(events.slots, kEventUserPenalty, Date(7, 1, 2019), 5000.0, "Late fee");
    AddEvent(events.slots, kEventPayment, Date(1, 15, 2020), 300000.0, "Check 1201");
    AddEvent(events.slots, kEventDeposit, Date(3, 2, 2020), 50000.0);
    AddEvent(events.slots, kEventMotivatedTax, Date(4, 15, 2019), 80000.0);
    const int designated = AddEvent(events.slots, kEventPayment, Date(9, 9, 2020), 100000.0);
    events.slots[designated].EnsureAllocation()->m_specific[kCategoryInterest] = 10000.0;

    Penalties penalties[CQRTCompute::kPenaltySlots];
    Penalties& ftp = penalties[kPenalty6651a2];
    ftp.Enable(1);
    ftp.m_dates[0] = Date(4, 15, 2019);
    ftp.m_amounts[0] = 1000000.0;

    double firstBalance = 0.0;
    for (int round = 0; round < 8; ++round) {
        auto compute = NewCompute();
        compute->SetEvents(events.slots);
        compute->SetPenalties(penalties);
        compute->SetTableName("FEDERAL");
        compute->SetTaxDueDate();
        compute->ReallocPayments(CQRTCompute::kMaxEvents - 1);
        ASSERT_EQ(compute->MainCompute(Date(12, 31, 2021), -1, round % 2), 1) << round;
        ASSERT_NE(compute->NormalBase(), nullptr);
        const double balance = compute->BalanceDue();
        if (round == 0)
            firstBalance = balance;
        if (round % 2 == 0) {
            EXPECT_EQ(balance, firstBalance) << round;
        }

        // Copied into again after a computation, then computed once more.
        compute->SetEvents(events.slots);
        compute->ReallocPayments(CQRTCompute::kMaxEvents - 1);
        ASSERT_EQ(compute->MainCompute(Date(12, 31, 2021), -1, round % 2), 1) << round;
        EXPECT_EQ(compute->BalanceDue(), balance) << round;
        // Sorted: the motivated tax of 80,000 comes before the tax of that date.
        EXPECT_STREQ(compute->GetEvent(1)->m_userName, "Return");
    }
    EXPECT_GT(firstBalance, 0.0);
}

// SetEvents of only the used slots onto an object that held more events:
// the later slots are emptied (names and allocations freed) and the
// computation equals a fresh object's.
TEST_F(ComputeRepeat, SettingFewerUsedSlotsEmptiesTheRest)
{
    std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3", "FEDERAL.TB3");
    qrt_test::EventArray many;
    for (int i = 0; i < 6; ++i)
        AddEvent(many.slots, i % 2 == 0 ? kEventTax : kEventPayment, Date(4, 15, 2015 + i), 100000.0, "Named");
    qrt_test::EventArray few;
    AddEvent(few.slots, kEventTax, Date(4, 15, 2019), 1000000.0, "Return");
    AddEvent(few.slots, kEventPayment, Date(6, 1, 2019), 200000.0);

    auto reused = NewCompute();
    auto fresh = NewCompute();
    reused->SetEvents(many.slots);
    reused->SetEvents(few.slots, 2);
    fresh->SetEvents(few.slots);
    for (auto* c : {reused.get(), fresh.get()}) {
        c->SetTableName("FEDERAL");
        c->SetTaxDueDate();
        c->ReallocPayments(CQRTCompute::kMaxEvents);
        ASSERT_EQ(c->MainCompute(Date(12, 31, 2021), -1, 0), 1);
    }
    for (int i = 2; i < CQRTCompute::kMaxEvents; ++i) ASSERT_TRUE(reused->GetEvent(i)->IsEmpty()) << i;
    EXPECT_EQ(reused->BalanceDue(), fresh->BalanceDue());
    EXPECT_GT(fresh->BalanceDue(), 0.0);
}

}  // namespace
