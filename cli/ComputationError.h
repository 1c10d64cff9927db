// ComputationError: the message for the input-error flag that stopped a
// computation of qrtcalc (no table, no events, an event before the table, a
// settlement date before the events); empty when the computation ran.
#pragma once

#include <string>

#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"

std::string ComputationError(const CEngineRun& run, const CEngineInputs& inputs);
