#!/usr/bin/env bash
# Builds the plug-in and the render host, makes the built-in demo clip and
# renders it through a few factory programs into out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --render

echo "=== configure and build (release: Kestravon, kestravon-render)"
# The render preset is the release build without the tests and benchmarks,
# whose packages the render command does not install.
cmake --preset render >/dev/null
cmake --build --preset render -j "$(nproc)" --target Kestravon kestravon-render

render=build/release/tools/render/kestravon-render
plugin=build/release/Kestravon.so
mkdir -p out

echo "=== demo clip"
"$render" --demo-clip out/demo-clip.wav

programs=("init" "Kestravon tape" "Drum loop vinyl" "Vinyl rain piano" "Synth widener")
rendered=()
for program in "${programs[@]}"; do
  file="out/demo-$(echo "$program" | tr '[:upper:] ' '[:lower:]-').wav"
  echo "=== ${program}"
  "$render" --plugin "$plugin" --program "$program" --input out/demo-clip.wav --output "$file"
  rendered+=("$file")
done

echo
echo "The demo clip and its renders are in $(pwd)/out:"
for file in out/demo-clip.wav "${rendered[@]}"; do echo "  $(pwd)/${file}"; done
echo "The plug-in library is $(realpath "$plugin")"
echo "Render your own files with: ${render} --input IN.wav --output OUT.wav --program NAME"
echo "(${render} --list shows the parameters and programs, --help everything else)"
