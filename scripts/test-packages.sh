#!/usr/bin/env bash
# Checks the packages scripts/make-packages.sh made: the Debian package's
# files, permissions and fields, its manual page and copyright file, a render
# through the programs as unpacked from it (byte for byte the build tree's),
# lintian; the zip's files and the DLL in it.
#   test-packages.sh [package.deb [package.zip]]
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
deb=$(realpath "${1:-build/release/kestravon_${version}_amd64.deb}")
zip=$(realpath "${2:-build/windows/Kestravon-${version}-windows-x64.zip}")
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
failures=0
fail() {
  echo "test-packages: FAILED: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "test-packages: ok: $*"; }

echo "=== ${deb}"
# Every path with its mode and owner; nothing more, nothing less.
dpkg-deb -c "${deb}" | awk '{print $1, $2, $6}' | sort >"${work}/contents"
sort >"${work}/expected" <<'LIST'
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/kestravon-render
drwxr-xr-x root/root ./usr/lib/
drwxr-xr-x root/root ./usr/lib/lxvst/
-rw-r--r-- root/root ./usr/lib/lxvst/Kestravon.so
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/kestravon/
-rw-r--r-- root/root ./usr/share/doc/kestravon/README.md
-rw-r--r-- root/root ./usr/share/doc/kestravon/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/kestravon/copyright
drwxr-xr-x root/root ./usr/share/lintian/
drwxr-xr-x root/root ./usr/share/lintian/overrides/
-rw-r--r-- root/root ./usr/share/lintian/overrides/kestravon
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/kestravon-render.1.gz
LIST
if diff -u "${work}/expected" "${work}/contents"; then
  pass "files, modes and owners"
else
  fail "the package's files differ from the list above (- expected, + found)"
fi

field() { dpkg-deb -f "${deb}" "$1"; }
for expected in "Package=kestravon" "Version=${version}" "Architecture=amd64" \
  "Maintainer=Ostrelle" "Section=sound" "Priority=optional"; do
  name=${expected%%=*}
  [ "$(field "${name}")" = "${expected#*=}" ] || fail "${name} is '$(field "${name}")'"
done
# Dependencies come from the binaries: libsndfile from the render host,
# libpng and FreeType from the plug-in, X11 and the C library from both.
depends=$(field Depends)
echo "Depends: ${depends}"
for library in libc6 libsndfile1 libpng16-16 libfreetype6 libx11-6; do
  grep -Eq "(^|, )${library}( |,|$)" <<<"${depends}" || fail "Depends lacks ${library}"
done
pass "control fields"

root=${work}/root
dpkg-deb -x "${deb}" "${root}"
man_page=${root}/usr/share/man/man1/kestravon-render.1.gz
warnings=$(MANWIDTH=80 man --warnings -l "${man_page}" 2>&1 >/dev/null || true)
[ -z "${warnings}" ] || fail "the manual page has warnings: ${warnings}"
zcat "${man_page}" | grep -q '^\.TH KESTRAVON-RENDER "1" ".*" "kestravon-render '"${version}"'"' ||
  fail "the manual page's header does not name version ${version}"
zcat "${man_page}" | grep -q '^\\fB\\-\\-input\\fR FILE' || fail "the manual page lacks --input"
pass "manual page"

# The copyright file's licence is LICENSE, as Debian indents it.
sed -n 's/^ //p' "${root}/usr/share/doc/kestravon/copyright" | sed 's/^\.$//' >"${work}/licence"
if head -n 1 "${root}/usr/share/doc/kestravon/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
  diff -u LICENSE "${work}/licence"; then
  pass "copyright file"
else
  fail "the copyright file is not machine-readable or its licence is not LICENSE"
fi

# The unpacked render host and plug-in against the build tree's.
tree_render=build/release/tools/render/kestravon-render
packaged_render=${root}/usr/bin/kestravon-render
[ "$("${packaged_render}" --version)" = "kestravon-render ${version}" ] ||
  fail "the packaged kestravon-render --version says '$("${packaged_render}" --version)'"
"${tree_render}" --demo-clip "${work}/in.wav" --seconds 0.5 --quiet
settings=(--input "${work}/in.wav" --program "Kestravon tape" --set "Wow=40" --block-size 300 --quiet)
"${tree_render}" --plugin build/release/Kestravon.so "${settings[@]}" --output "${work}/tree.wav"
"${packaged_render}" --plugin "${root}/usr/lib/lxvst/Kestravon.so" "${settings[@]}" \
  --output "${work}/packaged.wav"
# Without --plugin the packaged host finds the plug-in installed beside it.
"${packaged_render}" "${settings[@]}" --output "${work}/default.wav"
if cmp "${work}/tree.wav" "${work}/packaged.wav" && cmp "${work}/tree.wav" "${work}/default.wav" &&
  ! cmp -s "${work}/in.wav" "${work}/tree.wav"; then
  pass "render through the unpacked package, byte for byte the build tree's"
else
  fail "the unpacked package renders differently from the build tree"
fi

if lintian_output=$(lintian --fail-on error,warning "${deb}" 2>&1); then
  pass "lintian"
else
  fail "lintian"
fi
[ -z "${lintian_output}" ] || grep -v "^running with root" <<<"${lintian_output}" || true

echo "=== ${zip}"
names=$(unzip -Z1 "${zip}" | sort | tr '\n' ' ')
if [ "${names}" = "INSTALL.txt Kestravon.dll " ]; then
  pass "zip holds the DLL and the note"
else
  fail "the zip holds: ${names}"
fi
unzip -q "${zip}" -d "${work}/zip"
dll=${work}/zip/Kestravon.dll
if bash scripts/check-dll-tables.sh "${dll}"; then
  pass "the zipped DLL's export and import tables"
else
  fail "the zipped DLL's export and import tables"
fi
# The zipped DLL is this build's, stripped; every strip writes a new time
# stamp and checksum into the PE header, so those two are left out.
without_stamp() {
  cp "$1" "$2"
  local pe
  pe=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  for offset in $((pe + 8)) $((pe + 88)); do
    printf '\0\0\0\0' | dd of="$2" bs=1 seek="${offset}" conv=notrunc status=none
  done
}
x86_64-w64-mingw32-strip -o "${work}/stripped.dll" build/windows/Kestravon.dll
without_stamp "${work}/stripped.dll" "${work}/expected.dll"
without_stamp "${dll}" "${work}/zipped.dll"
if cmp "${work}/expected.dll" "${work}/zipped.dll" &&
  ! x86_64-w64-mingw32-objdump -h "${dll}" | grep -q '\.debug_'; then
  pass "the zipped DLL is build/windows/Kestravon.dll, stripped"
else
  fail "the zipped DLL is not build/windows/Kestravon.dll, stripped"
fi
note=${work}/zip/INSTALL.txt
if grep -q 'VstPlugins' "${note}" && grep -q "Kestravon ${version} " "${note}" &&
  [ "$(grep -c $'\r$' "${note}")" = "$(wc -l <"${note}")" ]; then
  pass "INSTALL.txt names the version and the folder, with Windows line ends"
else
  fail "INSTALL.txt"
fi

if [ "${failures}" -ne 0 ]; then
  echo "test-packages: ${failures} check(s) failed" >&2
  exit 1
fi
echo "test-packages: all checks passed"
