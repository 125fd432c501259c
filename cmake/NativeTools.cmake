# KESTRAVON_NOISEGEN: the noise-table generator the build runs. In a native
# build it is the tool built alongside; in a cross build it is built for the
# build machine by a nested native build, never run under an emulator.
if(NOT CMAKE_CROSSCOMPILING)
  set(KESTRAVON_NOISEGEN kestravon-noisegen)
  return()
endif()

include(ExternalProject)
set(native_dir ${CMAKE_BINARY_DIR}/native-tools)
set(KESTRAVON_NOISEGEN ${native_dir}/noisegen/kestravon-noisegen)
ExternalProject_Add(kestravon_native_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/native-tools
  BINARY_DIR ${native_dir}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${KESTRAVON_NOISEGEN})
