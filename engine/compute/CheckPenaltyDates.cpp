// Input checks of a penalty record against the account: a nonzero code
// names the last finding (codes are those the callers document to users).
#include "compute/AccuracyPenaltyDatesInternal.h"
#include "compute/CQRTCompute.h"

namespace {

// Both valid and `later` before `earlier`.
bool OutOfOrder(Date earlier, Date later)
{
    return earlier.isValid() && later.isValid() && later < earlier;
}

}  // namespace

int CQRTCompute::CheckPenaltyDates(int slot)
{
    if (!m_taxDueDate.isValid() || slot < 0 || slot >= kPenaltySlots) return 0;
    const Penalties& rec = m_penalties[slot];
    const Date taxDue = m_taxDueDate;
    const Date d0 = rec.m_dates[0];
    int code = 0;

    switch (slot) {
    case kPenalty6651a2: {
        if (!d0.isValid()) code = 20;
        if (rec.m_amounts[0] > NetTaxDue()) code = 1;
        if (d0.isValid() && d0 < taxDue) code = 7;
        for (int k = 2; k <= 4; ++k)
            if (OutOfOrder(rec.m_dates[k - 1], rec.m_dates[k])) code = 6;
        if (rec.m_dates[9].isValid() && !rec.m_dates[8].isValid()) return 21;
        if (OutOfOrder(rec.m_dates[8], rec.m_dates[9])) code = 6;
        return code;
    }
    case kPenalty6651a3: {
        if (!d0.isValid()) code = 8;
        if (d0.isValid() && d0 < taxDue) code = 4;
        for (int k = 1; k <= 3; ++k)
            if (OutOfOrder(rec.m_dates[k - 1], rec.m_dates[k])) code = 6;
        if (rec.m_dates[9].isValid() && !rec.m_dates[8].isValid())
            code = 21;
        else if (OutOfOrder(rec.m_dates[8], rec.m_dates[9]))
            code = 6;
        const double assessed = rec.m_amounts[0] + rec.m_amounts[1] + rec.m_amounts[2] + rec.m_amounts[3];
        if (assessed > TotalTax()) code = 15;
        return code;
    }
    case kPenalty6651a1: {
        if (rec.m_amounts[0] > NetTaxDue()) code = 1;
        if (!d0.isValid()) code = 20;
        if (!rec.m_dates[2].isValid()) code = 3;
        if (OutOfOrder(d0, rec.m_dates[1])) code = 8;
        if (d0.isValid() && d0 < taxDue) code = 2;
        return code;
    }
    default:
        // The accuracy and fraud slots have their own checks; slot 0, the
        // unused slots 5, 6, 17 to 21 and the 6621(c) slot 22 have none (0).
        return CheckAccuracyPenaltyDates(*this, slot);
    }
}
