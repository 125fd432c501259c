# The Debian package of the aarch64 cross build is for Debian's arm64
# architecture. dpkg-shlibdeps, which CPack runs, matches each binary's ELF
# machine and finds its libraries among the arm64 ones (multiarch,
# /usr/lib/aarch64-linux-gnu) by itself.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
