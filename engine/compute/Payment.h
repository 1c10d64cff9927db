// Payment: how one payment-kind event (payment, deposit, credit) is split over
// the 50 allocation categories, in cents. Created on demand by allocation and
// owned by its CEvent (freed by CEvent::Reset). A new record is all zero except
// the class letters, which start as the default letters.
// Tests: a new record's letters and zeros; deep copies through SetEvents.
#pragma once

#include "compute/AllocationCategory.h"

struct Payment {
    Payment();

    double m_payment[kCategoryCount];   // amount allocated to each category
    double m_specific[kCategoryCount];  // amount the user designated (0 = none)
    char m_class[kCategoryCount];       // allocation class letter per category
};
