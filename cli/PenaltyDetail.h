// PenaltyDetailRow: the results of one enabled penalty slot after a
// computation, read from the compute object's per-slot accessors, with the
// drops (assessments) the slot made. CollectPenaltyDetail lists every slot
// whose record is enabled, in slot order. Amounts in cents.
// Tests: through the program's --json output.
#pragma once

#include <vector>

#include "calendar/Date.h"
#include "compute/CQRTCompute.h"

struct PenaltyDrop {
    Date date;
    double amount;
};

struct PenaltyDetailRow {
    int slot;
    const char* code;  // section code, such as "6651(a)(1)"
    double baseAmount, maximumBase, totalPenalty, totalPenalty2, reduction, reduction2;
    double penaltyMinimum, penaltyMaximum, realPenalty, penaltyAddedAmt;
    Date penaltyAddedDate;
    int checkPenaltyDates;
    std::vector<PenaltyDrop> drops;
};

// Section code of a penalty slot (slot 23 and slot 0 are both "6651(a)(1)").
const char* PenaltySectionCode(int slot);

std::vector<PenaltyDetailRow> CollectPenaltyDetail(CQRTCompute& compute);
