// --version: the program's version and the end date of the FEDERAL rate
// table found in the engine folder (the last date it gives rates for).
// Tests: through the program.
#pragma once

#include <ostream>

void WriteProgramVersion(std::ostream& out);
