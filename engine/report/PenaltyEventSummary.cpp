// Field ESUM: the dated steps of a failure-to-pay penalty's base.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::PrintEventSummary(int /*penaltyKind*/) { return 0; }
