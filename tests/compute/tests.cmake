# Tests of engine/compute (paths relative to tests/).
qrt_add_test(penalty_schedule_tests compute/PenaltyScheduleTest.cpp)
