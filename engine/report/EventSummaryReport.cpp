// The event summary report: one line per event with its balance, then the closing lines.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::GenerateMainScreenReport(int /*withSummary*/) { return 0; }
