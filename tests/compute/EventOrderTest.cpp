// Event order: the comparison's rules and tie-breaks, the sortedness test and
// the index SortEvents reports for the event it was asked to follow.
#include <gtest/gtest.h>

#include <memory>

#include "ComputeTestSupport.h"

using qrt_test::AddEvent;
using qrt_test::NewCompute;

namespace {

struct Ev {
    int kind;
    Date date;
    double amount;
    const char* name;
};

struct OrderCase {
    const char* what;
    Ev first;   // expected first after sorting
    Ev second;  // expected second
};

const Date kApr15(4, 15, 2021);
const Date kMay1(5, 1, 2021);

// Each pair is given to the sort in the wrong order; the expected order comes
// from the rules: date, then liability before payment, then amount, then
// unnamed before named, then the names' byte order.
const OrderCase kOrderCases[] = {
    {"earlier date first", {kEventPayment, kApr15, 900.0, nullptr}, {kEventTax, kMay1, 100.0, nullptr}},
    {"tax before a larger payment", {kEventTax, kApr15, 100.0, nullptr}, {kEventPayment, kApr15, 900.0, nullptr}},
    {"tax before a smaller payment", {kEventTax, kApr15, 900.0, nullptr}, {kEventPayment, kApr15, 100.0, nullptr}},
    {"user penalty before a credit", {kEventUserPenalty, kApr15, 900.0, nullptr}, {kEventCredit, kApr15, 1.0, nullptr}},
    {"check before a deposit", {kEventIRSCheck, kApr15, 900.0, nullptr}, {kEventDeposit, kApr15, 1.0, nullptr}},
    {"two payments: smaller first", {kEventPayment, kApr15, 100.0, nullptr}, {kEventPayment, kApr15, 200.0, nullptr}},
    {"equal payments: unnamed first", {kEventPayment, kApr15, 100.0, nullptr}, {kEventPayment, kApr15, 100.0, "A"}},
    {"equal named payments: byte order", {kEventPayment, kApr15, 100.0, "Apple"}, {kEventPayment, kApr15, 100.0, "Banana"}},
    {"byte order puts capitals first", {kEventPayment, kApr15, 100.0, "Zed"}, {kEventPayment, kApr15, 100.0, "apple"}},
    // Stop interest takes no part in the liability rule: amounts decide.
    {"stop interest vs larger tax", {kEventStopInterest, kApr15, 0.0, nullptr}, {kEventTax, kApr15, 100.0, nullptr}},
    {"tax vs stop interest of more", {kEventTax, kApr15, 100.0, nullptr}, {kEventStopInterest, kApr15, 200.0, nullptr}},
    {"start interest vs payment", {kEventStartInterest, kApr15, 0.0, nullptr}, {kEventPayment, kApr15, 50.0, nullptr}},
};

TEST(EventOrder, PairsSortByDateKindAmountAndName)
{
    for (const OrderCase& c : kOrderCases) {
        auto compute = NewCompute();
        qrt_test::EventArray events;
        AddEvent(events.slots, c.second.kind, c.second.date, c.second.amount, c.second.name);
        AddEvent(events.slots, c.first.kind, c.first.date, c.first.amount, c.first.name);
        compute->SetEvents(events.slots);
        EXPECT_EQ(compute->EventsAreSorted(), 0) << c.what;
        compute->SortEvents(-1);
        EXPECT_EQ(compute->EventsAreSorted(), 1) << c.what;
        const CEvent* e0 = compute->GetEvent(0);
        const CEvent* e1 = compute->GetEvent(1);
        EXPECT_EQ(e0->m_type, c.first.kind) << c.what;
        EXPECT_EQ(e0->m_amount, c.first.amount) << c.what;
        EXPECT_EQ(e1->m_type, c.second.kind) << c.what;
        EXPECT_EQ(e1->m_amount, c.second.amount) << c.what;
        if (c.first.name != nullptr)
            EXPECT_STREQ(e0->m_userName, c.first.name) << c.what;
        else
            EXPECT_EQ(e0->m_userName, nullptr) << c.what;
        // The comparison itself is antisymmetric on the pair.
        EXPECT_LT(CQRTCompute::SortEventCallback(e0, e1), 0) << c.what;
        EXPECT_GT(CQRTCompute::SortEventCallback(e1, e0), 0) << c.what;
    }
}

TEST(EventOrder, IdenticalEventsCompareEqual)
{
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventPayment, kApr15, 100.0, "Same");
    AddEvent(events.slots, kEventPayment, kApr15, 100.0, "Same");
    AddEvent(events.slots, kEventPayment, kApr15, 100.0);
    AddEvent(events.slots, kEventPayment, kApr15, 100.0);
    EXPECT_EQ(CQRTCompute::SortEventCallback(&events.slots[0], &events.slots[1]), 0);
    EXPECT_EQ(CQRTCompute::SortEventCallback(&events.slots[2], &events.slots[3]), 0);
}

