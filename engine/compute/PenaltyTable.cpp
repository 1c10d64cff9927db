#include "compute/PenaltyTable.h"

namespace penalty {
namespace {

struct SlotText {
    const char* code;
    const char* description;
    const char* templateName;
};

constexpr SlotText kSlots[kSlotCount] = {
    {"6651(a)(1)", "Failure to File", ""},
    {"6651(a)(2)", "Failure to Pay Tax Shown", "P6651A2.DM"},
    {"6651(a)(3)", "Failure to Pay Assessment", "P6651A3.DM"},
    {"6653(a)", "Negligence", "P6653A.DM"},
    {"6653(b)", "Fraud", "P6653B.DM"},
    {"Open - not used", "Not used", ""},
    {"Open - not used", "Not used", ""},
    {"6659", "Valuation Overstatement -- Income Tax", "P6659.DM"},
    {"6659A", "Overstatement of Pension Liabilities", "P6659A.DM"},
    {"6660", "Valuation Understatement -- Estate/Gift", "P6660.DM"},
    {"6661", "Substantial Understatement of Tax", "P6661.DM"},
    {"6662(c)", "Negligence", "P6662C.DM"},
    {"6662(d)", "Substantial Understatement -- Liability", "P6662D.DM"},
    {"6662(e)", "Valuation Misstatement", "P6662E.DM"},
    {"6662(f)", "Overstatement of Pension Liabilities", "P6662F.DM"},
    {"6662(g)", "Valuation Understatement -- Estate/Gift", "P6662G.DM"},
    {"6663", "Fraud", "P6663.DM"},
    {"18681", "Failure to File - Ca", "P18681.DM"},
    {"18684.2", "Failure to Pay Tax Shown - Ca", "P18684A1.DM"},
    {"18684.2", "Failure to Pay Assessment - Ca", "P18684A2.DM"},
    {"18684", "Negligence - Ca", "P18684N.DM"},
    {"18684", "Fraud - Ca", "P18684F.DM"},
    {"6621(c)Hot Interest", "Not used", "P6621C.DM"},
    {"6651(a)(1)", "Failure to File", "P6651A1.DM"},
};

bool InRange(int slot) { return slot >= 0 && slot < kSlotCount; }

}  // namespace

const char* SlotCode(int slot) { return InRange(slot) ? kSlots[slot].code : ""; }
const char* SlotDescription(int slot) { return InRange(slot) ? kSlots[slot].description : ""; }
const char* SlotTemplate(int slot) { return InRange(slot) ? kSlots[slot].templateName : ""; }

}  // namespace penalty
