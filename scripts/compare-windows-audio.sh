#!/usr/bin/env bash
# Renders every factory program at 44.1 and 48 kHz, and every noise type in
# one program at 96 kHz, through the Linux library and, under Wine, through
# the Windows one, then compares the two renders.
# The product builds must agree bit for bit; MODE "budget" holds builds that
# use the C runtime's maths to the accuracy budget instead.
#   compare-windows-audio.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR [exact|budget]
set -euo pipefail
linux=$1
windows=$2
mode=${3:-exact}
here=$(cd "$(dirname "$0")" && pwd)
native=${linux}/tests/windows/kestravon_render_programs
if [ ! -x "${native}" ] || [ ! -f "${linux}/Kestravon.so" ]; then
  echo "compare-windows-audio: build the Linux library and its render program first (${linux})" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
"${native}" render "${linux}/Kestravon.so" "${work}/linux.f64"
# Wine sees the build machine's files on drive Z:.
(cd "${windows}" && "${here}/wine-run.sh" kestravon_render_programs.exe render Kestravon.dll \
  "Z:${work//\//\\}\\windows.f64")
"${native}" compare "${work}/linux.f64" "${work}/windows.f64" "${mode}"
