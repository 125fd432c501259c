#!/usr/bin/env bash
# Makes the packages with CPack, building whatever is out of date first:
#   build/release/kestravon_<version>_amd64.deb          (Debian package)
#   build/windows/Kestravon-<version>-windows-x64.exe    (Windows installer)
#   build/windows/Kestravon-<version>-windows-x64.zip    (Windows plug-ins)
#   build/linux-arm64/kestravon_<version>_arm64.deb      (Debian package, 64-bit ARM)
# Every package carries the manual and the VST 3 bundle's resources, which
# only the Linux build can make (the manual's pictures and the editor's are
# taken through the Linux plug-in): they are built first, and the Windows
# and arm64 builds are pointed at them.
# Installs what is missing, like the other commands.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build-mingw-libpng.sh
jobs=$(nproc)
echo "=== release: configure, build the manual and the VST 3 bundle, and package"
cmake --preset release >/dev/null
cmake --build --preset release -j "${jobs}" --target kestravon_manual kestravon_vst3_bundle
manual=$(pwd)/build/release/docs/manual/Kestravon-manual.html
[ -f "${manual}" ] || { echo "make-packages: the manual build made no ${manual}" >&2; exit 1; }
vst3_resources=$(pwd)/build/release/vst3-bundles/Kestravon.vst3/Contents/Resources
[ -f "${vst3_resources}/moduleinfo.json" ] ||
  { echo "make-packages: the release build made no ${vst3_resources}/moduleinfo.json" >&2; exit 1; }
cmake --build --preset release -j "${jobs}" --target package

echo "=== windows: configure, build and package"
cmake --preset windows -DKESTRAVON_MANUAL_HTML="${manual}" \
  -DKESTRAVON_VST3_RESOURCES="${vst3_resources}" >/dev/null
cmake --build --preset windows -j "${jobs}" --target package

bash scripts/make-arm64-package.sh
