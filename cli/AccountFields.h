// Readers of single values of an account file: each checks one JSON value
// and converts it to the automation interface's type (CY, DATE, I4, R8), or
// returns 0 and fills an AccountProblem naming the place and what was expected.
// Places are JSON paths: "events[3].amount", "penalties[0].Enable6662CPenalty.dPercent".
// Tests: through the program's bad-input cases.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "JsonTree.h"
#include "automation/AutomationTypes.h"

struct AccountProblem {
    std::string place;    // JSON path of the offending value
    std::string message;  // what was expected (and what was found)
};

// text with every control character (below 0x20, and 0x7F) shown as "?", so
// that a file's text cannot steer the terminal it is printed on.
std::string Printable(const std::string& text);

// Quotes a found value for a message: strings in quotes, numbers as written,
// containers by their type.
std::string Describe(const JsonValue& v);

int Problem(AccountProblem& problem, const std::string& place, const std::string& message);

// An object whose keys are all among allowed; place names the object.
int CheckObject(const JsonValue& v, const std::string& place, std::initializer_list<const char*> allowed,
                AccountProblem& problem);

// Dollars as a JSON number or a decimal string, to currency (cents x 100).
int ReadAmount(const JsonValue& v, const std::string& place, CY& amount, AccountProblem& problem);
// "YYYY-MM-DD", or null when allowNull (giving the DATE of no date, -1).
int ReadDate(const JsonValue& v, const std::string& place, bool allowNull, DATE& date, AccountProblem& problem);
int ReadDateValue(const JsonValue& v, const std::string& place, Date& date, AccountProblem& problem);
int ReadBoolean(const JsonValue& v, const std::string& place, int32_t& flag, AccountProblem& problem);
// A boolean (1 or 0) or a whole number within 32 bits.
int ReadI4(const JsonValue& v, const std::string& place, int32_t& value, AccountProblem& problem);
// A JSON number.
int ReadR8(const JsonValue& v, const std::string& place, double& value, AccountProblem& problem);
