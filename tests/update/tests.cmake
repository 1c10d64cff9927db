# Tests of engine/update (paths relative to tests/).
qrt_add_test(mod_times_list_test update/ModTimesListTest.cpp)
qrt_add_test(file_update_service_test update/FileUpdateServiceTest.cpp)
qrt_add_test(file_update_thread_test update/FileUpdateThreadTest.cpp LABELS threads)
