// CPenaltyDrop: one penalty assessment (a "drop" of an amount into the
// account at a date); CPenaltyDropList: the date-ordered, singly linked list of
// them that the compute object owns from ComputePenalties to the next
// ClearComputedPenalties. The list frees its nodes when cleared or destroyed.
//
// m_slot is the penalty slot 0 to 23, or -1 for a user penalty event; m_seq the
// notice index within the slot (0 to 3) or -1 (for a user penalty: its event
// index). Amounts in cents.
// Tests: date order with ties kept in the order made; invalid dates and
// amounts not above 0 make no drop.
#pragma once

#include "calendar/Date.h"

struct CPenaltyDrop {
    int m_slot = -1;
    Date m_date;
    double m_amount = 0.0;
    int m_seq = -1;
    CPenaltyDrop* m_next = nullptr;
};

class CPenaltyDropList {
public:
    CPenaltyDropList() = default;
    ~CPenaltyDropList() { Clear(); }
    CPenaltyDropList(const CPenaltyDropList&) = delete;
    CPenaltyDropList& operator=(const CPenaltyDropList&) = delete;

    // Inserts a drop in date order: in front of the head when earlier than it,
    // else after the last drop dated on or before it. Makes nothing and
    // returns null when `date` is not valid or `amount` is not above 0.
    // The amount is stored as given (callers round it).
    CPenaltyDrop* Insert(int slot, Date date, double amount, int seq);

    CPenaltyDrop* Head() const { return m_head; }
    int Count() const;
    void Clear();

private:
    CPenaltyDrop* m_head = nullptr;
};
