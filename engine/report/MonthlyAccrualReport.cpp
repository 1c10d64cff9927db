// The monthly accrual report: interest by month with fiscal-year and grand totals.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::GenerateMonthlyAccrualReport() { return 0; }
