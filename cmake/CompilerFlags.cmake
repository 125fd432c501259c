# Results must be identical on every x86-64 machine: no fast-math, no
# -march=native, no FMA contraction. GCC 12's SLP vectorizer folds adjacent
# double->float->double round trips into plain copies, dropping the
# single-precision roundings the DSP relies on, so it stays off everywhere.
set(KESTRAVON_FP_FLAGS -ffp-contract=off -fno-tree-slp-vectorize)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # clang has no SLP flag of that name; its equivalent is -fno-slp-vectorize.
  set(KESTRAVON_FP_FLAGS -ffp-contract=off -fno-slp-vectorize)
endif()

add_compile_options(-Wall -Wextra ${KESTRAVON_FP_FLAGS})

if(KESTRAVON_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KESTRAVON_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KESTRAVON_THREAD_SANITIZE)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Helper: a GoogleTest executable registered with CTest.
function(kestravon_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    # One emulator start per program (Wine, QEMU), not one per test to list
    # and one per test to run.
    if(WIN32)
      set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
      target_link_options(${name} PRIVATE -static)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1;TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1")
endfunction()
