#!/usr/bin/env bash
# Whether a shipped PE file (DLL or VST 3 module) is the build's, stripped:
# every strip writes a new time stamp and checksum into the PE header, so
# those two are left out of the comparison.
#   same-as-stripped.sh BUILD_FILE SHIPPED_FILE    (exit status 0 when it is)
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
x86_64-w64-mingw32-strip -o "${work}/stripped" "$1"
bash scripts/pe-without-stamp.sh "${work}/stripped" "${work}/expected"
bash scripts/pe-without-stamp.sh "$2" "${work}/shipped"
cmp -s "${work}/expected" "${work}/shipped"
