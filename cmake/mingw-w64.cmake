# Cross build of the Windows plug-in with MinGW-w64 GCC (posix threads).
# Libraries come from the MinGW sysroot and from KESTRAVON_MINGW_PREFIX, where
# scripts/build-mingw-libpng.sh puts a libpng built with this same compiler;
# nothing of the build machine's own libraries or pkg-config files is seen.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_ASM_COMPILER ${mingw_triplet}-gcc-posix)

if(NOT KESTRAVON_MINGW_PREFIX)
  set(KESTRAVON_MINGW_PREFIX ${CMAKE_CURRENT_LIST_DIR}/../build/windows-deps)
endif()
set(KESTRAVON_MINGW_PREFIX ${KESTRAVON_MINGW_PREFIX} CACHE PATH "Libraries built for MinGW")
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${KESTRAVON_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} "")
set(ENV{PKG_CONFIG_PATH} "")
# Static archives only, so the DLL needs nothing beyond Windows itself
# (zlib's import library also ends in .a, hence the explicit choice).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(ZLIB_LIBRARY /usr/${mingw_triplet}/lib/libz.a CACHE FILEPATH "zlib for MinGW, static")
set(ZLIB_INCLUDE_DIR /usr/${mingw_triplet}/include CACHE PATH "zlib headers for MinGW")

# Windows programs the build makes (tests) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
