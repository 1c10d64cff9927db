// The table model: construction, slot access, lookup and maintenance.
#include "ratetable/InterestRateTable.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "ratetable/TableFormatInternal.h"
#include "ratetable/TableLockInternal.h"

InterestRateTable::InterestRateTable() {
    TableLock();
    Clear();
}

InterestRateTable* InterestRateTable::NewIRT() {
    return new (std::nothrow) InterestRateTable;
}

void InterestRateTable::DeleteIRT(InterestRateTable* t) {
    delete t;
}

void InterestRateTable::Clear() {
    m_name.clear();
    m_header.Clear();
    for (IRTU& e : m_entries) e.Clear();
}

int InterestRateTable::CountLeadingValid() const {
    int n = 0;
    while (n < kMaxEntries && m_entries[n].m_start.isValid()) ++n;
    return n;
}

int InterestRateTable::GetEntryFor(Date d) const {
    Date cur = GetStartingDate(0);
    for (int i = 0; i < kMaxEntries; ++i) {
        Date next = GetStartingDate(i + 1);
        if (!next.isValid()) return i;
        if (cur <= d && d < next) return i;
        cur = next;
    }
    return kMaxEntries - 1;  // not reached: slot 500 is never valid
}

int InterestRateTable::LastEntryIndex() const {
    // The scan starts at slot 1: the run of valid slots that follows slot 0
    // ends the table, whatever slot 0 holds. An empty table answers slot 0.
    for (int i = 1; i < kMaxEntries; ++i) {
        if (!m_entries[i].m_start.isValid()) return i - 1;
    }
    return kMaxEntries - 1;
}

Date InterestRateTable::GetLastStartingDate() const {
    return m_entries[LastEntryIndex()].m_start;
}

double InterestRateTable::GetLastNRate() const {
    return m_entries[LastEntryIndex()].m_normalRate;
}

void InterestRateTable::SetDescription(const char* text) {
    std::memset(m_header.m_description, 0, sizeof m_header.m_description);
    if (text == nullptr) return;
    std::strncpy(m_header.m_description, text, sizeof m_header.m_description - 1);
}

void InterestRateTable::NameAndDescription(char* dst) const {
    const size_t descLen = strnlen(m_header.m_description, sizeof m_header.m_description - 1);
    const size_t nameLen = std::min<size_t>(m_name.size(), 260);
    std::memcpy(dst, m_header.m_description, descLen);
    std::memcpy(dst + descLen, " -- ", 4);
    std::memcpy(dst + descLen + 4, m_name.data(), nameLen);
    dst[descLen + 4 + nameLen] = '\0';
}

int InterestRateTable::UsesSpecialDPY() const {
    for (int i = 0; i < kMaxEntries && m_entries[i].m_start.isValid(); ++i) {
        if (m_entries[i].m_dpy != 365 && m_entries[i].m_dpy != 366) return 1;
    }
    return 0;
}

int InterestRateTable::IsDuplicate(const IRTU* e) const {
    uint8_t wanted[tb3::kEntrySize];
    uint8_t have[tb3::kEntrySize];
    tb3::EncodeEntry(*e, wanted);
    const int n = std::min<int>(m_header.m_entryCount, kMaxEntries);
    for (int i = 0; i < n; ++i) {
        tb3::EncodeEntry(m_entries[i], have);
        if (std::memcmp(wanted, have, sizeof wanted) == 0) return 1;
    }
    return 0;
}

void InterestRateTable::DeleteEntry(int i) {
    for (int k = i; k < kMaxEntries - 1; ++k) m_entries[k] = m_entries[k + 1];
    m_entries[kMaxEntries - 1].Clear();
}

void InterestRateTable::CompressTable() {
    int to = 0;
    for (int from = 0; from < kMaxEntries; ++from) {
        if (!m_entries[from].m_start.isValid()) continue;
        if (from != to) m_entries[to] = m_entries[from];
        ++to;
    }
    for (int k = to; k < kMaxEntries; ++k) m_entries[k].Clear();
}

int InterestRateTable::Callback(const void* a, const void* b) {
    const Date da = static_cast<const IRTU*>(a)->m_start;
    const Date db = static_cast<const IRTU*>(b)->m_start;
    if (da > db) return 1;
    if (da < db) return -1;
    return 0;
}

void InterestRateTable::SortEvents() {
    CompressTable();
    const int n = CountLeadingValid();
    // Stable: generated tables hold two entries per date (Daily then Simple)
    // whose order the accrual relies on.
    std::stable_sort(m_entries, m_entries + n,
                     [](const IRTU& a, const IRTU& b) { return Callback(&a, &b) < 0; });
}

void InterestRateTable::ExtendThrough(Date d) {
    if (!m_entries[0].m_start.isValid()) return;
    int k = CountLeadingValid() - 1;
    while (k < kMaxEntries - 1 && m_entries[k].m_start < d) {
        IRTU next = m_entries[k];
        next.m_start = m_entries[k].m_start.AddMonths(1);
        // A month past the last representable date ends the extension rather
        // than storing an entry with no date inside the valid prefix.
        if (!next.m_start.isValid()) break;
        if (next.m_dpy != 100) next.m_dpy = (next.m_start.Year() % 4 == 0) ? 366 : 365;
        m_entries[k + 1] = next;
        ++k;
    }
    m_header.m_entryCount = static_cast<uint16_t>(k + 1);
}
