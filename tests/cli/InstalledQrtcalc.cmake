# Installs the build into a scratch prefix, then runs the installed qrtcalc from
# another folder with QRT_ENGINE_DIR unset: it must find the rate tables in
# <prefix>/share/duecalc by itself and compute the example.
# Variables: BUILD_DIR, PREFIX, EXAMPLE.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install into ${PREFIX} failed: ${err}")
endif()
foreach(file bin/qrtcalc share/duecalc/FEDERAL.TB3 share/duecalc/qrtDLL.INI)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "${file} was not installed")
  endif()
endforeach()
if(EXISTS "${PREFIX}/share/duecalc/sources")
  message(FATAL_ERROR "the rate sources must stay in the source tree")
endif()
file(MAKE_DIRECTORY "${PREFIX}/elsewhere")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=QRT_ENGINE_DIR
    "${PREFIX}/bin/qrtcalc" --json "${EXAMPLE}"
  WORKING_DIRECTORY "${PREFIX}/elsewhere"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed qrtcalc exited with ${rc}: ${err}")
endif()
if(NOT out MATCHES "\"Taxes\": \"12500.00\"")
  message(FATAL_ERROR "unexpected output of the installed qrtcalc:\n${out}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
