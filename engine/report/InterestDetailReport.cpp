// The interest computation detail: the three interest streams period by period.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::GenerateInterestDetail(int /*standalone*/) { return 0; }

int CRepGen::GenerateInterestWithFactorsReport() { return GenerateInterestDetail(1); }

int CRepGen::GenerateInterestEvents(ComputeResults* /*stream*/, int /*streamKind*/, int /*combined*/) { return 0; }
