// Payment allocation: the open balances per category (FixBalance), the split
// of one payment over them (AllocatePayment), and the queries the penalty
// computations make on the stored splits.
#include "compute/CQRTCompute.h"
#include "compute/IncrementalReallocInternal.h"

#include <cstring>

namespace {

constexpr int kCategories = 50;
constexpr char kUsedClass = 127;   // class letter of a category already served


// Category of a liability event: tax (0), motivated tax (2), user penalty (4);
// -1 for a kind that owes nothing by itself.
int LiabilityCategory(int kind)
{
    switch (kind) {
    case 0: case 7: case 9: return 0;
    case 1: return 2;
    case 4: case 10: return 4;
    default: return -1;
    }
}

double PaymentSum(const Payment* p)
{
    double sum = 0.0;
    for (int k = 0; k < kCategories; ++k) sum += p->m_payment[k];
    return sum;
}

} // namespace

void CQRTCompute::FixBalance(int n)
{
    for (int k = 0; k < kCategories; ++k) m_balances[k] = 0.0;
    for (int k = 0; k < 24; ++k)
        if (m_penalties[k].IsEnabled()) m_balances[6 + k] = PenaltyAmount(k);

    // The totals are rounded where they are kept, so that the balances and
    // every later allocation see the same whole amounts.
    RoundMoney(m_totals[12], WholeDollarMode());
    RoundMoney(m_totals[11], WholeDollarMode());
    RoundMoney(m_totals[10], WholeDollarMode());
    RoundMoney(m_totals[8], WholeDollarMode());
    RoundMoney(m_totals[9], WholeDollarMode());

    // Interest owed to the taxpayer lowers the tax balance, not the interest one.
    m_balances[1] += m_totals[8] + m_totals[11] + m_totals[12];
    if (m_balances[1] < 0.0) {
        m_balances[0] += m_balances[1];
        m_balances[1] = 0.0;
    }
    m_balances[3] += m_totals[9];
    m_balances[5] += m_totals[10];

    // Inside ReallocPayments the events already passed are summed once.
    if (m_eventSums != nullptr && m_eventSums->AddThrough(*this, n, m_balances)) return;
    for (int i = 0; i < n && i < 1000; ++i) {
        if (!m_events[i].m_date.isValid()) break;
        AddEventToBalances(m_events[i], m_balances);
    }
}

void AddEventToBalances(const CEvent& e, double* balances)
{
    const int category = LiabilityCategory(e.m_type);
    if (category >= 0) {
        balances[category] += e.m_amount;
        return;
    }
    // Only money paid in lowers a balance: stop/start-interest and
    // penalty-type events carry no payment.
    if (!IsPaymentKind(e.m_type)) return;
    double allocated = 0.0;
    if (e.m_allocation != nullptr) {
        for (int k = 0; k < kCategories; ++k) balances[k] -= e.m_allocation->m_payment[k];
        allocated = PaymentSum(e.m_allocation);
    }
    if (e.m_amount > allocated) balances[0] -= e.m_amount - allocated;
}

void CQRTCompute::AllocatePayment(int i)
{
    CEvent& e = m_events[i];
    double toPlace = e.m_amount;
    if (e.m_allocation == nullptr) e.m_allocation = new Payment();
    Payment* p = e.m_allocation;
    for (int k = 0; k < kCategories; ++k) {
        p->m_payment[k] = 0.0;
        if (p->m_specific[k] < 0.0) p->m_specific[k] = 0.0;
    }

    FixBalance(i);

    char keptClasses[kCategories];
    std::memcpy(keptClasses, p->m_class, sizeof keptClasses);

    // Designations first. A deposit's designation to tax is held to the tax
    // balance too; a payment or credit may overpay tax on purpose. No
    // designation places more than is left of the payment.
    double given = 0.0;
    for (int k = 0; k < kCategories; ++k) {
        if ((k >= 1 || e.m_type == 3) && p->m_specific[k] > m_balances[k])
            p->m_specific[k] = m_balances[k] > 0.0 ? m_balances[k] : 0.0;
        const double left = e.m_amount - given;
        if (p->m_specific[k] > left) p->m_specific[k] = left > 0.0 ? left : 0.0;
        p->m_payment[k] = p->m_specific[k];
        given += p->m_specific[k];
        toPlace -= p->m_specific[k];
        m_balances[k] -= p->m_specific[k];
    }

    // Class rounds: the smallest letter first, pro rata inside a class, the
    // last category of the class taking what the rounding left.
    while (toPlace > 0.5) {
        char smallest = kUsedClass;
        for (int k = 0; k < kCategories; ++k)
            if (p->m_class[k] < smallest) smallest = p->m_class[k];
        if (smallest == kUsedClass) break;

        int picked[kCategories];
        int count = 0;
        double classTotal = 0.0;
        for (int k = 0; k < kCategories; ++k) {
            if (p->m_class[k] > smallest) continue;
            if (m_balances[k] > 0.0) {
                picked[count++] = k;
                classTotal += m_balances[k];
            }
            p->m_class[k] = kUsedClass;
        }
        if (classTotal <= 0.0) continue;

        const double classShare = toPlace;
        for (int j = 0; j < count; ++j) {
            const int k = picked[j];
            double share = j == count - 1 ? toPlace : m_balances[k] / classTotal * classShare;
            RoundMoney(share, WholeDollarMode());
            if (share > m_balances[k]) {
                share = m_balances[k];
                if (k > 0 && p->m_specific[k] > share) p->m_specific[k] = share;
            }
            // What the designations placed counts too: a share rounded up
            // never takes the payment past its own amount.
            if (given + share > e.m_amount) share = e.m_amount - given;
            p->m_payment[k] += share;
            given += share;
            toPlace -= share;
        }
    }

    if (toPlace > 0.5) {
        if (e.m_type == 2 || e.m_type == 8) p->m_payment[0] += toPlace;
        e.m_balof -= toPlace;
    } else {
        e.m_balof = 0.0;
    }

    FixBalance(i + 1);
    std::memcpy(p->m_class, keptClasses, sizeof keptClasses);
}

