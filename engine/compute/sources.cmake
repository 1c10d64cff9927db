# Sources of engine/compute, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  compute/AllocationCategory.cpp
  compute/CEvent.cpp
  compute/CPenaltyDrop.cpp
  compute/CQRTCompute.cpp
  compute/ComputeResults.cpp
  compute/ComputeTotals.cpp
  compute/Compounding.cpp
  compute/EventKind.cpp
  compute/EventOrder.cpp
  compute/InterestAccrual.cpp
  compute/Payment.cpp
  compute/Penalties.cpp
  compute/ResultLists.cpp
  compute/AccuracyPenaltiesPending.cpp
  compute/CheckPenaltyDates.cpp
  compute/Compute6651a1a2.cpp
  compute/Compute6651a3.cpp
  compute/ComputePenalties.cpp
  compute/FailureToFileMinimum.cpp
  compute/FailureToPay.cpp
  compute/PenaltyInterest.cpp
  compute/PenaltyStream.cpp
  compute/PenaltyTable.cpp
)
