// WriteResultSummary: qrtcalc's default, readable output: the inputs as the
// engine understood them (table, dates, options, events), the totals, the
// penalty table (with the reason of a penalty that a threshold made 0),
// ErrorsDetected and every warning that is set with its plain sentence.
// Tests: the example's summary names its totals and warnings.
#pragma once

#include <ostream>
#include <string>

#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"

void WriteResultSummary(const std::string& fileName, const CEngineInputs& inputs, const CEngineRun& run,
                        std::ostream& out);
