#!/usr/bin/env bash
# Makes the packages with CPack, building whatever is out of date first:
#   build/release/kestravon_<version>_amd64.deb          (Debian package)
#   build/windows/Kestravon-<version>-windows-x64.zip    (Windows plug-in)
# Installs what is missing, like the other commands.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build-mingw-libpng.sh
jobs=$(nproc)
for preset in release windows; do
  echo "=== ${preset}: configure, build and package"
  cmake --preset "${preset}" >/dev/null
  cmake --build --preset "${preset}" -j "${jobs}" --target package
done
