// The "report" object of an account file: the automation object's report
// options (ReadReportOptions sets them through its properties), and the
// report output of qrtcalc --report (WriteReportOutput).
// Tests: through the program (every key, bad values, form feeds, --output).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "AccountFields.h"
#include "JsonTree.h"
#include "automation/CQRTEngine.h"

// Reads the optional "report" member of the account document into the
// engine's report options. Unknown keys and bad values: 0 and the problem.
int ReadReportOptions(const JsonValue& document, CQRTEngine& engine, AccountProblem& problem);

// The report text (lines ended by "\n"); with forPrint a form feed begins
// every page after the first, at the page starts the generator recorded
// (offsets into text; -1 for pages past the 100th, which get none).
std::string ReportOutputText(const std::string& text, const std::vector<long>& pageStarts, bool forPrint);
