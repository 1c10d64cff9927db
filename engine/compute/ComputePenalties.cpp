// The penalty driver (ComputePenalties), the assessments it collects
// (DropPenalty) and the grace-period test of an assessment (PayOff).
#include <new>

#include "compute/CQRTCompute.h"

int CQRTCompute::ComputePenalties(Date through)
{
    // Assessed amounts are kept to the cent whatever the report rounding.
    const int wholeDollars = m_wholeDollarMode;
    m_wholeDollarMode = 0;
    ClearComputedPenalties();
    m_penaltyDrops = new (std::nothrow) CPenaltyDropList;
    m_interestRunning = 1;

    Compute6621c(kPenalty6621c, through);
    const auto on = [this](int slot) { return m_penalties[slot].IsEnabled() != 0; };
    if (on(kPenalty6651a1) || on(kPenalty6651a2))
        Compute6651a1a2(kPenalty6651a2, kPenalty6651a1, through, 1, 0);
    if (on(kPenalty6653a)) Compute6653a(kPenalty6653a, through);
    if (on(kPenalty6653b)) Compute6653b(kPenalty6653b, through);
    if (on(kPenalty6659)) Compute6659(kPenalty6659);
    if (on(kPenalty6659A)) Compute6659a(kPenalty6659A);
    if (on(kPenalty6660)) Compute6660(kPenalty6660);
    if (on(kPenalty6661)) Compute6661(kPenalty6661);
    if (on(kPenalty6651a3)) Compute6651a3(kPenalty6651a3, through);
    if (on(kPenalty6662c)) Compute6662c(kPenalty6662c, through);
    if (on(kPenalty6662d)) Compute6662d(kPenalty6662d, through);
    if (on(kPenalty6662e)) Compute6662e(kPenalty6662e, through);
    if (on(kPenalty6662f)) Compute6662f(kPenalty6662f, through);
    if (on(kPenalty6662g)) Compute6662g(kPenalty6662g, through);
    if (on(kPenalty6663)) Compute6663(kPenalty6663, through);

    m_wholeDollarMode = wholeDollars;
    for (int i = 0; i < kPenaltySlots; ++i) {
        if (m_penaltyAmount[i] < 0.0) m_penaltyAmount[i] = 0.0;
        if (m_totalPenalty[i] < 0.0) m_totalPenalty[i] = 0.0;
        if (m_totalPenalty2[i] < 0.0) m_totalPenalty2[i] = 0.0;
    }
    return 1;
}

void CQRTCompute::DropPenalty(double amount, Date date, int slot, int seq)
{
    if (slot < 0 || slot >= kPenaltySlots) return;
    if (m_penaltyDrops == nullptr) {
        m_penaltyDrops = new (std::nothrow) CPenaltyDropList;
        if (m_penaltyDrops == nullptr) return;
    }
    RoundMoney(amount, 0);
    if (m_penaltyDrops->Insert(slot, date, amount, seq) == nullptr) return;
    if (m_penaltyAddedAmt[slot] == 0.0) m_penaltyAddedDate[slot] = date;
    m_penaltyAddedAmt[slot] += amount;
}

namespace {

// Whether the notice behind a failure-to-pay assessment has the short (14
// day) grace period. Grace bit k belongs to notice k + 1: slot 1 assesses at
// its date indexes 1 to 4 (notices 1 to 4), slot 2 at date indexes 0 to 3.
int ShortGrace(const Penalties& rec, int slot, int seq)
{
    const int bit = slot == kPenalty6651a2 ? seq - 1 : seq;
    if (bit < 0 || bit > 15) return 0;
    return (rec.m_graceMask >> bit) & 1;
}

}  // namespace

int CQRTCompute::PayOff(CPenaltyDrop* drop, Date through)
{
    if (drop == nullptr || drop->m_slot < 0 || drop->m_slot >= kPenaltySlots) return 0;
    const int slot = drop->m_slot;
    Date graceEnd = drop->m_date.AddDays(10);
    if ((slot == kPenalty6651a2 || slot == kPenalty6651a3) && drop->m_date >= Date(1, 1, 1997))
        graceEnd = graceEnd.AddDays(ShortGrace(m_penalties[slot], slot, drop->m_seq) ? 4 : 11);
    if (graceEnd >= through) return 1;

    double paid = 0.0;
    for (int i = 0; i < kMaxEvents; ++i) {
        const CEvent& e = m_events[i];
        if (!e.m_date.isValid() || e.m_date > graceEnd) break;
        if (e.m_date < drop->m_date || e.m_allocation == nullptr) continue;
        paid += e.m_allocation->m_payment[kCategoryFirstPenalty + slot];
    }
    return paid + m_penaltyCredit[slot] >= drop->m_amount - 0.005 ? 1 : 0;
}
