// qrtDLL: the Duecalc computation engine. This header includes every exported
// header of the library, so a client writes one include.
#pragma once

#include "calendar/Date.h"
#include "ratetable/IRTU.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableHeader.h"
#include "ratetable/TablePaths.h"
#include "ratetable/UserInteraction.h"
