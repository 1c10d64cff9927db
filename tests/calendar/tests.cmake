# Tests of engine/calendar (paths relative to tests/).
qrt_add_test(calendar_tests
  calendar/DateEdgeCasesTest.cpp
  calendar/DateWalkTest.cpp
  calendar/CalendarInternalTest.cpp)