int CQRTCompute::PaidNormal(Payment* p)
{
    return p != nullptr && (p->m_payment[0] > 0.0 || p->m_payment[1] > 0.0) ? 1 : 0;
}

int CQRTCompute::AppliedToPenalties(int i)
{
    CEvent& e = m_events[i];
    if (e.m_allocation == nullptr) AllocatePayment(i);
    double sum = e.m_allocation->m_payment[4] + e.m_allocation->m_payment[5];
    for (int k = 6; k < 30; ++k) sum += e.m_allocation->m_payment[k];
    return sum > 0.005 ? 1 : 0;
}

void CQRTCompute::DoPaidtoBalof()
{
    for (int k = 0; k < kCategories; ++k) m_paidByCategory[k] = 0.0;
    for (int i = 0; i < 1000 && m_events[i].m_date.isValid(); ++i) {
        CEvent& e = m_events[i];
        if (e.m_allocation == nullptr) continue;
        for (int k = 0; k < kCategories; ++k) m_paidByCategory[k] += e.m_allocation->m_payment[k];
        e.m_balof = 0.0;
    }
    // Payments go to the liabilities of their category oldest first.
    for (int i = 0; i < 1000 && m_events[i].m_date.isValid(); ++i) {
        CEvent& e = m_events[i];
        const int c = LiabilityCategory(e.m_type);
        if (c < 0) continue;
        double paid;
        if (m_paidByCategory[c] > e.m_amount) {
            paid = e.m_amount;
            m_paidByCategory[c] -= e.m_amount;
        } else {
            paid = m_paidByCategory[c];
            m_paidByCategory[c] = 0.0;
        }
        e.m_balof = e.m_amount - paid;
    }
}

double CQRTCompute::AnyPayments(int penalty, Date from, Date to)
{
    int i = 0;
    if (from.isValid())
        while (i < 1000 && m_events[i].m_date.isValid() && m_events[i].m_date < from) ++i;

    double sum = 0.0;
    Date latestTax;
    for (; i < 1000 && m_events[i].m_date.isValid() && m_events[i].m_date < to; ++i) {
        const CEvent& e = m_events[i];
        if (e.m_type == 0 || e.m_type == 1) {
            latestTax = e.m_date;
            continue;
        }
        if (!IsPaymentKind(e.m_type) || e.m_allocation == nullptr || e.m_date == latestTax) continue;
        sum += penalty < 0 ? e.m_allocation->m_payment[0] + e.m_allocation->m_payment[2]
                           : e.m_allocation->m_payment[penalty + 6];
    }
    return sum;
}

double CQRTCompute::TenDayPayments(int penalty)
{
    const Date limit = m_penalties[penalty].m_dates[0].AddDays(10);
    double outstanding = TotalTax() - m_penalties[penalty].m_amounts[0];
    double running = 0.0;
    for (int i = 0; i < 1000 && m_events[i].m_date.isValid() && m_events[i].m_date <= limit; ++i) {
        const CEvent& e = m_events[i];
        if (e.m_type != 2 && e.m_type != 8) continue;
        running += e.m_allocation != nullptr ? e.m_allocation->m_payment[0] : e.m_amount;
        if (outstanding > 0.001) {
            outstanding -= running;
            running = 0.0;
            if (outstanding < 0.0) {
                running = -outstanding;
                outstanding = 0.0;
            }
        }
    }
    return running;
}
