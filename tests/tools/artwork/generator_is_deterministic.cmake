# Runs the artwork generator twice and fails when any output differs between runs.
# Inputs: GENERATOR (path of kestravon-artwork), WORK_DIR (scratch folder).
foreach(run IN ITEMS first second)
  file(REMOVE_RECURSE ${WORK_DIR}/${run})
  file(MAKE_DIRECTORY ${WORK_DIR}/${run})
  execute_process(COMMAND ${GENERATOR} --out ${WORK_DIR}/${run} --preview ${WORK_DIR}/${run}/preview.png
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "kestravon-artwork failed (${status}) on the ${run} run")
  endif()
endforeach()
file(GLOB outputs RELATIVE ${WORK_DIR}/first ${WORK_DIR}/first/*.png)
list(LENGTH outputs count)
if(NOT count EQUAL 37)
  message(FATAL_ERROR "expected twelve images at 1x, 2x and 3x and a preview, found ${count} files")
endif()
foreach(name IN LISTS outputs)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/first/${name}
                          ${WORK_DIR}/second/${name} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs between two runs")
  endif()
endforeach()
