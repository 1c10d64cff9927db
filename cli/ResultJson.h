// WriteResultJson: the --json output of qrtcalc, one object whose keys are the
// automation interface's property names: the eight totals (dollar strings with
// two decimals), "ErrorsDetected", "Warnings" (the 24 warning properties as
// booleans, in interface order), "Periods" (the normal, motivated and penalty
// result records) and "PenaltyDetail" (one object per enabled penalty slot).
// Every figure is read from the engine; nothing is computed here.
// Tests: the keys of every example's output; totals against the engine.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "automation/EngineRun.h"

void WriteResultJson(const CEngineRun& run, std::ostream& out);
// The same object as a document, for a caller that adds keys of its own.
nlohmann::ordered_json ResultDocument(const CEngineRun& run);
