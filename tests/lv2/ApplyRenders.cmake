# Debian's batch LV2 host renders a clip through the bundle with settings on
# its ports; the result has the clip's length and differs from it.
set(in ${WORK}/lv2apply-in.wav)
set(out ${WORK}/lv2apply-out.wav)
file(REMOVE ${out})
execute_process(COMMAND ${RENDER} --demo-clip ${in} --seconds 2 RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kestravon-render made no clip")
endif()
set(ENV{LV2_PATH} ${LV2_PATH})
execute_process(COMMAND ${LV2APPLY} -i ${in} -o ${out} -c wow 40 -c noise_amp 30 -c profile 1
                        urn:ostrelle:kestravon
                RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE text)
if(NOT status EQUAL 0 OR NOT EXISTS ${out})
  message(FATAL_ERROR "lv2apply failed (status ${status}): ${text}")
endif()
file(SIZE ${in} in_size)
file(SIZE ${out} out_size)
file(SHA256 ${in} in_hash)
file(SHA256 ${out} out_hash)
message(STATUS "lv2apply: ${in_size} bytes in, ${out_size} bytes out")
if(out_size LESS 100000 OR in_hash STREQUAL out_hash)
  message(FATAL_ERROR "lv2apply's output is empty or the clip unchanged")
endif()
