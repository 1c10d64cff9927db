// AccountEchoJson: the account's inputs as the program read them, in the
// account file's own shape (so a saved --json output documents, and can
// recompute, what was computed): jurisdiction, settlement date, options with
// their defaults filled in, the events in the engine's order (sorted by date,
// liabilities before payments on a day) and the penalty entries with every
// parameter as it was applied.
// Tests: through the program (the echo computes to the same figures).
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "PenaltyMethods.h"
#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"

// The echo as compact text (what dumping AccountEchoJson gives), appended
// to out; the batch writes it straight into its line.
void AppendAccountEcho(std::string& out, const CEngineRun& run, const CEngineInputs& inputs,
                       const std::vector<PenaltyEntryEcho>& penalties);
// The echo as a document, read from that text.
nlohmann::ordered_json AccountEchoJson(const CEngineRun& run, const CEngineInputs& inputs,
                                       const std::vector<PenaltyEntryEcho>& penalties);
