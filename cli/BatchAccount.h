// BatchAccountLine: one line of qrtcalc's batch mode, an account object of
// the account file's schema plus an optional "id" (a string or a number),
// turned into its output line: the --json keys of the computed account with
// the "id" first, or {"id", "line", "error": {"message", "exit"}} for an
// account that is refused (exit 2: bad JSON or a bad value, nothing computed;
// exit 1: the computation found an input error). Each call uses its own
// engine run, so calls on different threads do not meet.
#pragma once

#include <string>

#include "automation/EngineRun.h"

struct BatchLineResult {
    std::string json;  // the output line, without its newline
    int exitClass = 0; // 0 computed, 1 or 2 refused as above
};

BatchLineResult BatchAccountLine(const std::string& text, long lineNumber, CEngineRun& run);
// The refusal of a line longer than the batch reader takes (16 MiB).
BatchLineResult BatchLineTooLong(long lineNumber);
