// Interest of one period: the compounding methods (ComputeInterest) and the
// choice of principal and rate from the running balances (DoIntComp).
#include <cmath>

#include "calendar/CalendarInternal.h"
#include "compute/CQRTCompute.h"

namespace {

const Date kEnd1994(12, 31, 1994);
const Date kEnd1998(12, 31, 1998);

// A period earns interest for the days after its start up to and including
// its end, so a period that starts on 31 December of a year earns all of it
// in the years after: the rules for interest "after" that year hold for it.
bool AccruesAfter(Date start, Date yearEnd)
{
    return !(start < yearEnd);
}

// Whole years, months and days between two dates by calendar fields, the way
// the old IRS method counts them: the day difference borrows the length of the
// month before the end's month (stepping that month back) while negative,
// then the month difference borrows 12 months from the years.
void OldIRSCount(Date start, Date end, int& years, int& months, int& days)
{
    int endYear = end.Year();
    int endMonth = end.Month();
    days = end.Day() - start.Day();
    while (days < 0) {
        int before = endMonth - 1;
        int beforeYear = endYear;
        if (before == 0) {
            before = 12;
            beforeYear -= 1;
        }
        days += DaysInMonth(before, beforeYear);
        endMonth = before;
        endYear = beforeYear;
    }
    months = endMonth - start.Month();
    years = endYear - start.Year();
    if (months < 0) {
        months += 12;
        years -= 1;
    }
}

// Factor of one period under a method for a fractional annual rate, with the
// counts the method made (years, months, days); the powers come from the
// compute object's memo. Inline where it is used: it runs for every period.
[[gnu::always_inline]] inline double MethodFactor(CPowerMemo& powers, int method, double rate, double daysPerYear,
                                                  int years, int months, int days)
{
    // Every method but whole months divides by the days per year. An entry
    // with a days-per-year code the engine does not know has no such figure
    // (0): it accrues nothing rather than an infinite or NaN amount, as the
    // penalty stream also skips such entries.
    if (method != kMonthlyWholeMonths && !(daysPerYear > 0.0))
        return 0.0;
    switch (method) {
    case kOldIrsMethod:
        return years * rate + months * rate / 12.0 + days * rate / daysPerYear;
    case kSumOfFactors:
        // The rate is spread over the period so the factor is the entry's
        // rate itself, whatever the length.
        if (days != 0)
            rate = rate * daysPerYear / days;
        return days * rate / daysPerYear;
    case kSimple:
        return days * rate / daysPerYear;
    case kDaily:
        return powers.Power(rate, daysPerYear, days) - 1.0;
    case kMonthlyPlusDays:
        return powers.Power(rate, 12.0, months) * (1.0 + rate / daysPerYear * days) - 1.0;
    case kMonthlyWholeMonths:
        return powers.Power(rate, 12.0, months) - 1.0;
    default:
        return 0.0;  // unknown method: no interest
    }
}

}  // namespace

