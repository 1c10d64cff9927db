// Feeds arbitrary text to the modification-times list parser. It must not
// crash; a list it accepts must hold only names ending in ".TB3" with a date
// and a 24-hour time in range, sorted by name without case, and every entry's
// name must be found again by the lookup; a list it refuses must be empty and
// name a line of the input.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "update/ModTimesListInternal.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ModTimeEntry> list;
    std::string bad;
    if (ParseModTimes(text, &list, &bad) == 0) {
        if (!list.empty() || bad.empty() || text.find(bad) == std::string::npos) std::abort();
        return 0;
    }
    for (size_t i = 0; i < list.size(); ++i) {
        const ModTimeEntry& e = list[i];
        if (e.name.size() < 5 || e.name.compare(e.name.size() - 4, 4, ".TB3") != 0) std::abort();
        if (e.name != Upper(e.name)) std::abort();
        if (e.month < 1 || e.month > 12 || e.day < 1 || e.day > 31 || e.year < 1970) std::abort();
        if (e.hour < 0 || e.hour > 23 || e.minute < 0 || e.minute > 59 || e.second < 0 || e.second > 59)
            std::abort();
        if (i > 0 && list[i - 1].name > e.name) std::abort();
        const ModTimeEntry* found = FindModTime(list, e.name);
        if (found == nullptr || found->name != e.name) std::abort();
    }
    return 0;
}
