// Inputs of the compute object: money rounding, the tax due date and totals,
// deep copies of events, and repeated fill / destroy cycles (the asan preset
// turns any leak or use after free into a failure).
#include <gtest/gtest.h>

#include <cstring>

#include "ComputeTestSupport.h"

using qrt_test::AddEvent;
using qrt_test::NewCompute;

namespace {

struct RoundCase {
    double value;
    int wholeDollars;
    double expected;
};

// Half away from zero, in cents or in whole dollars (multiples of 100 cents).
const RoundCase kRoundCases[] = {
    {12350.0, 1, 12400.0},    // $123.50 -> $124
    {-12350.0, 1, -12400.0},  // -$123.50 -> -$124
    {12349.0, 1, 12300.0},    // $123.49 -> $123
    {-12349.0, 1, -12300.0},
    {12349.5, 0, 12350.0},    // half a cent up
    {-12349.5, 0, -12350.0},  // and down for a negative amount
    {12349.49, 0, 12349.0},
    {-12349.49, 0, -12349.0},
    {0.5, 0, 1.0},
    {-0.5, 0, -1.0},
    {0.4999, 0, 0.0},
    {50.0, 1, 100.0},         // half a dollar
    {-49.0, 1, -0.0},
    {7.0, 0, 7.0},
};

TEST(RoundMoney, HalvesRoundAwayFromZeroInBothModes)
{
    for (const RoundCase& c : kRoundCases) {
        double v = c.value;
        CQRTCompute::RoundMoney(v, c.wholeDollars);
        EXPECT_EQ(v, c.expected) << c.value << " whole dollars " << c.wholeDollars;
    }
    auto compute = NewCompute();
    compute->WholeDollarMode(1);
    double v = 12350.0;
    compute->RoundMoney(v);
    EXPECT_EQ(v, 12400.0);
}

TEST(TaxDueDate, ConflictingTaxDatesGiveNoDateButTheFullTotal)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, Date(4, 15, 2020), 100000.0);
    AddEvent(events.slots, kEventDebit, Date(6, 1, 2020), 25000.0);
    compute->SetEvents(events.slots);
    compute->SetTaxDueDate();
    EXPECT_FALSE(compute->TaxDueDate().isValid());
    EXPECT_EQ(compute->TotalTax(), 125000.0);
    EXPECT_EQ(compute->TaxNormal(), 125000.0);
    EXPECT_EQ(compute->TotalLiability(), 125000.0);
}

TEST(TaxDueDate, SharedDateOfAllTaxKindsIsTheTaxDueDate)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, Date(4, 15, 2020), 100000.0);
    AddEvent(events.slots, kEventMotivatedTax, Date(4, 15, 2020), 30000.0);
    compute->SetEvents(events.slots);
    compute->SetTaxDueDate();
    EXPECT_EQ(compute->TaxDueDate(), Date(4, 15, 2020));
    EXPECT_EQ(compute->TotalTax(), 130000.0);
}

TEST(TaxDueDate, CheckFromTheAuthorityDoesNotCancelIt)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, Date(4, 15, 2020), 100000.0);
    AddEvent(events.slots, kEventIRSCheck, Date(9, 1, 2020), 5000.0, nullptr, 4000.0);
    compute->SetEvents(events.slots);
    compute->SetTaxDueDate();
    EXPECT_EQ(compute->TaxDueDate(), Date(4, 15, 2020));
    EXPECT_EQ(compute->TotalTax(), 105000.0);  // the check counts as tax
}

TEST(TaxDueDate, CheckDatedBeforeTheTaxDoesNotDecideIt)
{
    // A check that precedes the tax neither becomes the due date nor
    // contradicts the tax date: all taxes other than checks share one date.
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventIRSCheck, Date(1, 10, 2020), 5000.0, nullptr, 4000.0);
    AddEvent(events.slots, kEventTax, Date(4, 15, 2020), 100000.0);
    compute->SetEvents(events.slots);
    compute->SetTaxDueDate();
    EXPECT_EQ(compute->TaxDueDate(), Date(4, 15, 2020));
}

TEST(TaxDueDate, AccountOfChecksOnlyTakesTheFirstCheckDate)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventIRSCheck, Date(1, 10, 2020), 5000.0, nullptr, 4000.0);
    AddEvent(events.slots, kEventIRSCheck, Date(3, 10, 2020), 5000.0, nullptr, 4000.0);
    compute->SetEvents(events.slots);
    compute->SetTaxDueDate();
    EXPECT_EQ(compute->TaxDueDate(), Date(1, 10, 2020));
}

TEST(TaxDueDate, LiabilityLosesPaymentsOnTheTaxDateAndEveryCredit)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, Date(4, 15, 2020), 100000.0);
    AddEvent(events.slots, kEventPayment, Date(4, 15, 2020), 30000.0);  // on the tax date
    AddEvent(events.slots, kEventPayment, Date(5, 15, 2020), 20000.0);  // later: not taken
    AddEvent(events.slots, kEventCredit, Date(6, 15, 2020), 5000.0);    // any date
    AddEvent(events.slots, kEventDeposit, Date(4, 15, 2020), 7000.0);   // deposits never
    compute->SetEvents(events.slots);
    compute->SetTaxDueDate();
    EXPECT_EQ(compute->TotalTax(), 100000.0);
    EXPECT_EQ(compute->TotalLiability(), 100000.0 - 30000.0 - 5000.0);
}