void CQRTCompute::ComputeInterest(double principal, Date start, Date end, int method,
                                  double daysPerYear, double rate, double normalRate,
                                  ComputeResults* r)
{
    if (r == nullptr)
        return;

    // 6621(c) increase on an amount owed.
    if (m_hotActive && principal >= 0.0) {
        rate = rate == normalRate ? rate + 2.0 : (normalRate + 2.0) * 1.2;
        r->m_hot = 1;
    } else {
        r->m_hot = 0;
    }

    const bool after1998 = AccruesAfter(start, kEnd1998);
    const bool after1994 = AccruesAfter(start, kEnd1994);

    // Rates shown in the reports, percent.
    r->m_rate = rate;
    if (m_federalGatt && principal < 0.0 && after1998)
        r->m_rate = rate - 1.0;
    double gattShown = rate;
    if (after1998)
        gattShown = rate - 2.5;
    else if (after1994)
        gattShown = rate - 1.5;
    r->m_gattRate = gattShown < 0.0 ? 0.0 : gattShown;

    rate /= 100.0;

    const int span = static_cast<int>(end.serial) - static_cast<int>(start.serial);
    r->m_start = start;
    r->m_end = end;
    r->m_days = static_cast<uint16_t>(span > 0 ? span : 0);
    r->m_months = 0;
    r->m_years = 0;
    r->m_principal = principal;
    r->m_interest = 0.0;
    r->m_method = static_cast<uint16_t>(method);
    r->m_factor = 0.0;
    r->m_gattPrincipal = m_federalGatt ? m_gattPrincipal : 0.0;
    r->m_gattInterest = 0.0;
    r->m_gattFactor = 0.0;

    if (span > 0) {
        int years = 0;
        int months = 0;
        int days = span;
        // Federal overpayments after 1998 accrue daily at one point less.
        const bool gattReduction = m_federalGatt && after1998 && principal <= 0.0;
        double normal = rate;
        switch (method) {
        case kOldIrsMethod:
            NonDailyUsed(1);
            OldIRSCount(start, end, years, months, days);
            if (m_monthly && start.isEOM() && end.isEOM()) {
                years = 0;
                months = 1;
                days = 0;
            } else if (m_monthly && years == 0 && months == 0 && days == 1) {
                days = 0;
            }
            break;
        case kSimple:
        case kSumOfFactors:
        case kMonthlyPlusDays:
            NonDailyUsed(1);
            if (method == kMonthlyPlusDays)
                MonthsAndDaysBetween(start, end, &months, &days);
            break;
        case kDaily:
            if (gattReduction)
                normal -= 0.01;
            break;
        case kMonthlyWholeMonths:
            months = MonthsBetween(start.AddDays(1), end) + 1;
            days = 0;
            break;
        default:
            break;
        }
        r->m_years = static_cast<uint16_t>(years);
        r->m_months = static_cast<uint16_t>(months);
        r->m_days = static_cast<uint16_t>(days);
        r->m_factor = MethodFactor(m_powers, method, normal, daysPerYear, years, months, days);
        double interest = r->m_factor * principal;

        double gattInterest = 0.0;
        if (!m_federalGatt) {
            r->m_gattPrincipal = 0.0;
            r->m_gattFactor = 0.0;
        } else {
            double gattRate = after1994 ? rate - 0.015 : rate;
            if (gattRate < 0.0)
                gattRate = 0.0;
            if (method == kDaily) {
                // Only a GATT overpayment accrues.
                r->m_gattPrincipal = m_gattPrincipal > 0.0 ? 0.0 : m_gattPrincipal;
                if (gattReduction)
                    gattRate -= 0.01;
            }
            r->m_gattFactor = MethodFactor(m_powers, method, gattRate, daysPerYear, years, months, days);
            gattInterest = r->m_gattFactor * r->m_gattPrincipal;
        }

        if (!m_interestRunning) {
            interest = 0.0;
            r->m_factor = 0.0;
            gattInterest = 0.0;
            r->m_gattFactor = 0.0;
        }
        RoundMoney(gattInterest);
        RoundMoney(interest);
        r->m_gattInterest = gattInterest;
        r->m_interest = interest;
    }

    // Balance after the period. Under a compounding method the interest still
    // due is folded into principal at compounding points, so the period's own
    // interest is counted as well; either way a reader sees the real balance.
    r->m_balance = principal + m_normalInterestDue + m_motivatedInterestDue + m_refundInterestDue;
    if (MethodCompounds(method))
        r->m_balance += r->m_interest;
}

Date CQRTCompute::DoIntComp(Date start, Date end, ComputeResults* r, int kind, int entry,
                            int normal, int unitRates)
{
    if (r == nullptr)
        return end;
    const int hotWas = m_hotActive;
    r->m_kind = static_cast<uint16_t>(kind);

    double n = TableNRate(entry);
    double rate;
    double principal;
    if (kind != kEventMotivatedTax && kind != kEventMotivatedRateChange && normal) {
        rate = n;
        principal = m_normalPrincipal;
    } else {
        rate = TableMRate(entry);
        principal = m_motivatedPrincipal;
    }
    if (principal <= 0.0) {
        rate = TableRRate(entry);
        m_hotActive = 0;
    }
    const int method = TableMethod(entry);
    const double daysPerYear = TableDPY(entry);
    if (!start.isValid())
        start = Date(1, 1, 1954);
    if (unitRates) {
        n = 1.0;
        rate = 1.0;
    }

    ComputeInterest(principal, start, end, method, daysPerYear, rate, n, r);
    m_hotActive = hotWas;

    m_gattInterestDue += r->m_gattInterest;
    m_totals[kTotalInterestGATT] += r->m_gattInterest;
    if (r->m_interest < 0.0) {
        m_refundInterestDue += r->m_interest;
        m_totals[kTotalInterestRefund] += r->m_interest;
    } else if (normal) {
        m_normalInterestDue += r->m_interest;
        m_totals[kTotalInterestNormal] += r->m_interest;
    } else {
        m_motivatedInterestDue += r->m_interest;
        m_totals[kTotalInterestMotivated] += r->m_interest;
    }
    r->m_next = nullptr;
    return end;
}
