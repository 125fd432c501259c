#!/usr/bin/env bash
# Renders every factory program at 44.1 and 48 kHz, and every noise type in
# one program at 96 kHz, through a Linux plug-in and, under Wine, through its
# Windows build, then compares the two renders: the VST 2 libraries, or the
# VST 3 modules from their bundles or the CLAP modules (each in 64- and
# 32-bit processing).
# The product builds must agree bit for bit; MODE "budget" holds builds that
# use the C runtime's maths to the accuracy budget instead.
#   compare-windows-audio.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR [exact|budget] [vst2|vst3|clap]
set -euo pipefail
linux=$1
windows=$2
mode=${3:-exact}
format=${4:-vst2}
here=$(cd "$(dirname "$0")" && pwd)
case "${format}" in
  vst2)
    program=kestravon_render_programs
    linux_plugin=${linux}/Kestravon.so
    windows_plugin=${windows}/Kestravon.dll ;;
  vst3)
    program=kestravon_render_vst3_programs
    linux_plugin=${linux}/vst3-bundles/Kestravon.vst3/Contents/x86_64-linux/Kestravon.so
    windows_plugin=${windows}/vst3-bundles/Kestravon.vst3/Contents/x86_64-win/Kestravon.vst3 ;;
  clap)
    program=kestravon_render_clap_programs
    linux_plugin=${linux}/clap-modules/Kestravon.clap
    windows_plugin=${windows}/clap-modules/Kestravon.clap ;;
  *) echo "compare-windows-audio: no format ${format}" >&2; exit 2 ;;
esac
native=${linux}/tests/windows/${program}
if [ ! -x "${native}" ] || [ ! -f "${linux_plugin}" ]; then
  echo "compare-windows-audio: build the Linux plug-in and its render program first (${linux})" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
# Wine sees the build machine's files on drive Z:.
windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }
plugin_path=$(windows_path "${windows_plugin}")
"${native}" render "${linux_plugin}" "${work}/linux.f64"
(cd "${windows}" && "${here}/wine-run.sh" "${program}.exe" render "${plugin_path}" \
  "$(windows_path "${work}/windows.f64")")
"${native}" compare "${work}/linux.f64" "${work}/windows.f64" "${mode}"
