// Comparison of names that ignores ASCII letter case, as settings keys,
// section names and table alias names are matched.
#pragma once

#include <cctype>
#include <string>

inline bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
