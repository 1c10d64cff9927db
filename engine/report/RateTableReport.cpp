// The rate table listing of the compute object's table.
// Not written yet: prints nothing.
#include "report/CRepGen.h"

int CRepGen::GenerateRateTableReport() { return 0; }
