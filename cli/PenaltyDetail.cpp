#include "PenaltyDetail.h"

const char* PenaltySectionCode(int slot) {
    // The payment categories 6 + slot carry the section codes; slot 23 shares
    // slot 0's names.
    return AllocationCategoryName(kCategoryFirstPenalty + (slot == kPenalty6651a1 ? 0 : slot));
}

std::vector<PenaltyDetailRow> CollectPenaltyDetail(CQRTCompute& c) {
    std::vector<PenaltyDetailRow> rows;
    for (int slot = 0; slot < CQRTCompute::kPenaltySlots; ++slot) {
        if (!c.GetPenalty(slot)->IsEnabled()) continue;
        PenaltyDetailRow row{slot,
                             PenaltySectionCode(slot),
                             c.GetBaseAmount(slot),
                             c.MaximumBase(slot),
                             c.TotalPenalty(slot),
                             c.TotalPenalty2(slot),
                             c.Reduction(slot),
                             c.Reduction2(slot),
                             c.PenaltyMinimum(slot),
                             c.PenaltyMaximum(slot),
                             c.RealPenalty(slot),
                             c.PenaltyAddedAmt(slot),
                             c.PenaltyAddedDate(slot),
                             c.CheckPenaltyDates(slot),
                             {}};
        if (CPenaltyDropList* list = c.PenaltyDrops())
            for (CPenaltyDrop* d = list->Head(); d != nullptr; d = d->m_next)
                if (d->m_slot == slot) row.drops.push_back({d->m_date, d->m_amount});
        rows.push_back(row);
    }
    return rows;
}
