# Tests of the batch edit of tableedit/batch (paths relative to tests/).
qrt_add_test(batch_command_test tableedit/batch/BatchCommandFileTest.cpp)
target_link_libraries(batch_command_test PRIVATE qrt_batchcommand)

qrt_add_test(batch_edit_test tableedit/batch/BatchEditTest.cpp
  tableedit/batch/BatchEditProgramTest.cpp)
target_link_libraries(batch_edit_test PRIVATE qrt_batchedit_core qrt_batchcommand)
target_compile_definitions(batch_edit_test PRIVATE QRT_BATCHEDIT="$<TARGET_FILE:qrt_batchedit>")
add_dependencies(batch_edit_test qrt_batchedit)
