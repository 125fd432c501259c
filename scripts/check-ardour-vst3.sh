#!/usr/bin/env bash
# Debian's Ardour 7 as the VST 3 plug-in's host, with no display and a home of
# its own: its scanner must accept the bundle and write its cache entry (the
# class, a stereo input and a stereo output); its headless session tool must
# then load the plug-in on a track at 44.1 and 48 kHz, show its parameters,
# programs and latency, play through it, and restore it from a saved session.
# Usage: check-ardour-vst3.sh BUNDLE WORK_DIR
set -euo pipefail
bundle=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
scanner=/usr/lib/ardour7/ardour-vst3-scanner
class_id=828B178873F14BACBB3E1A0B22DC54B8
# Generous for a run of a few seconds, short enough that a hung host fails the check.
limit=60

fail() {
  echo "check-ardour-vst3: $*" >&2
  exit 1
}

if [ ! -x "${scanner}" ] || ! command -v ardour7-lua >/dev/null; then
  fail "Ardour 7 is not installed (scripts/install-deps.sh installs the ardour package)"
fi
[ -d "${bundle}" ] || fail "no VST 3 bundle at ${bundle}"
bundle=$(cd "${bundle}" && pwd)

rm -rf "${work}"
mkdir -p "${work}/home/.vst3"
work=$(cd "${work}" && pwd)
export HOME=${work}/home
unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME
# Ardour looks for bundles in ~/.vst3; its cache entry is named by the path
# the scanner was given, so the session tool must find the bundle there too.
found=${HOME}/.vst3/Kestravon.vst3
ln -s "${bundle}" "${found}"

# 1. The scanner loads the module, makes and initialises the plug-in and reads
#    its buses into ~/.cache/ardour7/vst/<hash>.v3i.
status=0
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout "${limit}" "${scanner}" -f -v "${found}" \
  >"${work}/scan.log" 2>&1 || status=$?
cat "${work}/scan.log"
[ "${status}" -eq 0 ] || fail "Ardour's VST 3 scanner failed (status ${status})"
grep -q "Found Plugin: Kestravon" "${work}/scan.log" || fail "Ardour's VST 3 scanner found no Kestravon"
shopt -s nullglob
caches=("${HOME}"/.cache/ardour7/vst/*.v3i)
[ ${#caches[@]} -eq 1 ] || fail "the scanner wrote ${#caches[@]} cache files, not one"
for expected in "uid=\"${class_id}\"" 'name="Kestravon"' 'n_inputs="2"' 'n_outputs="2"'; do
  grep -qF "${expected}" "${caches[0]}" || fail "the scanner's cache lacks ${expected}"
done
# The scanner stamps its cache with the module's time to the second, which the
# session tool takes for an out-of-date entry.
touch "${caches[0]}"

# 2. The session tool: two new sessions, then the second one saved and loaded.
session() {
  local log
  log=${work}/$1-$(basename "$2").log
  status=0
  timeout "${limit}" ardour7-lua "${here}/check-ardour-vst3.lua" "$@" >"${log}" 2>&1 || status=$?
  cat "${log}"
  [ "${status}" -eq 0 ] || fail "Ardour's session tool failed in '$*' (status ${status})"
  grep -q "check-ardour-vst3: $1 passed" "${log}" || fail "Ardour's session tool stopped early in '$*'"
}
session create "${work}/session-44100" 44100 1378
session create "${work}/session-48000" 48000 1499
session reload "${work}/session-48000" 1499
echo "check-ardour-vst3: Ardour 7 scans, plays, and restores the VST 3 plug-in"
