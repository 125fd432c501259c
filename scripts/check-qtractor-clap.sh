#!/usr/bin/env bash
# Debian's Qtractor as the CLAP plug-in's host, with no display and a home of
# its own: its plug-in scanner loads the module as Qtractor does when it looks
# for plug-ins (entry, factory, plug-in made, initialised and asked for its
# extensions), and its one line for the module must describe Kestravon:
#   CLAP|NAME|AUDIO_INS:AUDIO_OUTS|MIDI_INS:MIDI_OUTS|PARAMS_IN:PARAMS_OUT|FLAGS|PATH|INDEX|ID
# a stereo effect with no MIDI, its 18 parameters, and the flags GUI (it has
# an editor), EXT (it keeps its own state) and RT (it runs in real time).
# Usage: check-qtractor-clap.sh MODULE WORK_DIR
set -euo pipefail
module=$1
work=$2
scanner=/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan
# Generous for a scan of one module, short enough that a hung scanner fails the check.
limit=60

fail() {
  echo "check-qtractor-clap: $*" >&2
  exit 1
}

[ -x "${scanner}" ] || fail "Qtractor is not installed (scripts/install-deps.sh installs the qtractor package)"
[ -f "${module}" ] || fail "no CLAP module at ${module}"
module=$(realpath "${module}")

rm -rf "${work}"
mkdir -p "${work}/home"
work=$(realpath "${work}")
export HOME=${work}/home
unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME

# The scanner reads one "TYPE:PATH" line per module and answers each plug-in
# it finds with a line on standard output; it ends at the end of its input.
status=0
echo "CLAP:${module}" | timeout "${limit}" "${scanner}" >"${work}/scan.out" 2>"${work}/scan.err" ||
  status=$?
cat "${work}/scan.out"
[ -s "${work}/scan.err" ] && { echo "(standard error)"; cat "${work}/scan.err"; }
[ "${status}" -eq 0 ] || fail "Qtractor's plug-in scanner failed (status ${status})"

[ "$(grep -c '^CLAP|' "${work}/scan.out")" -eq 1 ] ||
  fail "the scanner did not describe exactly one CLAP plug-in"
IFS='|' read -r type name audio midi params flags path index id < <(grep '^CLAP|' "${work}/scan.out")
[ "${name}" = "Kestravon" ] || fail "the plug-in is named '${name}'"
[ "${audio}" = "2:2" ] || fail "audio inputs:outputs are ${audio}, not 2:2"
[ "${midi}" = "0:0" ] || fail "MIDI inputs:outputs are ${midi}, not 0:0"
[ "${params}" = "18:0" ] || fail "parameters in:out are ${params}, not 18:0"
for flag in GUI EXT RT; do
  grep -Eq "(^|,)${flag}(,|$)" <<<"${flags}" || fail "the flags '${flags}' lack ${flag}"
done
[ "${path}" = "${module}" ] || fail "the line names ${path}, not ${module}"
[ "${index}" = "0" ] || fail "the plug-in's index in its module is ${index}, not 0"
[[ "${id}" =~ ^0x[0-9a-f]+$ ]] || fail "no identifier at the end of the line: '${id}'"
echo "check-qtractor-clap: Qtractor's scanner finds ${name}: ${type}, audio ${audio}, MIDI ${midi}, parameters ${params}, ${flags}"
