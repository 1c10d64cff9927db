// Labels of interest periods for the --json output: PeriodKindLabel names the
// step that ended a period by its kind, with the event labels the reports
// print ("Tax", "Payment", "IRS Check", ...) and words for the driver's own
// steps ("Rate change", "Month end", "Computation date", "Large corp. rate
// increase", "Stop Hot Interest"); the penalty stream's kinds 12 to 35 are the
// section codes of the penalties assessed there. PeriodRateLabel is the label
// of the period's interest line: "Hot Interest", "GATT Rate" or "Interest".
// Tests: through the program's --json output.
#pragma once

#include "compute/ComputeResults.h"

enum class PeriodStream { Normal, Motivated, Penalty };

// "" for a kind without a label.
const char* PeriodKindLabel(int kind, PeriodStream stream);

const char* PeriodRateLabel(const ComputeResults& period);
