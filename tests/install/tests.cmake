# Installs the library into a scratch prefix and builds an outside project against it.
# Only in the plain builds: a sanitized library needs its runtime in the consumer too.
if(NOT QRT_SANITIZE AND NOT QRT_BUILD_FUZZ)
  add_test(NAME install_find_package
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DWORK_DIR=${CMAKE_BINARY_DIR}/install-test -P ${CMAKE_CURRENT_LIST_DIR}/RunInstallTest.cmake)
endif()
