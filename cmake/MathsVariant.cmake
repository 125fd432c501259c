# The processing runs on one of two maths policies (dsp/Maths.h): the
# product's own IEEE-only forms, and the C library's, called exactly as the
# algorithms are written. The DSP and processor libraries hold both; a plug-in
# module is built with one. The product uses its own unless
# KESTRAVON_LITERAL_MATHS is set. Tests and benchmarks also get a literal
# plug-in module, so that every run can measure the product against it. A
# cross build has none: the C library's results are the target's own, and
# its comparisons are with the native build's product instead.
option(KESTRAVON_LITERAL_MATHS "Build the product with the C library's maths" OFF)

set(KESTRAVON_WITH_LITERAL_VARIANT OFF)
if((KESTRAVON_TESTS OR KESTRAVON_BENCH) AND NOT WIN32 AND NOT CMAKE_CROSSCOMPILING
   AND NOT KESTRAVON_FUZZ
   AND NOT KESTRAVON_THREAD_SANITIZE)
  set(KESTRAVON_WITH_LITERAL_VARIANT ON)
endif()

function(kestravon_use_maths target literal)
  get_target_property(type ${target} TYPE)
  set(scope PUBLIC)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  endif()
  if(literal)
    target_compile_definitions(${target} ${scope} KESTRAVON_LITERAL_MATHS=1)
  else()
    target_compile_definitions(${target} ${scope} KESTRAVON_LITERAL_MATHS=0)
  endif()
endfunction()
