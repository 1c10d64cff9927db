# Install the engine library, its public headers and a CMake package so that an
# outside project can find_package(qrtDLL) and link qrt::qrtDLL.
include(CMakePackageConfigHelpers)

install(TARGETS qrtDLL EXPORT qrtDLLTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qrtDLL)

# Public headers keep their folder layout below include/qrtDLL; headers whose
# name ends in "Internal.h" are the engine's own and are not installed.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/engine/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qrtDLL
  FILES_MATCHING PATTERN "*.h"
  PATTERN "*Internal.h" EXCLUDE)

install(EXPORT qrtDLLTargets NAMESPACE qrt::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qrtDLL)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/qrtDLLConfig.cmake.in
  ${PROJECT_BINARY_DIR}/qrtDLLConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qrtDLL)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/qrtDLLConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/qrtDLLConfig.cmake
  ${PROJECT_BINARY_DIR}/qrtDLLConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qrtDLL)

# The engine's run-time data (FEDERAL.TB3, the alias list, the report
# templates *.DM) goes to share/duecalc, where qrtcalc looks when QRT_ENGINE_DIR is
# not set. The published rates the tables are built from stay in the source.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/
  DESTINATION ${QRT_INSTALL_DATADIR}
  OPTIONAL
  PATTERN "sources" EXCLUDE
  PATTERN "federal-rates.csv" EXCLUDE)
