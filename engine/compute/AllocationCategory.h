// AllocationCategory: the 50 categories (index 0 to 49) a payment is split
// over, and the penalty slots 0 to 23 of the penalty table. Category 6 + k is
// penalty slot k. Each category has a default allocation class letter; a
// payment goes to every category of the smallest letter first (A tax, B
// motivated tax, C penalties, D interest, E motivated interest).
// Tests: names and class letters of the payment allocation report.
#pragma once

enum AllocationCategory : int {
    kCategoryTax = 0,                 // tax or check from the authority
    kCategoryInterest = 1,
    kCategoryMotivatedTax = 2,
    kCategoryMotivatedInterest = 3,
    kCategoryUserPenalties = 4,
    kCategoryPenaltyInterest = 5,
    kCategoryFirstPenalty = 6,        // 6 + penalty slot
    kCategoryCount = 50,
};

// Penalty slots (the penalty kind of the penalty table).
enum PenaltySlot : int {
    kPenalty6651a1Unused = 0,  // same names as 23, never computed
    kPenalty6651a2 = 1,        // failure to pay the tax shown
    kPenalty6651a3 = 2,        // failure to pay an assessment
    kPenalty6653a = 3,
    kPenalty6653b = 4,
    kPenalty6659 = 7,
    kPenalty6659A = 8,
    kPenalty6660 = 9,
    kPenalty6661 = 10,
    kPenalty6662c = 11,
    kPenalty6662d = 12,
    kPenalty6662e = 13,
    kPenalty6662f = 14,
    kPenalty6662g = 15,
    kPenalty6663 = 16,
    kPenalty6621c = 22,        // large-corporate-underpayment (hot) interest
    kPenalty6651a1 = 23,       // failure to file
    kPenaltySlotCount = 24,
};

// The 50 default class letters in category order.
extern const char kDefaultAllocationClasses[kCategoryCount + 1];

// Name printed by the payment allocation report: 6 + k is the section code
// of penalty slot k, 30 "Stop Hot Interest"; "" for categories 31 to 49 and
// for indexes outside 0 to 49.
const char* AllocationCategoryName(int category);
