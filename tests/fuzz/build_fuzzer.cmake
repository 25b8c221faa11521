# Configures and builds the fuzz targets in their own clang++ build tree.
# cmake -D SOURCE_DIR=... -D BINARY_DIR=... -D GENERATOR=... -D CXX_COMPILER=... -P build_fuzzer.cmake

foreach(var SOURCE_DIR BINARY_DIR GENERATOR CXX_COMPILER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "build_fuzzer.cmake: ${var} is not set")
  endif()
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DVANTREL_FUZZ=ON
    -DVANTREL_BUILD_GUI=OFF
    -DVANTREL_BUILD_BENCHMARKS=OFF
  COMMAND_ERROR_IS_FATAL ANY)
# Two jobs at most: the machine is shared.
execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --target fuzz_solve fuzz_distinct fuzz_command_line fuzz_practice
    -j 2
  COMMAND_ERROR_IS_FATAL ANY)
# libFuzzer wants its corpus and artifact folders to exist.
file(MAKE_DIRECTORY ${BINARY_DIR}/corpus ${BINARY_DIR}/distinct_corpus ${BINARY_DIR}/command_line_corpus
  ${BINARY_DIR}/practice_corpus ${BINARY_DIR}/artifacts)
