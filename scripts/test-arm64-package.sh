#!/usr/bin/env bash
# Checks the arm64 Debian package against the amd64 one made from the native
# build: the same files, modes and owners (the VST 3 binary in aarch64-linux/
# for x86_64-linux/), architecture arm64, the same library dependencies found
# among Debian's arm64 libraries, lintian clean, and a render through the
# render host and plug-in unpacked from it, under QEMU, sample for sample the
# native build's.
#   test-arm64-package.sh [arm64.deb [amd64.deb]]
# KESTRAVON_NATIVE_BUILD names the native build (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."

native=${KESTRAVON_NATIVE_BUILD:-build/release}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux-arm64/CMakeCache.txt)
deb=$(realpath "${1:-build/linux-arm64/kestravon_${version}_arm64.deb}")
amd64_deb=$(realpath "${2:-${native}/kestravon_${version}_amd64.deb}")
emulator=(qemu-aarch64)
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
failures=0
fail() {
  echo "test-arm64-package: FAILED: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "test-arm64-package: ok: $*"; }

echo "=== ${deb}"
listing() { dpkg-deb -c "$1" | awk '{print $1, $2, $6}' | sort; }
listing "${amd64_deb}" | sed 's|/x86_64-linux/|/aarch64-linux/|' >"${work}/expected"
listing "${deb}" >"${work}/contents"
if diff -u "${work}/expected" "${work}/contents"; then
  pass "$(wc -l <"${work}/contents") files, modes and owners, as in the amd64 package"
else
  fail "the files differ from the amd64 package's (- amd64, + arm64)"
fi

field() { dpkg-deb -f "$1" "$2"; }
[ "$(field "${deb}" Architecture)" = arm64 ] || fail "Architecture is '$(field "${deb}" Architecture)'"
for name in Package Version Maintainer Section Priority Description; do
  [ "$(field "${deb}" "${name}")" = "$(field "${amd64_deb}" "${name}")" ] || fail "${name} differs"
done
names() { tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort; }
echo "Depends: $(field "${deb}" Depends)"
if diff <(field "${amd64_deb}" Depends | names) <(field "${deb}" Depends | names); then
  pass "control fields; the same libraries as the amd64 package's dependencies"
else
  fail "Depends names other packages than the amd64 package's"
fi
root=${work}/root
dpkg-deb -x "${deb}" "${root}"
for binary in usr/bin/kestravon-render usr/lib/vst/Kestravon.so usr/lib/clap/Kestravon.clap \
  usr/lib/lv2/Kestravon.lv2/Kestravon.so usr/lib/lv2/Kestravon.lv2/KestravonUI.so \
  usr/lib/vst3/Kestravon.vst3/Contents/aarch64-linux/Kestravon.so; do
  file -b "${root}/${binary}" | grep -q 'ELF 64-bit LSB .*ARM aarch64' || fail "${binary} is not for aarch64"
done
pass "every binary is for aarch64"

if lintian_output=$(lintian --fail-on error,warning "${deb}" 2>&1); then
  pass "lintian"
else
  fail "lintian"
fi
[ -z "${lintian_output}" ] || grep -v "^running with root" <<<"${lintian_output}" || true

# The unpacked render host and plug-in, under the emulator, against the
# native build's: in double precision, written as floats.
packaged_render=("${emulator[@]}" "${root}/usr/bin/kestravon-render")
[ "$("${packaged_render[@]}" --version)" = "kestravon-render ${version}" ] ||
  fail "the packaged kestravon-render --version says '$("${packaged_render[@]}" --version)'"
"${native}/tools/render/kestravon-render" --demo-clip "${work}/in.wav" --seconds 1 --quiet
settings=(--input "${work}/in.wav" --program "Vinyl rain piano" --set "Wow=40" --double
  --format float --block-size 300 --quiet)
"${native}/tools/render/kestravon-render" --plugin "${native}/Kestravon.so" "${settings[@]}" \
  --output "${work}/native.wav"
"${packaged_render[@]}" --plugin "${root}/usr/lib/vst/Kestravon.so" "${settings[@]}" \
  --output "${work}/arm64.wav"
sound() { /usr/bin/python3 scripts/wav-sound.py "$1"; }
if cmp <(sound "${work}/native.wav") <(sound "${work}/arm64.wav") &&
  ! cmp -s <(sound "${work}/in.wav") <(sound "${work}/native.wav"); then
  pass "render through the unpacked package under QEMU, sample for sample the native build's"
else
  fail "the unpacked arm64 package renders differently from the native build"
fi

if [ "${failures}" -ne 0 ]; then
  echo "test-arm64-package: ${failures} check(s) failed" >&2
  exit 1
fi
echo "test-arm64-package: all checks passed"
