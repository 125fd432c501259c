#!/bin/bash
# Builds the manual (its pictures measured through the plug-in, and the HTML
# page) in a build tree, by default the release one, and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ ! -f "${build}/CMakeCache.txt" ]; then
  cmake -S . -B "${build}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "${build}" --target kestravon_manual
echo "manual: ${build}/docs/manual/Kestravon-manual.html"
echo "Markdown with its pictures: ${build}/docs/manual/manual.md"
