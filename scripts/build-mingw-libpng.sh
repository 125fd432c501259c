#!/usr/bin/env bash
# Builds libpng for the Windows cross build from Debian's own source package,
# with the MinGW-w64 compiler, static, into a prefix outside the source tree
# (default: build/windows-deps). zlib comes from Debian's MinGW package.
# Does nothing when the prefix already holds the library.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${1:-$(pwd)/build/windows-deps}
if [ -f "${prefix}/lib/libpng16.a" ] && [ -f "${prefix}/include/png.h" ]; then
  echo "build-mingw-libpng: ${prefix} already has libpng"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
# Source packages come from the same mirror as the binary ones.
if ! grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  sources=/etc/apt/sources.list.d/debian-src.sources
  sed -n 's/^Types: deb$/Types: deb-src/p; /^URIs:/p; /^Suites:/p; /^Components:/p; /^Signed-By:/p; /^$/p' \
    /etc/apt/sources.list.d/debian.sources | "${sudo_cmd[@]}" tee "${sources}" >/dev/null
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
fi

work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
(cd "${work}" && apt-get source -qq libpng1.6/bookworm >/dev/null 2>&1 ||
  apt-get source -qq libpng1.6 >/dev/null)
source_dir=$(find "${work}" -maxdepth 1 -mindepth 1 -type d -name 'libpng*' | head -n 1)
[ -n "${source_dir}" ] || { echo "build-mingw-libpng: no libpng source" >&2; exit 1; }

cmake -S "${source_dir}" -B "${work}/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-w64.cmake" \
  -DKESTRAVON_MINGW_PREFIX="${prefix}" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="${prefix}" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_TOOLS=OFF \
  -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_FILES=ON \
  -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
  -DCMAKE_CROSSCOMPILING_EMULATOR= >/dev/null
cmake --build "${work}/build" -j "$(nproc)" >/dev/null
cmake --install "${work}/build" >/dev/null
echo "build-mingw-libpng: installed into ${prefix}"
