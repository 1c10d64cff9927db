# libFuzzer targets: built only in the clang fuzz configuration (QRT_BUILD_FUZZ).
# qrt_add_fuzz(<name> <sources...>) makes build/fuzz/tests/fuzz/fuzz_<name>;
# tools/test runs each for a bounded time, seeded from tests/fuzz/seeds/<name>.
if(QRT_BUILD_FUZZ)
  add_custom_target(qrt_fuzz_targets)
  function(qrt_add_fuzz name)
    add_executable(fuzz_${name} ${ARGN})
    target_link_libraries(fuzz_${name} PRIVATE qrt_engine_static)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
    add_dependencies(qrt_fuzz_targets fuzz_${name})
  endfunction()
endif()

if(QRT_BUILD_FUZZ)
  qrt_add_fuzz(read_table fuzz/ReadTableFuzz.cpp)
  qrt_add_fuzz(alias_file fuzz/AliasFileFuzz.cpp)
  qrt_add_fuzz(ini_file fuzz/IniFileFuzz.cpp)
  qrt_add_fuzz(batch_line fuzz/BatchLineFuzz.cpp)
  target_link_libraries(fuzz_batch_line PRIVATE qrt_batchcommand)
  qrt_add_fuzz(batch_file fuzz/BatchFileFuzz.cpp)
  target_link_libraries(fuzz_batch_file PRIVATE qrt_batchedit_core qrt_batchcommand)
endif()

if(QRT_BUILD_FUZZ)
  qrt_add_fuzz(account_reader fuzz/AccountReaderFuzz.cpp)
  target_link_libraries(fuzz_account_reader PRIVATE qrtcalc_core qrt_automation_core qrt_engine_static)
endif()

if(QRT_BUILD_FUZZ)
  qrt_add_fuzz(template_merge fuzz/TemplateMergeFuzz.cpp)
  target_compile_definitions(fuzz_template_merge PRIVATE QRT_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
  qrt_add_fuzz(mod_times_list fuzz/ModTimesListFuzz.cpp)
endif()
