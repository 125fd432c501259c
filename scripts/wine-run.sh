#!/usr/bin/env bash
# Runs a Windows program under Wine, headless: a throwaway Wine prefix per
# build folder (or the one in WINEPREFIX), no Wine debug output, and an X
# display from Xvfb when none is set. Used by CTest for the Windows tests.
set -euo pipefail
program=$1
shift
: "${WINEPREFIX:=$(cd "$(dirname "${program}")" && pwd)/.wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A program that hangs (a window waiting for an answer nobody gives) is
# stopped rather than holding up the run.
wine=(timeout --kill-after=10 600 /usr/lib/wine/wine64)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "${wine[@]}" "${program}" "$@"
fi
exec "${wine[@]}" "${program}" "$@"
