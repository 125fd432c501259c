#!/usr/bin/env bash
# Regenerates the editor's images in resources/img/ and the preview docs/preview.png.
# Needs cairo and libpng (scripts/install-deps.sh installs them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
if [ ! -f build/release/build.ninja ]; then
  cmake --preset release
fi
cmake --build --preset release --target kestravon-artwork -j2
mkdir -p resources/img docs
build/release/tools/artwork/kestravon-artwork --out resources/img --preview docs/preview.png
echo "make-artwork: wrote resources/img/*.png and docs/preview.png"
