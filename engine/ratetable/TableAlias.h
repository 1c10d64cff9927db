// CTableAlias: the table alias list, read once from "TableAlias.csv" in the
// engine folder, which redirects a requested table name to another table
// depending on the account's date (IL before 2002 -> "IL Prior 2002").
// CTAEntry: one alias line: the name asked for, an optional date range
// (either side may be "no date", 65535, meaning no limit) and the table to use.
//
// Alias file: one alias per line, four comma-separated fields (alias name,
// from date, to date, table name); no header, no quoting, no trimming; the
// fourth field is the rest of the line (a trailing "\r" of a CRLF file is not
// part of it). Problems go to "TableAliasLog.txt" in the engine folder: a
// missing file leaves the list empty; a line with an empty first or fourth
// field ends the loading there (earlier lines stay usable).
// Thread rule: Lookup may run on any number of threads; LoadAliases may run
// beside them (both take the list's lock).
// Tests: date ranges with open sides, case-insensitive names, a bad third
// line, a missing file, an unwritable log folder.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "calendar/Date.h"

class CTAEntry {
public:
    CTAEntry() = default;
    CTAEntry(const CTAEntry&) = default;
    CTAEntry& operator=(const CTAEntry&) = default;
    virtual ~CTAEntry() = default;

    std::string m_aliasName;  // the name a caller asks for (compared without case)
    Date m_from;              // first date the alias applies to; none = no limit
    Date m_to;                // last date the alias applies to; none = no limit
    std::string m_tableName;  // the table to use instead
};

class CTableAlias {
public:
    // Loads EngineDirectory() + "TableAlias.csv" (LoadAliases).
    CTableAlias();
    virtual ~CTableAlias() = default;
    CTableAlias(const CTableAlias&) = delete;
    CTableAlias& operator=(const CTableAlias&) = delete;

    // Replaces the list by the content of EngineDirectory() + "TableAlias.csv".
    void LoadAliases();
    // The table name of the first alias, in file order, whose name equals
    // `name` ignoring case and whose range contains `date`; "" when none does.
    std::string Lookup(const std::string& name, Date date) const;
    // Appends one time-stamped line to EngineDirectory() + "TableAliasLog.txt";
    // a log that cannot be opened loses the message.
    void AliasLog(const std::string& message) const;
    // Number of lines the alias file had when it was loaded (0 when missing).
    int Count() const;
    // Number of usable aliases (the lines before any bad line).
    int UsableCount() const;

private:
    mutable std::mutex m_lock;
    std::vector<CTAEntry> m_aliases;  // the lines loaded, in file order
    int m_count = 0;
};
