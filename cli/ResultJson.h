// WriteResultJson: the --json output of qrtcalc, one object: "Account" (the
// inputs as read, when they are given), then keys that are the automation
// interface's property names: the eight totals (dollar strings with
// two decimals), "ErrorsDetected", "Warnings" (the 24 warning properties as
// booleans, in interface order), "Periods" (the normal, motivated and penalty
// result records, each with the "label" of its kind and the "rate_label" of
// its interest line) and "PenaltyDetail" (one object per enabled penalty
// slot, with "NoPenaltyReason" when a threshold made it 0).
// Every figure is read from the engine; nothing is computed here.
// Tests: the keys of every example's output; totals against the engine.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "PenaltyMethods.h"
#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"

// The eight totals: key and getter, in output order.
struct ResultTotal {
    const char* key;
    HRESULT (CEngineRun::*get)(CY*) const;
};
extern const ResultTotal kResultTotals[8];

// Without the inputs: no "Account".
void WriteResultJson(const CEngineRun& run, std::ostream& out);
void WriteResultJson(const CEngineRun& run, const CEngineInputs* inputs, const std::vector<PenaltyEntryEcho>& penalties,
                     std::ostream& out);
// The same object as a document, for a caller that adds keys of its own.
nlohmann::ordered_json ResultDocument(const CEngineRun& run, const CEngineInputs* inputs = nullptr,
                                      const std::vector<PenaltyEntryEcho>& penalties = {});
