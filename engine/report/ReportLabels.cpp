#include "report/ReportLabels.h"

#include "compute/EventKind.h"
#include "compute/PenaltyTable.h"

namespace report {

const char kHotInterestLine[] = "Large corp. rate increase";
const char kTaxOrCheckLine[] = "Tax or IRS Check   ";

const char* EventLineLabel(int kind)
{
    if (kind >= 0 && kind < 12) return EventReportLabel(kind);
    if (kind >= 12 && kind < 12 + penalty::kSlotCount) return penalty::SlotCode(kind - 12);
    if (kind == kStopHotLineKind) return "Stop Hot Interest";
    if (kind == kHotStartLineKind) return kHotInterestLine;
    return "";
}

const char* PeriodLineLabel(RateLabel label)
{
    switch (label) {
    case kRateLabelGatt: return "GATT Rate";
    case kRateLabelHigh: return "High Rate";
    case kRateLabelHot: return "Hot Interest";
    default: return "Interest";
    }
}

}  // namespace report
