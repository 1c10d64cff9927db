# Tests of the automation input layer and of qrtcalc (paths relative to tests/).
# The libraries are listed before the engine objects they call (static link order).
qrt_add_test(automation_inputs_test cli/EngineInputsTest.cpp cli/PenaltySettingsTest.cpp)
target_link_libraries(automation_inputs_test PRIVATE qrt_automation_core qrt_engine_static)

qrt_add_test(qrtcalc_text_test cli/AccountTextTest.cpp)
target_link_libraries(qrtcalc_text_test PRIVATE qrtcalc_core qrt_automation_core qrt_engine_static)

# These run the real program on files in a scratch folder.
qrt_add_test(qrtcalc_program_test cli/ProgramExplainsTest.cpp cli/ProgramInputErrorsTest.cpp
  cli/ProgramPenaltiesTest.cpp cli/ProgramResultsTest.cpp cli/ProgramFilesTest.cpp cli/ProgramBatchTest.cpp
  cli/ProgramReportsTest.cpp
  cli/RunQrtcalc.cpp)
target_link_libraries(qrtcalc_program_test PRIVATE qrtcalc_core qrt_automation_core qrt_engine_static)
target_compile_definitions(qrtcalc_program_test PRIVATE QRT_QRTCALC="$<TARGET_FILE:qrtcalc>")
add_dependencies(qrtcalc_program_test qrtcalc)

qrt_add_test(example_period_lists_test cli/ExamplePeriodListsTest.cpp)
target_link_libraries(example_period_lists_test PRIVATE qrtcalc_core qrt_automation_core qrt_engine_static)

# The installed program finds its shipped data without any set-up.
add_test(NAME QrtcalcInstalled.FindsItsDataBesideItself
  COMMAND "${CMAKE_COMMAND}" -DBUILD_DIR=${CMAKE_BINARY_DIR}
    -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/qrtcalc-install
    -DEXAMPLE=${CMAKE_SOURCE_DIR}/examples/late-payment.json
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/InstalledQrtcalc.cmake)

qrt_add_test(result_line_test cli/ResultLineTest.cpp)
target_link_libraries(result_line_test PRIVATE qrtcalc_core qrt_automation_core qrt_engine_static)

# qrtcalc --batch on many threads: the ThreadSanitizer build runs the program
# built with it.
qrt_add_test(qrtcalc_batch_threads_test cli/BatchThreadsTest.cpp cli/RunQrtcalc.cpp LABELS threads)
target_link_libraries(qrtcalc_batch_threads_test PRIVATE qrtcalc_core qrt_automation_core qrt_engine_static)
target_compile_definitions(qrtcalc_batch_threads_test PRIVATE QRT_QRTCALC="$<TARGET_FILE:qrtcalc>")
add_dependencies(qrtcalc_batch_threads_test qrtcalc)
