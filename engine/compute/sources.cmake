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
  compute/Payment.cpp
  compute/Penalties.cpp
  compute/ResultLists.cpp
)
