# lv2_validate checks the bundle's Turtle against the LV2 schemas; its exit
# status ignores some findings, so its report is read too.
file(GLOB turtle ${BUNDLE}/*.ttl)
execute_process(COMMAND ${VALIDATE} ${turtle} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCH "Found [0-9]+ errors?" summary "${out}${err}")
message(STATUS "lv2_validate: ${summary}")
if(NOT status EQUAL 0 OR NOT summary STREQUAL "Found 0 errors")
  message(FATAL_ERROR "lv2_validate failed (status ${status}):\n${out}${err}")
endif()
string(REGEX MATCHALL "(^|\n)(error|warning): [^\n]*" findings "${out}${err}")
if(findings)
  message(FATAL_ERROR "lv2_validate reports:\n${out}${err}")
endif()
