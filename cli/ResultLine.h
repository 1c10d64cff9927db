// ResultLine: the output line of one computed account in batch mode: the
// --json object (ResultDocument) with the caller's "id" first, written
// directly as compact text instead of built as a document and dumped. The
// text is byte for byte what dumping that document on one line gives (the
// same key order, number and string forms, invalid UTF-8 replaced); an
// account with penalty slots, whose detail is rarer and larger, goes through
// the document itself.
// Tests: the line against the dumped document for the examples, penalty
// accounts, odd names and ids.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "JsonText.h"
#include "PenaltyMethods.h"
#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"

// id null: no "id" key.
std::string ResultLine(const CEngineRun& run, const CEngineInputs& inputs, const std::vector<PenaltyEntryEcho>& penalties,
                       const nlohmann::ordered_json& id);
