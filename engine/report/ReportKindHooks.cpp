// The blocks that the report kinds print for the action fields ESUM and
// SUMM. The report kinds replace these definitions with the penalty event
// summary (the dated steps of the failure-to-pay bases, GetFPSBase and
// GetFPABase) and the account summary block (REPSUM.DM, measured first so
// that it starts a new page when it would not fit). Until then both fields
// print nothing, so the templates that hold them stay valid.
#include "report/CRepGen.h"

int CRepGen::PrintEventSummary(int /*penaltyKind*/) { return 0; }

int CRepGen::PrintSummaryBlock() { return 0; }
