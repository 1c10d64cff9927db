#include "compute/AllocationCategory.h"

const char kDefaultAllocationClasses[kCategoryCount + 1] =
    "ADBECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC";

namespace {

// 6 to 29 are the penalty slots 0 to 23 (29: failure to file, which a
// payment is allocated to like any other penalty); 30 is the 6621(c) stop.
constexpr const char* kNames[31] = {
    "Tax or IRS Check", "Interest", "Motivated tax", "Motivated interest",
    "User penalties", "Penalty interest",
    "6651(a)(1)", "6651(a)(2)", "6651(a)(3)", "6653(a)", "6653(b)",
    "Open - not used", "Open - not used", "6659", "6659A", "6660", "6661",
    "6662(c)", "6662(d)", "6662(e)", "6662(f)", "6662(g)", "6663", "18681",
    "18684.2", "18684.2", "18684", "18684", "6621(c)Hot Interest", "6651(a)(1)",
    "Stop Hot Interest",
};

}  // namespace

const char* AllocationCategoryName(int category)
{
    if (category >= 0 && category < 31)
        return kNames[category];
    return "";
}
