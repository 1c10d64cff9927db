# The in-process component from outside: a C program that only includes
# QRTCom.h and loads libQRTCom.so with dlopen.
enable_language(C)
add_executable(qrtcom_dlopen_client automation/inproc/DlopenClient.c)
target_include_directories(qrtcom_dlopen_client PRIVATE $<TARGET_PROPERTY:qrt_com_header,INTERFACE_INCLUDE_DIRECTORIES>)
set_target_properties(qrtcom_dlopen_client PROPERTIES C_STANDARD 11 C_EXTENSIONS ON)
target_compile_options(qrtcom_dlopen_client PRIVATE -Wall -Wextra $<$<BOOL:${QRT_WERROR}>:-Werror>)
target_link_libraries(qrtcom_dlopen_client PRIVATE ${CMAKE_DL_LIBS})
add_dependencies(qrtcom_dlopen_client QRTCom qrt_com_header)
add_test(NAME QRTCom.DlopenClient COMMAND qrtcom_dlopen_client $<TARGET_FILE:QRTCom>)
set_tests_properties(QRTCom.DlopenClient PROPERTIES ENVIRONMENT "QRT_ENGINE_DIR=")

# qrtcom end to end with pytest (Debian's python3-pytest), against the build
# tree. Plain builds only: a sanitized module would need the sanitizer runtime
# preloaded into the interpreter, whose own allocations the leak checker
# would then report; the C client above covers the library under ASan.
if(NOT QRT_SANITIZE)
  add_test(NAME qrtcom_python
    COMMAND ${QRT_PYTHON3} -m pytest -q -p no:cacheprovider ${CMAKE_CURRENT_LIST_DIR}/../python
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(qrtcom_python PROPERTIES ENVIRONMENT
    "PYTHONPATH=$<TARGET_FILE_DIR:qrtcom>;PYTHONDONTWRITEBYTECODE=1;QRT_ENGINE_DIR=;QRT_SOURCE_DIR=${CMAKE_SOURCE_DIR};QRTCALC=$<TARGET_FILE:qrtcalc>;QRTCOM_LIBRARY=$<TARGET_FILE:QRTCom>;QRT_BUILD_DIR=${CMAKE_BINARY_DIR};CMAKE=${CMAKE_COMMAND}")
endif()

qrt_add_test(qrtcom_dispatch_test automation/inproc/DispatchTest.cpp)
target_link_libraries(qrtcom_dispatch_test PRIVATE qrt_dispatch qrt_automation_core qrt_engine_static)
