// Why an enabled penalty came to nothing because of a threshold of its
// section: 6662(d), (e) and (g) need a base above $5,000, 6662(f) one above
// $1,000, 6659, 6659A and 6660 one of at least $1,000 (6659A also tax due
// from 23 October 1986), 6661 one above $5,000 (and tax due from 1983).
// The engine marks such a slot with its explanatory footer; the reason is
// built from that mark, the slot's base and the account's tax due date.
// Tests: through the program's summary and --json (each threshold class).
#pragma once

#include <string>

#include "compute/CQRTCompute.h"

// The reason as one sentence ("no penalty: the base $4,000.00 is not above
// $5,000, ..."), or "" when the slot's penalty did not fall to a threshold.
std::string PenaltyZeroReason(CQRTCompute& compute, int slot);
