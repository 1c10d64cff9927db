// Input checks of the accuracy-related and fraud penalty records. Each check
// that holds overwrites the code of the ones before it, so the code names the
// last finding; a few findings end the checks at once.
#include "compute/AccuracyPenaltyDatesInternal.h"

#include "compute/CQRTCompute.h"

namespace {

const Date k1Jan1981(1, 1, 1981);
const Date k31Dec1988(12, 31, 1988);
const Date k1Jan1989(1, 1, 1989);
const Date k1Jan1990(1, 1, 1990);
const Date k18Jul1984(7, 18, 1984);
const Date k21Oct1986(10, 21, 1986);

// Both dates valid and `later` after `earlier`.
bool After(Date later, Date earlier)
{
    return later.isValid() && earlier.isValid() && later > earlier;
}

bool Within(double v, double low, double high) { return v >= low && v <= high; }

// Sum of the motivated-tax events of the account.
double MotivatedTotal(CQRTCompute& c)
{
    double sum = 0.0;
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) {
        const CEvent* e = c.GetEvent(i);
        if (!e->m_date.isValid())
            break;
        if (e->m_type == kEventMotivatedTax)
            sum += e->m_amount;
    }
    return sum;
}

// Negligence under 6653(a): the notice (date 1) and assessment (date 2) of
// the interest part for tax due 1981-1988, the amounts, the notice date.
int CheckNegligence(CQRTCompute& c, const Penalties& rec)
{
    const Date taxDue = c.TaxDueDate();
    const Date notice = rec.m_dates[1];
    const Date assessed = rec.m_dates[2];
    const double subject = rec.m_amounts[0];
    const double negligent = rec.m_amounts[1];
    const double motivated = rec.m_amounts[2];
    int code = 0;
    if (taxDue >= k1Jan1981 && taxDue <= k31Dec1988) {
        if (After(assessed, notice)) code = 19;
        if (!assessed.isValid() && notice.isValid()) code = 17;
        if (motivated > MotivatedTotal(c)) code = 10;
        if (negligent > subject) code = 9;
    }
    if (subject > c.NetTaxDue()) code = 1;
    if (!notice.isValid() && taxDue < k1Jan1981) code = 8;
    if (notice.isValid() && notice < taxDue) return 8;
    return code;
}

// Fraud under 6653(b): dates 0 to 2 and the amounts for tax due before 1989,
// then the amount and the dates against the tax due date.
int CheckFraud(CQRTCompute& c, const Penalties& rec)
{
    const Date taxDue = c.TaxDueDate();
    const Date due = rec.m_dates[0];
    const Date notice = rec.m_dates[1];
    const Date assessed = rec.m_dates[2];
    const double subject = rec.m_amounts[0];
    const double fraud = rec.m_amounts[1];
    const double motivated = rec.m_amounts[2];
    const double netTaxDue = c.NetTaxDue();
    int code = 0;
    if (taxDue < k1Jan1989) {
        if (After(assessed, notice)) code = 19;
        if (After(due, assessed)) code = 11;
        if (motivated > MotivatedTotal(c)) code = 10;
        if (fraud > netTaxDue || fraud > subject || motivated > fraud) code = 18;
        if (!assessed.isValid() && notice.isValid()) code = 17;
        if (After(due, notice)) code = 8;
    }
    if (subject > netTaxDue) code = 1;
    if (notice.isValid() && notice < taxDue) code = 8;
    if (due.isValid() && due < taxDue && taxDue >= k1Jan1989) code = 2;
    return code;
}

// 6659 and 6660: the return due date, the percent, the amount, the notice.
int CheckValuation(CQRTCompute& c, const Penalties& rec)
{
    const Date due = rec.m_dates[0];
    int code = 0;
    if (!due.isValid()) code = 20;
    if (!IsPercent10to30(rec.Value())) code = 12;
    if (rec.m_amounts[0] > c.NetTaxDue()) code = 1;
    if (After(due, rec.m_dates[1])) code = 8;
    if (due.isValid() && due < c.TaxDueDate()) code = 2;
    return code;
}

// 6659A: the percent, the amount, the notice.
int CheckPension(CQRTCompute& c, const Penalties& rec)
{
    const Date notice = rec.m_dates[1];
    int code = 0;
    if (!IsPercent10to30(rec.Value())) code = 12;
    if (rec.m_amounts[0] > c.NetTaxDue()) code = 1;
    if (notice.isValid() && notice < c.TaxDueDate()) code = 8;
    return code;
}

// 6661: the return due date, the amount, the assessment date of early
// returns and of returns before the rate change.
int CheckUnderstatement(CQRTCompute& c, const Penalties& rec)
{
    const Date taxDue = c.TaxDueDate();
    const Date due = rec.m_dates[0];
    const Date assessed = rec.m_dates[1];
    int code = 0;
    if (!due.isValid()) code = 20;
    if (rec.m_amounts[0] > c.NetTaxDue()) code = 1;
    if (taxDue < k18Jul1984 && !assessed.isValid()) code = 11;
    if (After(due, assessed) && taxDue < k21Oct1986) code = 11;
    if (due.isValid() && due < taxDue) code = 2;
    return code;
}

// 6662 and 6663: the return due date and the amount; the percent for the
// slots whose percent the caller gives (13 to 15).
int CheckAccuracy(CQRTCompute& c, const Penalties& rec, int slot)
{
    const Date taxDue = c.TaxDueDate();
    const Date due = rec.m_dates[0];
    int code = 0;
    if (!due.isValid()) code = 20;
    if (rec.m_amounts[0] > c.NetTaxDue()) code = 1;
    if (due.isValid() && due < taxDue) code = 2;
    if (slot >= kPenalty6662e && slot <= kPenalty6662g) {
        if (taxDue < k1Jan1990) {
            if (!IsPercent10to30(rec.Value())) code = 12;
        } else if (!IsPercent20or40(rec.Value())) {
            code = 13;
        }
    }
    return code;
}

}  // namespace

int IsPercent10to30(double percent)
{
    return Within(percent, 9.9999999, 10.001) || Within(percent, 19.999, 20.001) ||
                   Within(percent, 29.999, 30.001)
               ? 1
               : 0;
}

int IsPercent20or40(double percent)
{
    return Within(percent, 19.9999999, 20.001) || Within(percent, 39.999, 40.001) ? 1 : 0;
}

int CheckAccuracyPenaltyDates(CQRTCompute& c, int slot)
{
    if (slot < 0 || slot >= CQRTCompute::kPenaltySlots)
        return 0;
    const Penalties& rec = *c.GetPenalty(slot);
    switch (slot) {
    case kPenalty6653a:
        return CheckNegligence(c, rec);
    case kPenalty6653b:
        return CheckFraud(c, rec);
    case kPenalty6659:
    case kPenalty6660:
        return CheckValuation(c, rec);
    case kPenalty6659A:
        return CheckPension(c, rec);
    case kPenalty6661:
        return CheckUnderstatement(c, rec);
    case kPenalty6662c:
    case kPenalty6662d:
    case kPenalty6662e:
    case kPenalty6662f:
    case kPenalty6662g:
    case kPenalty6663:
        return CheckAccuracy(c, rec, slot);
    default:
        return 0;
    }
}
