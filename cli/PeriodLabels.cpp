#include "PeriodLabels.h"

#include "PenaltyDetail.h"
#include "compute/EventKind.h"
#include "compute/PenaltyStreamKinds.h"

const char* PeriodKindLabel(int kind, PeriodStream stream) {
    if (kind >= 0 && kind < 12) return EventReportLabel(kind);
    // In the penalty stream 12 + slot is a penalty's assessment and 36, 37 the
    // 6621(c) stop and start; the interest streams use 33 and 35 for those.
    if (stream == PeriodStream::Penalty) {
        if (kind >= penalty::kStreamKindSlotBase && kind < penalty::kStreamKindSlotBase + 24)
            return PenaltySectionCode(kind - penalty::kStreamKindSlotBase);
        if (kind == penalty::kStreamKindHotStop) return "Stop Hot Interest";
        if (kind == penalty::kStreamKindHotStart) return "Large corp. rate increase";
    } else {
        if (kind == kEventHotStart) return "Large corp. rate increase";
        if (kind == kEventHotStop) return "Stop Hot Interest";
    }
    switch (kind) {
        case kEventRateChange:
        case kEventMotivatedRateChange: return "Rate change";
        case kEventMonthEnd: return "Month end";
        case kEventFinal: return "Computation date";
        default: return "";
    }
}

const char* PeriodRateLabel(const ComputeResults& r) {
    if (r.m_hot != 0) return "Hot Interest";
    if (r.m_gattInterest != 0) return "GATT Rate";
    return "Interest";
}
