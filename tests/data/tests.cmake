# Tests of the data the project ships (paths relative to tests/).
qrt_add_test(federal_table_test data/FederalTableTest.cpp)
target_link_libraries(federal_table_test PRIVATE qrt_batchedit_core qrt_batchcommand)
