#!/usr/bin/env bash
# Runs every fuzz target in the given build folder for a fixed number of
# inputs from a fixed seed, so each run does the same work every time.
set -euo pipefail
build=${1:-build/fuzz}
runs=${FUZZ_RUNS:-200000}
found=0
for target in "${build}"/tests/fuzz/fuzz_*; do
  [ -x "${target}" ] || continue
  found=1
  name=$(basename "${target}")
  corpus="${build}/corpus/${name}"
  rm -rf "${corpus}" && mkdir -p "${corpus}"
  dirs=("${corpus}")
  seeds="$(dirname "$0")/../tests/fuzz/seeds/${name}"
  if [ -d "${seeds}" ]; then dirs+=("${seeds}"); fi
  echo "--- ${name}: ${runs} runs"
  log="${build}/${name}.log"
  if ! "${target}" -seed=1 -runs="${runs}" -max_len=4096 "${dirs[@]}" >"${log}" 2>&1; then
    cat "${log}" >&2
    echo "run-fuzz: ${name} found a failure" >&2
    exit 1
  fi
  tail -n 2 "${log}"
done
if [ "${found}" -eq 0 ]; then
  echo "run-fuzz: no fuzz targets in ${build}" >&2
  exit 1
fi
echo "fuzz: all targets ran without a finding"
