# Installs the engine from BUILD_DIR into a scratch prefix under WORK_DIR,
# then configures, builds and runs the consumer project against it.
# Run with: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P RunInstallTest.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/scratch")

function(run step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${step} failed (${rc}):\n${out}")
  endif()
  message(STATUS "${step}: ok")
endfunction()

run("install" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
if(EXISTS "${WORK_DIR}/prefix/include/qrtDLL/ratetable/TableFormatInternal.h")
  message(FATAL_ERROR "an engine-private header was installed")
endif()
run("configure consumer" ${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/install/consumer"
    -B "${WORK_DIR}/build" -G Ninja "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix")
run("build consumer" ${CMAKE_COMMAND} --build "${WORK_DIR}/build")
run("run consumer" "${WORK_DIR}/build/qrt_consumer" "${WORK_DIR}/scratch")
file(REMOVE_RECURSE "${WORK_DIR}")