TEST(Totals, EventSumsStopAtTheDate)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, Date(4, 15, 2020), 100000.0);
    AddEvent(events.slots, kEventUserPenalty, Date(4, 15, 2020), 3000.0);
    AddEvent(events.slots, kEventPayment, Date(5, 1, 2020), 40000.0);
    AddEvent(events.slots, kEventMotivatedTax, Date(6, 1, 2020), 8000.0);
    AddEvent(events.slots, kEventCredit, Date(7, 1, 2020), 1000.0);
    AddEvent(events.slots, kEventUserNamedPenalty, Date(8, 1, 2020), 500.0, "Late fee");
    compute->SetEvents(events.slots);
    const Date all;  // no date: later than every event
    EXPECT_EQ(compute->AllTaxes(all), 108000.0);
    EXPECT_EQ(compute->AllTaxes(Date(5, 31, 2020)), 100000.0);
    EXPECT_EQ(compute->AllPayments(all), 41000.0);
    EXPECT_EQ(compute->EventPenalties(all), 3500.0);
    EXPECT_EQ(compute->EventPenalties(Date(7, 31, 2020)), 3000.0);
    // 100000 + 3000 - 40000 + 8000 - 1000 + 500
    EXPECT_EQ(compute->EventStreamAmounts(all), 70500.0);
    // kinds 0, 1, 7 add, payments subtract: 100000 - 40000 + 8000 - 1000
    EXPECT_EQ(compute->NetTaxDueOn(all), 67000.0);
    // first tax date 15 April: tax and user penalty of that date
    EXPECT_EQ(compute->NetTaxDue(), 103000.0);
    EXPECT_EQ(compute->GetFirstLiabDate(), Date(4, 15, 2020));
    EXPECT_EQ(compute->GetLastEventDate(), Date(8, 1, 2020));
}

TEST(Totals, PenaltySlotQueriesSkipHotInterest)
{
    auto compute = NewCompute();
    Penalties penalties[24];
    penalties[kPenalty6651a2].Enable(1);
    penalties[kPenalty6621c].Enable(1);
    compute->SetPenalties(penalties);
    compute->m_penaltyAmount[kPenalty6651a2] = 1500.0;
    compute->m_penaltyAmount[kPenalty6662c] = 700.0;  // not enabled
    EXPECT_EQ(compute->AnyIRSPenalties(), 1);
    EXPECT_EQ(compute->TotalIRSPenalties(), 1);
    EXPECT_EQ(compute->AllPenalties(Date()), 1500.0);
    EXPECT_EQ(compute->RealPenalties(), 2200.0);
    compute->TurnOffPenalties();
    EXPECT_EQ(compute->AnyIRSPenalties(), 0);
    EXPECT_EQ(compute->GetPenalty(kPenalty6621c)->IsEnabled(), 1);
}

TEST(Totals, RefundingReadsTheLastCashFlowBeforeTheDate)
{
    auto compute = NewCompute();
    EXPECT_EQ(compute->Refunding(Date(1, 1, 2021)), 0);
    auto* owing = new CashFlow{Date(1, 1, 2020), 1, nullptr, nullptr};
    auto* refund = new CashFlow{Date(6, 1, 2020), -1, nullptr, owing};
    owing->m_next = refund;
    compute->m_cashFlow = owing;
    EXPECT_EQ(compute->Refunding(Date(6, 1, 2020)), 0);  // "before" is strict
    EXPECT_EQ(compute->Refunding(Date(6, 2, 2020)), 1);
}

TEST(SetEvents, CopiesNamesAndAllocationsDeeply)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    const int pay = AddEvent(events.slots, kEventPayment, Date(5, 1, 2020), 500.0, "Check 1001");
    Payment* p = events.slots[pay].EnsureAllocation();
    p->m_specific[kCategoryInterest] = 125.0;
    p->m_class[3] = 'A';
    compute->SetEvents(events.slots);

    CEvent* copy = compute->GetEvent(pay);
    ASSERT_NE(copy->m_userName, nullptr);
    ASSERT_NE(copy->m_allocation, nullptr);
    EXPECT_NE(copy->m_userName, events.slots[pay].m_userName);
    EXPECT_NE(copy->m_allocation, events.slots[pay].m_allocation);
    std::strcpy(events.slots[pay].m_userName, "changed");
    p->m_specific[kCategoryInterest] = 0.0;
    EXPECT_STREQ(copy->m_userName, "Check 1001");
    EXPECT_EQ(copy->m_allocation->m_specific[kCategoryInterest], 125.0);
    EXPECT_EQ(copy->m_allocation->m_class[3], 'A');
    EXPECT_EQ(copy->m_allocation->m_class[4], 'C');
}

