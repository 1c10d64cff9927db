# Tests of engine/compute (paths relative to tests/).
qrt_add_test(penalty_schedule_tests compute/PenaltyScheduleTest.cpp)
qrt_add_test(compute_records_test compute/ComputeRecordsTest.cpp)
qrt_add_test(compute_inputs_test compute/ComputeInputsTest.cpp compute/EventOrderTest.cpp)
qrt_add_test(interest_accrual_test compute/InterestAccrualTest.cpp)
qrt_add_test(accuracy_penalty_dates_test compute/AccuracyPenaltyDatesTest.cpp)
qrt_add_test(driver_tests compute/MainComputeTest.cpp compute/StreamEdgesTest.cpp compute/DriverFlagsTest.cpp
  compute/PaymentAllocationTest.cpp compute/SmallChecksTest.cpp compute/LargeAccountTest.cpp
  compute/GattPaymentTest.cpp)
qrt_add_test(accuracy_penalties_test compute/AccuracyPenaltiesTest.cpp compute/AccuracyAccountTest.cpp)
qrt_add_test(penalty_account_tests compute/FailureToFileTest.cpp compute/FailureToPayTest.cpp
  compute/PenaltyStreamTest.cpp compute/HotAndGattTest.cpp compute/PenaltyInterestTest.cpp)
qrt_add_test(compute_repeat_test compute/ComputeRepeatTest.cpp compute/OneWalkReallocTest.cpp)
qrt_add_test(period_lists_test compute/PeriodListsTest.cpp)
qrt_add_test(compute_threads_test compute/ComputeThreadsTest.cpp LABELS threads)
