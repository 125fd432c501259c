#!/usr/bin/env bash
# The project's test command: installs what is missing, then configures,
# builds and runs every test in the release and the sanitizer builds, and
# runs the fuzz targets for a fixed number of inputs.
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

echo "=== release: benchmarks (a short run of each, to prove they work)"
for bench in build/release/bench/*/kestravon_*_bench; do
  "${bench}" --benchmark_min_time=0.01 >/dev/null
  echo "$(basename "${bench}"): ran"
done

echo "=== fuzz: build and run"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${jobs}" --target fuzz_targets
bash scripts/run-fuzz.sh build/fuzz
