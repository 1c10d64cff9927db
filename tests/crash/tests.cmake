# The crash tests (paths relative to tests/): the writers' table, shared by
# qrt_crash_writer (the child that is killed) and the test that kills it.
add_library(qrt_crash_writers STATIC crash/CrashWriters.cpp
  ${CMAKE_SOURCE_DIR}/automation/server/ServiceFile.cpp)
target_include_directories(qrt_crash_writers PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR})
target_compile_definitions(qrt_crash_writers PRIVATE QRT_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
# The batch edit's object libraries go into this archive; the engine is linked after it.
target_link_libraries(qrt_crash_writers PRIVATE qrt_batchedit_core qrt_batchcommand qrt_warnings
  PUBLIC qrt_registration qrt_automation_core qrt_engine_static)

add_executable(qrt_crash_writer crash/CrashWriterMain.cpp)
target_link_libraries(qrt_crash_writer PRIVATE qrt_crash_writers qrt_warnings)

qrt_add_test(crash_safety_test crash/CrashSafetyTest.cpp)
target_link_libraries(crash_safety_test PRIVATE qrt_crash_writers qrt_registration qrt_automation_core
  qrt_engine_static)
target_compile_definitions(crash_safety_test PRIVATE QRT_CRASH_WRITER="$<TARGET_FILE:qrt_crash_writer>")
add_dependencies(crash_safety_test qrt_crash_writer)
