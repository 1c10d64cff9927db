// The modification-times list that the file update service downloads: one
// line per table file, "NAME.TB3 month/day/year hour:minute:second AM|PM",
// read without regard to case (every line is upper-cased first). The times are
// local times on a 12-hour clock.
// No state: any thread may call these.
// Tests: 12 AM / 12 PM conversion, case, every malformed form discarding the
// whole list, order by name, lookup without case; a fuzz target feeds it
// arbitrary text.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// One line of the list: the upper-cased name (ending in ".TB3") and its local
// date and time (hour 0 to 23).
struct ModTimeEntry {
    std::string name;
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;

    // The entry's local time as a time_t (the zone's daylight rule applied).
    std::time_t LocalTime() const;
};

// Reads the whole list. Returns 1 and sets *entries sorted by name (without
// case; equal names keep their order) when every line is an entry or blank.
// Returns 0 with *entries empty and *badLine the first line that breaks the
// format (as read, without its line end) otherwise: one bad line discards
// the list.
int ParseModTimes(const std::string& text, std::vector<ModTimeEntry>* entries,
                  std::string* badLine);

// The first entry of the sorted list whose name equals name without case, or
// nullptr.
const ModTimeEntry* FindModTime(const std::vector<ModTimeEntry>& entries, const std::string& name);
