// ReadAccount: turns a parsed account file into the automation interface's
// inputs (CEngineInputs) and the settlement date, calling the same methods
// (AddNamedEvent, the Enable... methods, the option properties) that an
// automation client calls. Unknown keys are refused. The first problem stops
// the reading and is returned with its place; the inputs are then unusable.
// Refused beyond the single values: two entries for one penalty slot, and a
// 6621(c) switch that is on without any of its dates.
// Tests: through the program (each class of bad input).
#pragma once

#include <string>

#include "AccountFields.h"
#include "JsonTree.h"
#include "PenaltyMethods.h"
#include "automation/EngineInputs.h"

// Event types of an account file, the automation enumeration without its
// prefix: "Tax" 0, "MotivatedTax" 1, "Payment" 2, "Deposit" 3, "UserPenalty" 4,
// "StopInterest" 5, "StartInterest" 6, "IRSCheck" 9. -1 for any other text.
int EventTypeCode(const std::string& name);
// The name of an event type code ("" for codes without one).
const char* EventTypeName(int code);

// When penalties is given it receives every applied "penalties" entry as read.
int ReadAccount(const JsonValue& document, CEngineInputs& inputs, DATE& settlement, AccountProblem& problem,
                std::vector<PenaltyEntryEcho>* penalties = nullptr);
