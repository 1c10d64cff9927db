# Tests of engine/ratetable (paths relative to tests/).
qrt_add_test(ini_file_test ratetable/IniFileTest.cpp)
qrt_add_test(time_stamped_log_test ratetable/TimeStampedLogTest.cpp)
qrt_add_test(ratetable_model_test ratetable/TableModelTest.cpp)
qrt_add_test(ratetable_file_test
  ratetable/TableFileTest.cpp
  ratetable/TablePathsTest.cpp
  ratetable/TableDialogsTest.cpp)
qrt_add_test(table_cache_test ratetable/TableCacheTest.cpp ratetable/KeptTablesTest.cpp)
qrt_add_test(table_cache_thread_test ratetable/TableCacheThreadTest.cpp LABELS threads)
qrt_add_test(table_alias_test ratetable/TableAliasTest.cpp)
qrt_add_test(table_generator_test ratetable/TableGeneratorTest.cpp)
qrt_add_test(qrtdll_app_test ratetable/CQrtDLLAppTest.cpp)
qrt_add_test(ratetable_read_threads_test ratetable/TableReadThreadsTest.cpp LABELS threads)

# Library start-up: a probe program linked to the shared library (not the
# engine's objects) is run by the test with QRT_ENGINE_DIR set.
add_executable(library_startup_probe ratetable/LibraryStartupProbe.cpp)
target_link_libraries(library_startup_probe PRIVATE qrt::qrtDLL qrt_warnings)
qrt_add_test(library_startup_test ratetable/LibraryStartupTest.cpp)
target_compile_definitions(library_startup_test PRIVATE
  QRT_STARTUP_PROBE="$<TARGET_FILE:library_startup_probe>")
add_dependencies(library_startup_test library_startup_probe)
