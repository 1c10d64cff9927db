// The "penalties" entries of an account file: each entry is an object with one
// key, the name of an Enable... method of the automation interface, whose
// value holds that method's parameters by their interface names (without
// bEnable). ApplyPenaltyEntry checks the entry and calls the method on a
// CPenaltySettings with bEnable = 1; a refusal becomes an AccountProblem
// naming the method and the argument.
// Omitted DATE parameters are no date, omitted I4 parameters 0; CY and R8
// parameters are required.
// Tests: through the program (each refusal class, unknown method/parameter).
#pragma once

#include <string>

#include "AccountFields.h"
#include "JsonTree.h"
#include "automation/PenaltySettings.h"

int ApplyPenaltyEntry(const JsonValue& entry, const std::string& place, CPenaltySettings& settings,
                      AccountProblem& problem);
