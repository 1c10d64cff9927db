// WriteResultSummary: qrtcalc's default, readable output: the inputs as the
// engine understood them (table, dates, options, events), the totals, the
// penalty table and every warning that is set with a one-line explanation.
// WarningExplanation: that line for warning property i (interface order).
// Tests: the example's summary names its totals and warnings.
#pragma once

#include <ostream>
#include <string>

#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"

const char* WarningExplanation(int i);

// The engine's AmountOutOfRange flag as qrtcalc names and explains it; it
// follows the 24 warnings in both outputs and makes qrtcalc exit with 1.
extern const char kAmountOutOfRangeName[];
extern const char kAmountOutOfRangeText[];

void WriteResultSummary(const std::string& fileName, const CEngineInputs& inputs, const CEngineRun& run,
                        std::ostream& out);
