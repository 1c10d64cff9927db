// qrtDLL: the Duecalc computation engine. This header includes every exported
// header of the library, so a client writes one include.
#pragma once

#include "calendar/Date.h"
#include "ratetable/IRTU.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableHeader.h"
#include "ratetable/TablePaths.h"
#include "ratetable/UserInteraction.h"
#include "trace/Trace.h"
#include "compute/EventKind.h"
#include "compute/AllocationCategory.h"
#include "compute/Payment.h"
#include "compute/CEvent.h"
#include "compute/CashFlow.h"
#include "compute/ComputeResults.h"
#include "compute/Penalties.h"
#include "compute/F2Fs.h"
#include "compute/CPenaltyDrop.h"
#include "compute/CQRTCompute.h"
#include "compute/PenaltyTable.h"
#include "compute/PenaltyStreamKinds.h"
#include "compute/FailureToFileMinimum.h"
