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
#include <vector>

#include "AccountFields.h"
#include "JsonTree.h"
#include "automation/PenaltySettings.h"

// One parameter of an applied entry as it was read, for echoing the account:
// type 'C' dollars ("1234.56"), 'D' a date ("YYYY-MM-DD", "" for no date),
// 'I' a whole number, 'R' a number (value in number).
struct EchoedParameter {
    const char* name;
    char type;
    std::string text;
    double number = 0;
};

// An applied entry: the method, its slot and every parameter in interface
// order, omitted ones with the value they were given (no date, 0).
struct PenaltyEntryEcho {
    std::string method;
    int slot = -1;
    std::vector<EchoedParameter> parameters;
};

// Applies the entry; when echo is given it receives the entry as read.
int ApplyPenaltyEntry(const JsonValue& entry, const std::string& place, CPenaltySettings& settings,
                      AccountProblem& problem, PenaltyEntryEcho* echo = nullptr);

// The penalty slot an Enable... method fills (23 for 6651(a)(1), 1 and 2 for
// 6651(a)(2) and (a)(3), 3 to 16 for the others); -1 for an unknown name.
int PenaltyMethodSlot(const std::string& name);
