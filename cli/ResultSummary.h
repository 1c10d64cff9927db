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

void WriteResultSummary(const std::string& fileName, const CEngineInputs& inputs, const CEngineRun& run,
                        std::ostream& out);
