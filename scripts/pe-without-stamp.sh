#!/usr/bin/env bash
# Copies a PE file (DLL or EXE) with its time stamp and checksum zeroed, so that
# two strips of the same build, each of which writes both anew, compare equal.
#   pe-without-stamp.sh IN OUT
set -euo pipefail
cp "$1" "$2"
pe=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
# The COFF header's TimeDateStamp and the optional header's CheckSum.
for offset in $((pe + 8)) $((pe + 88)); do
  printf '\0\0\0\0' | dd of="$2" bs=1 seek="${offset}" conv=notrunc status=none
done
