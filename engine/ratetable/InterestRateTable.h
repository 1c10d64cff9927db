// InterestRateTable: an interest rate table, a header and 500 entry slots
// that say period by period which rates are in force and how interest
// compounds. Valid entries form a prefix of the slots (the first empty slot
// ends the table for every scan) and, after SortEvents, ascend by date; each
// entry's period runs to the day before the next entry's date, the last one
// is open-ended. The table's name is its file's base name ("FEDERAL").
//
// Files: Read / Save / SaveAs / Browse (the .TB3 format). Cache, on-demand and
// generated tables: the static cache members, CreateRateTable and
// CreateTableOnDemand.
// Thread rule: a table belongs to one thread at a time. File reads are
// serialised by the process-wide table lock, which also guards the tables
// kept from earlier reads of unchanged files; the cache has its own lock.
// Tests: half-open lookup with repeated dates, gap closing, stable ordering,
// month-by-month extension; reader faults one at a time, golden bytes of the
// writer, save/read round trip.
#pragma once

#include <string>

#include "calendar/Date.h"
#include "ratetable/IRTU.h"
#include "ratetable/TableHeader.h"

class InterestRateTable {
public:
    static constexpr int kMaxEntries = 500;
    static constexpr int kCacheSlots = 10;

    // An empty table; makes sure the process-wide table lock exists.
    InterestRateTable();

    // Allocates / frees a table on the engine library's heap. NewIRT returns
    // null when memory runs out; DeleteIRT ignores null.
    static InterestRateTable* NewIRT();
    static void DeleteIRT(InterestRateTable* t);

    // Empty name, cleared header, 500 empty slots.
    void Clear();

    TableHeader* GetHeader() { return &m_header; }
    // REQUIRES: 0 <= i < 500.
    IRTU* GetEntry(int i) { return &m_entries[i]; }

    // Slot accessors. REQUIRES: 0 <= i < 500, except that GetStartingDate
    // answers "no date" for i >= 500.
    Date GetStartingDate(int i) const { return i < kMaxEntries ? m_entries[i].m_start : Date{}; }
    double GetNRate(int i) const { return m_entries[i].m_normalRate; }
    double GetMRate(int i) const { return m_entries[i].m_motivatedRate; }
    double GetRRate(int i) const { return m_entries[i].m_refundRate; }
    int GetDPY(int i) const { return m_entries[i].m_dpy; }
    int GetMethod(int i) const { return m_entries[i].m_method; }
    void SetStartingDate(int i, Date d) { m_entries[i].m_start = d; }
    void SetNRate(int i, double r) { m_entries[i].m_normalRate = r; }
    void SetMRate(int i, double r) { m_entries[i].m_motivatedRate = r; }
    void SetRRate(int i, double r) { m_entries[i].m_refundRate = r; }
    void SetDPY(int i, int v) { m_entries[i].m_dpy = static_cast<uint16_t>(v); }
    void SetMethod(int i, int v) { m_entries[i].m_method = static_cast<uint16_t>(v); }

    // Index of the entry in force on d, by half-open intervals
    // [start(i), start(i+1)): a date on or after the last start, or before the
    // first, gets the last valid entry; of two entries with the same date the
    // later one is found; an empty table gives 0.
    int GetEntryFor(Date d) const;
    // Starting date / normal rate of the last entry: the slot before the
    // first empty slot from slot 1 on (slot 499 when all are valid), so an
    // empty table, or one whose slot 1 is empty, answers from slot 0.
    Date GetLastStartingDate() const;
    double GetLastNRate() const;

    Date TableEndDate() const { return m_header.m_endDate; }
    void SetTableEndDate(Date d) { m_header.m_endDate = d; }
    std::string GetTableName() const { return m_name; }
    void SetTableName(const std::string& name) { m_name = name; }
    void SetTableName(const char* name) { m_name = name ? name : ""; }
    char* Description() { return m_header.m_description; }
    // Copies at most 93 characters and the terminator.
    void SetDescription(const char* text);
    // Writes description, " -- " and name (at most 260 characters of it).
    // REQUIRES: dst holds 358 bytes.
    void NameAndDescription(char* dst) const;
    std::string TableNotes() const { return m_header.m_notes; }

