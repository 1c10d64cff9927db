// RateBoundaries: where the periods of a rate table end, for the penalty
// loops. Entry i's period ends on the day before entry i+1 starts; the last
// valid entry's period is open-ended (no date).
// A plain value built from a loaded table. Tests: through the penalty stream.
#pragma once

#include "calendar/Date.h"
#include "ratetable/InterestRateTable.h"

struct RateBoundaries {
    Date m_end[InterestRateTable::kMaxEntries];
    int m_count = 0;  // valid entries of the table

    explicit RateBoundaries(InterestRateTable& table)
    {
        while (m_count < InterestRateTable::kMaxEntries &&
               table.GetStartingDate(m_count).isValid())
            ++m_count;
        for (int i = 0; i + 1 < m_count; ++i)
            m_end[i] = table.GetStartingDate(i + 1).AddDays(-1);
    }

    // Entry in force on d: the first whose period has not ended before d
    // (entry 0 for a date before the table, 0 for an empty table).
    int EntryFor(Date d) const
    {
        for (int i = 0; i < m_count; ++i)
            if (!m_end[i].isValid() || m_end[i] >= d) return i;
        return 0;
    }

    // End of entry i's period; no date for the last entry.
    Date EndOf(int i) const { return i >= 0 && i < m_count ? m_end[i] : Date(); }
};
