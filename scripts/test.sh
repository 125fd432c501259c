#!/usr/bin/env bash
# The project's test command: installs what is missing, then configures,
# builds and runs every test in the release and the address-sanitizer builds,
# the thread tests under ThreadSanitizer, the Windows plug-in (cross-built,
# tested under Wine against the Linux one), the packages made from those two
# builds and the 64-bit ARM one, the ARM build (cross-built, tested under QEMU
# against the Linux one), and the fuzz targets for a fixed number of inputs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
for preset in release asan; do
  echo "=== ${preset}: configure and build"
  cmake --preset "${preset}" >/dev/null
  cmake --build --preset "${preset}" -j "${jobs}"
  echo "=== ${preset}: tests"
  ctest --preset "${preset}" -j "${jobs}"
done

echo "=== tsan: configure, build and run the thread tests"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "${jobs}" --target kestravon_thread_tests
ctest --preset tsan -j "${jobs}"

echo "=== windows: libpng for MinGW, cross build, tests under Wine"
bash scripts/build-mingw-libpng.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${jobs}"
export WINEPREFIX="$(pwd)/build/windows/.wineprefix"
rm -rf "${WINEPREFIX}"
# One Wine server for the whole run, stopped however the tests end.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
ctest --preset windows
/usr/lib/wine/wineserver -k 2>/dev/null || true
trap - EXIT
unset WINEPREFIX

echo "=== packages: the Debian packages and the Windows zip, made and checked"
bash scripts/make-packages.sh
bash scripts/test-packages.sh

echo "=== linux-arm64: the 64-bit ARM build under QEMU, against the release build and its package"
bash scripts/test-arm64.sh

echo "=== release: benchmarks (a short run of each, to prove they work)"
for bench in build/release/bench/*/kestravon_*_bench; do
  "${bench}" --benchmark_min_time=0.01 >/dev/null
  echo "$(basename "${bench}"): ran"
done

echo "=== fuzz: build and run"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${jobs}" --target fuzz_targets
bash scripts/run-fuzz.sh build/fuzz
