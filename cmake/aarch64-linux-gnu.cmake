# Cross build for 64-bit ARM Linux (aarch64) with Debian's cross compiler.
# Libraries and their pkg-config files are Debian's arm64 packages, installed
# beside the build machine's own through multiarch (/usr/lib/aarch64-linux-gnu);
# none of the build machine's own are seen. Programs the build makes (tests,
# the LV2 description writer) run under QEMU's user-mode emulator.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(arm64_triplet aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${arm64_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${arm64_triplet}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${arm64_triplet})

# The libraries are searched in the architecture's own folders (lib/aarch64-linux-gnu)
# and the cross compiler's; programs are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${arm64_triplet} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Debian's cross pkg-config reads only the arm64 .pc files.
set(PKG_CONFIG_EXECUTABLE ${arm64_triplet}-pkg-config CACHE FILEPATH "pkg-config for arm64")

# The target's C library is Debian's arm64 one (multiarch), where the loader looks
# by default. With -L /usr/${arm64_triplet} QEMU would take the cross
# compiler's copy instead, under which a new thread never starts here.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
