# Tests of the command-file reader and table builder of tools/buildtable
# (paths relative to tests/).
qrt_add_test(batch_command_test tools/BatchCommandFileTest.cpp tools/TableBuilderTest.cpp)
target_link_libraries(batch_command_test PRIVATE qrt_batchcommand)
