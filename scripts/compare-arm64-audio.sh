#!/usr/bin/env bash
# Renders the same cases through a native (x86-64) Linux plug-in and, under
# the emulator, through its aarch64 build, then compares the two renders bit
# for bit: every factory program at 44.1 and 48 kHz and every noise type at
# 96 kHz through the VST 2 library, the VST 3 module from its bundle or the
# CLAP module (each in 64- and 32-bit processing), or random settings of every
# sound parameter, with and without automation, through the VST 2 library.
#   compare-arm64-audio.sh NATIVE_BUILD_DIR ARM64_BUILD_DIR EMULATOR [vst2|vst3|clap|random]
set -euo pipefail
native=$1
arm64=$2
emulator=$3
format=${4:-vst2}
vst2=Kestravon.so
# The factory programs' render programs are the Windows comparison's, which
# take the match wanted; the random settings' compare exactly, always.
match=(exact)
case "${format}" in
  vst2) program=tests/windows/kestravon_render_programs; plugin=${vst2} ;;
  random) program=tests/arm64/kestravon_render_random_settings; plugin=${vst2}; match=() ;;
  vst3)
    program=tests/windows/kestravon_render_vst3_programs
    plugin=vst3-bundles/Kestravon.vst3/Contents/@ARCH@-linux/Kestravon.so ;;
  clap)
    program=tests/windows/kestravon_render_clap_programs
    plugin=clap-modules/Kestravon.clap ;;
  *) echo "compare-arm64-audio: no format ${format}" >&2; exit 2 ;;
esac
native_plugin=${native}/${plugin/@ARCH@/x86_64}
arm64_plugin=${arm64}/${plugin/@ARCH@/aarch64}
for file in "${native}/${program}" "${native_plugin}" "${arm64}/${program}" "${arm64_plugin}"; do
  if [ ! -f "${file}" ]; then
    echo "compare-arm64-audio: ${file} is missing: build it first" >&2
    exit 1
  fi
done
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
"${native}/${program}" render "${native_plugin}" "${work}/native.f64" &
# shellcheck disable=SC2086 # the emulator is a command with its arguments
${emulator} "${arm64}/${program}" render "${arm64_plugin}" "${work}/arm64.f64"
wait $!
"${native}/${program}" compare "${work}/native.f64" "${work}/arm64.f64" "${match[@]}"
