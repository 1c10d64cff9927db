#include "GridLists.h"

namespace tableedit {

namespace {

constexpr ListItem kModes[] = {
    {"Old IRS Method", 0},
    {"Simple", 1},
    {"Daily", 2},
    {"Monthly (+ exact days)", 3},
    {"Monthly (whole months)", 5},
    {"Sum of Factors", 4},
};

constexpr ListItem kDaysPerYear[] = {
    {"365", 365},
    {"366", 366},
    {"365\u00BC", 100},
};

}  // namespace

std::span<const ListItem> ModeList() { return kModes; }
std::span<const ListItem> DaysPerYearList() { return kDaysPerYear; }

int IndexOfCode(std::span<const ListItem> list, int code) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].code == code) return static_cast<int>(i);
    return -1;
}

int CodeAt(std::span<const ListItem> list, int index) {
    if (index < 0 || static_cast<size_t>(index) >= list.size()) return -1;
    return list[static_cast<size_t>(index)].code;
}

}  // namespace tableedit
