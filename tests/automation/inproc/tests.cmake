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
