// Payment allocation along one walk (engine-private).
//
// ReallocPayments allocates each payment against the account computed up to
// the payment's date. The walk up to one payment is the beginning of the walk
// up to the next, so for an account whose walk does not depend on the
// computation date (no penalties, no 6621(c) interest, no GATT, no
// sum-of-factors table) one walk is carried from payment to payment: at each
// payment a copy finishes the walk at the payment's date, the payment is
// allocated against it, and the copy's records are dropped again. The running
// sums of the events already passed stand in for FixBalance's scan of them.
#pragma once

#include "compute/CQRTCompute.h"

class CStepWalk;

// Running sums, per allocation category, of what events 0 to n-1 add to or
// take off the balances (see FixBalance), advanced as n grows.
class CEventSums {
public:
    // Adds the sums of events 0 to n-1 to balances; false (nothing added)
    // when n lies before events already summed.
    bool AddThrough(const CQRTCompute& c, int n, double* balances);

private:
    int m_through = 0;
    double m_sums[kCategoryCount] = {};
};

// What one event adds to (a liability) or takes off (a payment, by its split)
// the balances; used by FixBalance and CEventSums alike.
void AddEventToBalances(const CEvent& e, double* balances);

// Allocates the payments from event index first through last (and below
// 1000), except the last such payment, along one walk, when the account
// allows it. Returns the index of the payment still to allocate by a full
// computation: the last payment, or first when the account does not allow
// one walk. REQUIRES: first is a payment, an earlier MainCompute of this
// ReallocPayments call succeeded (the table is held and the events sorted).
int AllocateAlongOneWalk(CQRTCompute& c, int first, int last);

// Whether the inputs let one walk serve several allocations: no penalty, no
// 6621(c) interest, no GATT, amounts and designations in whole cents. The
// table must also be held and not a sum-of-factors table.
bool OneWalkInputsFit(const CQRTCompute& c);

// The indexes of the payments among event slots first through last (and
// below 1000); returns their number.
int PaymentsBetween(const CQRTCompute& c, int first, int last, int* payments);

// Allocates the payments at the given indexes (in date order) along walk,
// which has started and stands before the first of them: at each payment a
// copy finishes the walk at its date, the payment is allocated against it
// and the copy's records and running state are dropped again. The walk is
// left standing before the last payment's date. REQUIRES: daily mode, inputs
// that fit (see above), the table held.
void AllocateAlong(CQRTCompute& c, CStepWalk& walk, const int* payments, int count);
