#include "update/ModTimesListInternal.h"

#include <algorithm>
#include <cctype>

namespace {

const char kExtension[] = ".TB3";

std::string Upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

int CompareWithoutCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = std::toupper(static_cast<unsigned char>(a[i]));
        const int y = std::toupper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Splits text at sep into exactly three decimal numbers of 1 to maxDigits
// digits each; false for any other form.
bool ThreeNumbers(const std::string& text, char sep, int maxDigits, int out[3])
{
    size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        size_t end = text.find(sep, start);
        if (k == 2) {
            if (end != std::string::npos) return false;
            end = text.size();
        } else if (end == std::string::npos) {
            return false;
        }
        const size_t len = end - start;
        if (len < 1 || len > static_cast<size_t>(maxDigits)) return false;
        int n = 0;
        for (size_t i = start; i < end; ++i) {
            if (text[i] < '0' || text[i] > '9') return false;
            n = n * 10 + (text[i] - '0');
        }
        out[k] = n;
        start = end + 1;
    }
    return true;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Reads one upper-cased line into *e; false when it breaks the format.
bool ParseLine(const std::string& line, ModTimeEntry* e)
{
    const size_t ext = line.find(kExtension);
    // A name before ".TB3", then one blank and the three fields.
    if (ext == std::string::npos || ext == 0 || ext + 5 >= line.size()) return false;
    if (line[ext + 4] != ' ') return false;
    const std::string rest = line.substr(ext + 5);
    const size_t b1 = rest.find(' ');
    if (b1 == std::string::npos) return false;
    const size_t b2 = rest.find(' ', b1 + 1);
    if (b2 == std::string::npos) return false;
    const std::string marker = rest.substr(b2 + 1);
    if (marker != "AM" && marker != "PM") return false;

    int date[3], time[3];
    if (!ThreeNumbers(rest.substr(0, b1), '/', 4, date)) return false;
    if (!ThreeNumbers(rest.substr(b1 + 1, b2 - b1 - 1), ':', 2, time)) return false;
    const int month = date[0], day = date[1], year = date[2];
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    int hour = time[0];
    if (hour < 1 || hour > 12 || time[1] > 59 || time[2] > 59) return false;
    // 12-hour clock: 12 AM is midnight, 12 PM noon, 1 PM 13:00.
    if (marker == "AM" && hour == 12) hour = 0;
    if (marker == "PM" && hour != 12) hour += 12;

    e->name = line.substr(0, ext + 4);
    e->year = year;
    e->month = month;
    e->day = day;
    e->hour = hour;
    e->minute = time[1];
    e->second = time[2];
    return true;
}

} // namespace

std::time_t ModTimeEntry::LocalTime() const
{
    struct tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return mktime(&t);
}

int ParseModTimes(const std::string& text, std::vector<ModTimeEntry>* entries,
                  std::string* badLine)
{
    entries->clear();
    badLine->clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;

        // Line ends of either kind and trailing blanks are not part of the entry;
        // a line with nothing else carries no entry.
        size_t used = line.size();
        while (used > 0 && (line[used - 1] == '\r' || line[used - 1] == ' ' || line[used - 1] == '\t'))
            --used;
        if (used == 0) continue;

        ModTimeEntry e;
        if (!ParseLine(Upper(line.substr(0, used)), &e)) {
            entries->clear();
            *badLine = line.substr(0, used);
            return 0;
        }
        entries->push_back(std::move(e));
    }
    std::stable_sort(entries->begin(), entries->end(),
                     [](const ModTimeEntry& a, const ModTimeEntry& b) {
                         return CompareWithoutCase(a.name, b.name) < 0;
                     });
    return 1;
}

const ModTimeEntry* FindModTime(const std::vector<ModTimeEntry>& entries, const std::string& name)
{
    const auto it = std::lower_bound(entries.begin(), entries.end(), name,
                                     [](const ModTimeEntry& e, const std::string& n) {
                                         return CompareWithoutCase(e.name, n) < 0;
                                     });
    if (it == entries.end() || CompareWithoutCase(it->name, name) != 0) return nullptr;
    return &*it;
}
