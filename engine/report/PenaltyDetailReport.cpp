// The penalty computation detail: one section per enabled penalty.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::GeneratePenaltyDetailReport() { return 0; }

int CRepGen::PrintPenaltySection(int /*kind*/) { return 0; }
