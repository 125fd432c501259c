#!/usr/bin/env bash
# Makes build/linux-arm64/kestravon_<version>_arm64.deb: configures the
# aarch64 cross build (preset linux-arm64), builds only what the package holds
# and packages it with CPack. The manual and the VST 3 bundle's resources come
# from the native build (KESTRAVON_NATIVE_BUILD, default build/release), which
# must have made them (targets kestravon_manual and kestravon_vst3_bundle): the
# cross build can run neither the manual's pictures nor the editor's snapshot.
set -euo pipefail
cd "$(dirname "$0")/.."

native=$(realpath "${KESTRAVON_NATIVE_BUILD:-build/release}")
manual=${native}/docs/manual/Kestravon-manual.html
vst3_resources=${native}/vst3-bundles/Kestravon.vst3/Contents/Resources
for made in "${manual}" "${vst3_resources}/moduleinfo.json"; do
  [ -f "${made}" ] || { echo "make-arm64-package: the native build made no ${made}" >&2; exit 1; }
done
echo "=== linux-arm64: configure, build the packaged targets, and package"
cmake --preset linux-arm64 -DKESTRAVON_MANUAL_HTML="${manual}" \
  -DKESTRAVON_VST3_RESOURCES="${vst3_resources}" -DKESTRAVON_NATIVE_BUILD_DIR="${native}" >/dev/null
cmake --build --preset linux-arm64 -j "$(nproc)" --target Kestravon kestravon_vst3_bundle \
  KestravonClap kestravon_lv2_bundle kestravon-render kestravon_render_man kestravon_changelog
(cd build/linux-arm64 && cpack -G DEB >/dev/null)
ls build/linux-arm64/kestravon_*_arm64.deb