    // 1 if a valid entry (up to the first empty slot) has a days-per-year code
    // other than 365 and 366.
    int UsesSpecialDPY() const;
    // 1 if the 30-byte image of *e equals that of one of the first
    // m_entryCount entries.
    int IsDuplicate(const IRTU* e) const;
    // Slots i+1..499 move down one place; slot 499 is cleared. m_entryCount
    // is unchanged. REQUIRES: 0 <= i < 500.
    void DeleteEntry(int i);
    // Moves the valid entries down, in their order, to fill slots 0..n-1; the
    // rest are cleared. m_entryCount is unchanged.
    void CompressTable();
    // CompressTable, then a stable ascending order by starting date (entries
    // with equal dates keep their order). m_entryCount is unchanged.
    void SortEvents();
    // qsort-style comparison of two IRTU by m_start: 1, -1 or 0.
    static int Callback(const void* a, const void* b);
    // Copies the last entry month by month (AddMonths(1)) until an entry
    // starts on or after d or slot 499 is used; copied entries get 366 days in
    // years divisible by 4, else 365, unless their code is 100. Sets
    // m_entryCount to the valid entries. Does nothing on an empty table.
    void ExtendThrough(Date d);

    // --- Files (.TB3) ---
    // Loads the table named `name` (a path, or a bare name looked up in the
    // current folder, EngineDirectory and UserTableDirectory; ".TB3" is
    // forced). With useCache nonzero and the cache on, goes through the cache.
    // passOn is handed to the inner read of the cached path only. Returns 1 on
    // success; 0 when no file is found or it is malformed (short header or
    // entries, version above 5, more than 500 entries), and then the table is
    // unchanged.
    int Read(const std::string& name, int passOn = 0, int useCache = 0);
    // Forces ".TB3" on the caller's path, then writes the table there through
    // a temporary file renamed over the old one. Returns 1 on success, 0 on
    // any failure (the old file, if any, is then untouched).
    int Save(std::string& path);
    // Asks for a file with a save dialog (UserInteraction) and saves there.
    // Returns 1 when saved; 0 when cancelled or the save failed.
    int SaveAs(std::string& path);
    // Asks for a table file with an open dialog and reads it. Returns 1 when
    // the dialog was confirmed (a failed read then leaves the table cleared
    // with an empty name), 0 when cancelled.
    int Browse();

    // --- Process-wide cache of the ten most recently read tables ---
    static int CacheEnabled();
    static void CacheEnabled(int on);
    // Sets *slot to the slot holding `name` (exact match) or -1; 1 if found.
    int IsInCache(const std::string& name, int* slot);
    // The slot with the greatest age; the lowest such slot on a tie.
    int LeastRecent();
    // Slot k's age becomes 0; other ages not above its old age (and not 10)
    // grow by one.
    void MakeMostRecent(int k);
    // Empties every slot's name; the next read of each table goes to its file.
    static void ClearCache();

    // --- Generated tables ---
    // Fills this (empty) table with constant-rate entries from start to end
    // and saves it as folder + name + ".TB3". Returns 1 on success; 0 if the
    // user declined to replace an existing file, the frequency is unknown or
    // the save failed.
    int CreateRateTable(const std::string& name, const std::string& description, Date start,
                        Date end, int method, double rate, int frequency,
                        const std::string& folder);
    // Makes the on-demand table named by this table's name (DAILY0800, ...);
    // returns that name, or "" when the name does not fit or creation fails.
    // This table is not changed.
    std::string CreateTableOnDemand();

private:
    // The file path of Read: resolves, reads and validates the whole file
    // before anything of this table is replaced.
    int ReadFromFile(const std::string& name);
    // The cached path of Read (useCache nonzero and the cache on).
    int ReadCached(const std::string& name, int passOn);
    // Number of leading valid entries (0 to 500).
    int CountLeadingValid() const;
    // Slot that GetLastStartingDate and GetLastNRate answer from.
    int LastEntryIndex() const;

    TableHeader m_header;
    IRTU m_entries[kMaxEntries];
    std::string m_name;
};
