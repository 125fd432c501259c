#!/usr/bin/env bash
# The aarch64 cross build (preset linux-arm64) tested under QEMU user-mode
# against the native release build, which must be built (with its manual and
# amd64 package, as scripts/make-packages.sh makes them): builds only what the
# package and the tests need, runs the processing's unit tests and the LV2
# host under the emulator, renders every factory program (VST 2, VST 3, CLAP)
# and random settings through both builds and compares them bit for bit,
# looks for fused multiply-adds in the binaries, and checks the arm64 package.
# KESTRAVON_NATIVE_BUILD names the native build (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/make-arm64-package.sh
cmake --build --preset linux-arm64 -j "$(nproc)" --target kestravon_build_tests kestravon_core_tests \
  kestravon_dsp_tests kestravon_engine_tests kestravon_processor_tests kestravon_allocation_tests \
  kestravon_product_tests kestravon_lv2_tests kestravon_render_programs \
  kestravon_render_vst3_programs kestravon_render_clap_programs kestravon_render_random_settings
ctest --preset linux-arm64 -j "$(nproc)"
bash scripts/test-arm64-package.sh
