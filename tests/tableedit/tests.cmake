# Tests of the rate table editor (paths relative to tests/): Qt Test programs
# that drive the real widgets on Qt's offscreen platform, so they need no
# display.
find_package(Qt6 REQUIRED COMPONENTS Test)

# qrt_add_qtest(<name> <sources...>): one Qt Test program, one CTest test.
function(qrt_add_qtest name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE qrt_tableedit Qt6::Test qrt_warnings)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE QRT_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

qrt_add_qtest(tableedit_logic_test tableedit/TableEditLogicTest.cpp tableedit/EditorDriver.cpp)
qrt_add_qtest(tableedit_dialogs_test tableedit/TableEditDialogsTest.cpp tableedit/EditorDriver.cpp)