// Six events one day apart: slot i is dated day i.
void FillSorted(qrt_test::EventArray& events)
{
    for (int i = 0; i < 6; ++i)
        AddEvent(events.slots, kEventTax, Date(3, 1 + i, 2021), 1000.0 + i);
}

TEST(EventOrder, SortEventsOnSortedArrayReturnsKeepAndMovesNothing)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    FillSorted(events);
    compute->SetEvents(events.slots);
    EXPECT_EQ(compute->SortEvents(5), 5);
    EXPECT_EQ(compute->SortEvents(-1), 0);
    EXPECT_EQ(compute->SortEvents(2), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(compute->GetEvent(i)->m_date, Date(3, 1 + i, 2021));
}

TEST(EventOrder, SortEventsReturnsTheNewIndexOfTheKeptEvent)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    FillSorted(events);
    // Slot 5 (March 6) moves before everything: dated February 1.
    events.slots[5].m_date = Date(2, 1, 2021);
    events.slots[5].m_amount = 777.0;
    compute->SetEvents(events.slots);
    EXPECT_EQ(compute->SortEvents(5), 0);
    EXPECT_EQ(compute->GetEvent(0)->m_amount, 777.0);

    // Slot 0 (now February 1) moved to after March 3: it lands at index 3.
    compute->GetEvent(0)->m_date = Date(3, 3, 2021);
    compute->GetEvent(0)->m_amount = 5000.0;  // sorts after the March 3 tax of 1002
    EXPECT_EQ(compute->SortEvents(0), 3);
    EXPECT_EQ(compute->GetEvent(3)->m_amount, 5000.0);
    EXPECT_EQ(compute->EventsAreSorted(), 1);
}

TEST(EventOrder, SortEventsWithoutKeepReturnsZeroAndLeavesNoStaleMark)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventPayment, kMay1, 10.0);
    AddEvent(events.slots, kEventTax, kApr15, 20.0);
    compute->SetEvents(events.slots);
    EXPECT_EQ(compute->SortEvents(-1), 0);
    EXPECT_EQ(compute->GetEvent(0)->m_type, kEventTax);
    EXPECT_EQ(compute->GetEvent(0)->m_sortMark, 0);
    EXPECT_EQ(compute->GetEvent(1)->m_sortMark, 0);
}

TEST(EventOrder, OnlyTheUsedPrefixIsSorted)
{
    auto compute = NewCompute();
    qrt_test::EventArray events;
    AddEvent(events.slots, kEventTax, kMay1, 10.0);
    AddEvent(events.slots, kEventTax, kApr15, 20.0);
    // Slot 2 stays empty; slot 3 holds an event past the end of the used part.
    events.slots[3].m_type = kEventTax;
    events.slots[3].m_date = Date(1, 1, 2000);
    compute->SetEvents(events.slots);
    EXPECT_EQ(compute->EventCount(), 2);
    compute->SortEvents(-1);
    EXPECT_EQ(compute->GetEvent(0)->m_date, kApr15);
    EXPECT_EQ(compute->GetEvent(3)->m_date, Date(1, 1, 2000));
}

}  // namespace
