#!/usr/bin/env bash
# Makes the packages with CPack, building whatever is out of date first:
#   build/release/kestravon_<version>_amd64.deb          (Debian package)
#   build/windows/Kestravon-<version>-windows-x64.exe    (Windows installer)
#   build/windows/Kestravon-<version>-windows-x64.zip    (Windows plug-in)
# Every package carries the manual, which only the Linux build can make (its
# pictures are measured through the Linux plug-in): it is built first, and the
# Windows build is pointed at it.
# Installs what is missing, like the other commands.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build-mingw-libpng.sh
jobs=$(nproc)
echo "=== release: configure, build the manual and package"
cmake --preset release >/dev/null
cmake --build --preset release -j "${jobs}" --target kestravon_manual
manual=$(pwd)/build/release/docs/manual/Kestravon-manual.html
[ -f "${manual}" ] || { echo "make-packages: the manual build made no ${manual}" >&2; exit 1; }
cmake --build --preset release -j "${jobs}" --target package

echo "=== windows: configure, build and package"
cmake --preset windows -DKESTRAVON_MANUAL_HTML="${manual}" >/dev/null
cmake --build --preset windows -j "${jobs}" --target package
