# Tests of the batch edit of tableedit/batch (paths relative to tests/).
qrt_add_test(batch_command_test tableedit/batch/BatchCommandFileTest.cpp)
target_link_libraries(batch_command_test PRIVATE qrt_batchcommand)

qrt_add_test(batch_edit_test tableedit/batch/BatchEditTest.cpp
  tableedit/batch/BatchEditProgramTest.cpp)
target_link_libraries(batch_edit_test PRIVATE qrt_batchedit_core qrt_batchcommand)
target_compile_definitions(batch_edit_test PRIVATE QRT_BATCHEDIT="$<TARGET_FILE:qrt_batchedit>")
add_dependencies(batch_edit_test qrt_batchedit)

# The editor's -B option and "Batch Mode Edit..." button, on the real widgets.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(batch_editor_test tableedit/batch/EditorBatchEditTest.cpp)
target_link_libraries(batch_editor_test PRIVATE qrt_tableedit Qt6::Test GTest::gtest
  GTest::gtest_main qrt_warnings)
target_include_directories(batch_editor_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
gtest_discover_tests(batch_editor_test DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
