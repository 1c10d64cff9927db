// The account summary block (REPSUM.DM): field SUMM and the end of several reports.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::PrintSummaryBlock() { return 0; }

int CRepGen::PrintAccountSummary(int /*measureOnly*/) { return 0; }
