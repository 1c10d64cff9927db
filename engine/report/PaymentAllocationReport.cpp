// The payment allocation detail: how each payment and deposit was applied.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::GeneratePaymentAllocationReport() { return 0; }