TEST(SetEvents, NamesAreCutAtFortyCharacters)
{
    CEvent e;
    e.SetUserName("0123456789012345678901234567890123456789-cut");
    ASSERT_NE(e.m_userName, nullptr);
    EXPECT_EQ(std::strlen(e.m_userName), 40u);
    e.SetUserName("");
    EXPECT_EQ(e.m_userName, nullptr);
    e.Reset();
}

// Builds every owned structure a computation leaves behind, so that the
// destructor and the clearing operations have all of them to free.
void FillResults(CQRTCompute& c)
{
    for (ComputeResults** head : {&c.m_normalBase, &c.m_motivatedBase, &c.m_penaltyBase}) {
        ComputeResults* prev = nullptr;
        for (int i = 0; i < 3; ++i) {
            auto* r = new ComputeResults;
            r->m_prev = prev;
            if (prev != nullptr)
                prev->m_next = r;
            else
                *head = r;
            prev = r;
        }
    }
    c.m_cashFlow = new CashFlow{Date(1, 1, 2020), 1, nullptr, nullptr};
    c.m_cashFlow->m_next = new CashFlow{Date(2, 1, 2020), -1, nullptr, c.m_cashFlow};
    c.m_fpsBase = new F2Fs;
    c.m_fpsBase->m_next = new F2Fs;
    c.m_fpaBase = new F2Fs;
    c.m_penaltyDrops = new CPenaltyDropList;
    c.m_penaltyDrops->Insert(1, Date(3, 1, 2020), 100.0, 0);
    c.m_penaltyDrops->Insert(2, Date(2, 1, 2020), 50.0, 1);
    c.m_penHeader[23] = "R6651A1H.DM";
}

TEST(ComputeLifecycle, RepeatedFillCopyClearAndDestroyLeaksNothing)
{
    qrt_test::EventArray events;
    for (int i = 0; i < 400; ++i) {
        const Date d = Date(1, 1, 2000).AddDays(i * 7);
        const int k = AddEvent(events.slots, i % 2 ? kEventPayment : kEventTax, d, 1000.0 + i,
                               i % 3 ? "named event" : nullptr);
        if (i % 2)
            events.slots[k].EnsureAllocation()->m_payment[0] = 1000.0 + i;
    }
    for (int round = 0; round < 20; ++round) {
        auto compute = NewCompute();
        compute->SetEvents(events.slots);
        FillResults(*compute);
        compute->SetEvents(events.slots);  // copied into again over its own copies
        compute->ClearCoputeResults();
        EXPECT_EQ(compute->NormalBase(), nullptr);
        EXPECT_EQ(compute->GetCashFlow(), nullptr);
        EXPECT_EQ(compute->GetFPSBase(), nullptr);
        EXPECT_EQ(compute->PenaltyDrops(), nullptr);
        EXPECT_EQ(compute->PenHeader(23), nullptr);
        EXPECT_FALSE(compute->PenaltyAddedDate(5).isValid());
        EXPECT_EQ(compute->EventCount(), 400);
        FillResults(*compute);  // left for the destructor
        compute->SetEvents(compute->m_events);  // copying onto itself changes nothing
        EXPECT_STREQ(compute->GetEvent(1)->m_userName, "named event");
    }
}

TEST(ComputeLifecycle, ClearComputeResultsZeroesStopAndStartAmountsAndTotals)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, Date(4, 15, 2020), 100000.0);
    AddEvent(events.slots, kEventStopInterest, Date(5, 15, 2020), 33.0);
    AddEvent(events.slots, kEventStartInterest, Date(6, 15, 2020), 44.0);
    compute->SetEvents(events.slots);
    compute->GATTAmount(1000000.0);
    compute->m_totals[CQRTCompute::kTotalInterestNormal] = 5.0;
    compute->PaymentPenaltyError(1);
    compute->ExcessDeposits(1);
    compute->TableEndWarning(1);
    compute->ClearCoputeResults();
    EXPECT_EQ(compute->GetEvent(1)->m_amount, 0.0);
    EXPECT_EQ(compute->GetEvent(2)->m_gattAmount, 0.0);
    EXPECT_EQ(compute->GetEvent(0)->m_amount, 100000.0);
    EXPECT_EQ(compute->InterestNormal(), 0.0);
    EXPECT_EQ(compute->PaymentPenaltyError(), 0);
    EXPECT_EQ(compute->ExcessDeposits(), 0);
    EXPECT_EQ(compute->TableEndWarning(), 1);  // only MainCompute clears it
    EXPECT_EQ(compute->m_gattAmountLeft, 1000000.0);
    EXPECT_EQ(compute->TaxDueDate(), Date(4, 15, 2020));
}

TEST(ComputeObject, TableDaysPerYearCodes)
{
    auto compute = NewCompute();
    InterestRateTable* t = compute->GetTable();
    const int codes[] = {100, 365, 366, 360};
    const double expected[] = {365.25, 365.0, 366.0, 0.0};
    for (int i = 0; i < 4; ++i) {
        t->SetDPY(i, codes[i]);
        EXPECT_EQ(compute->TableDPY(i), expected[i]) << codes[i];
    }
}

}  // namespace
