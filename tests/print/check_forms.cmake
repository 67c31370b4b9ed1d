cmake_minimum_required(VERSION 3.25)
# Fails when a committed form template differs from what the generator writes.
# Run: cmake -DSOURCE_DIR=<top> -DWORK_DIR=<scratch> -P check_forms.cmake
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${Python3_EXECUTABLE} ${SOURCE_DIR}/resources/forms/generate_forms.py ${WORK_DIR}
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generate_forms.py failed: ${rc}")
endif()
file(GLOB generated RELATIVE ${WORK_DIR} ${WORK_DIR}/*.svg)
file(GLOB committed RELATIVE ${SOURCE_DIR}/resources/forms ${SOURCE_DIR}/resources/forms/*.svg)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "Templates differ in number or name:\n generated: ${generated}\n committed: ${committed}")
endif()
foreach(name ${generated})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name} ${SOURCE_DIR}/resources/forms/${name}
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs from what generate_forms.py writes: run it and commit the result")
  endif()
endforeach()
