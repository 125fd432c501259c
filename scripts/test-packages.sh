#!/usr/bin/env bash
# Checks the packages scripts/make-packages.sh made: the Debian package's
# files, permissions and fields, its manual page, copyright file and manual,
# a render through the programs as unpacked from it (byte for byte the build
# tree's), the LV2 bundle through lv2info and lv2apply, the VST 3 bundle's
# module and resources, its plug-in folder against the hosts' own, the CLAP
# module's export and Qtractor's scan of it, lintian; the zip's files and the
# DLL and modules in it; the installer, run under Wine (test-windows-installer.sh).
#   test-packages.sh [package.deb [package.zip [installer.exe]]]
# KESTRAVON_LINUX_BUILD names the Linux build the packages came from
# (default build/release), KESTRAVON_WINDOWS_BUILD the Windows one (default
# build/windows); KESTRAVON_MANUAL the manual they must carry (default: the
# Linux build's).
set -euo pipefail
cd "$(dirname "$0")/.."

linux_build=${KESTRAVON_LINUX_BUILD:-build/release}
windows_build=${KESTRAVON_WINDOWS_BUILD:-build/windows}
manual=$(realpath -m "${KESTRAVON_MANUAL:-${linux_build}/docs/manual/Kestravon-manual.html}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${linux_build}/CMakeCache.txt")
deb=$(realpath "${1:-${linux_build}/kestravon_${version}_amd64.deb}")
zip=$(realpath "${2:-${windows_build}/Kestravon-${version}-windows-x64.zip}")
installer=$(realpath "${3:-${windows_build}/Kestravon-${version}-windows-x64.exe}")
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
failures=0
fail() {
  echo "test-packages: FAILED: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "test-packages: ok: $*"; }
# The format and sample chunks of a WAV file (scripts/wav-sound.py).
wav_sound() { /usr/bin/python3 scripts/wav-sound.py "$1"; }
[ -f "${manual}" ] || fail "no manual at ${manual} to check the packages against"
# A shipped VST 3 bundle: its resources the Linux build's, and what a host
# reading them without loading the module expects.
#   check_vst3_bundle BUNDLE BINARY (within the bundle) WHAT
check_vst3_bundle() {
  if diff -r "${linux_build}/vst3-bundles/Kestravon.vst3/Contents/Resources" "$1/Contents/Resources" &&
    /usr/bin/python3 scripts/check-vst3-bundle.py "$1" "$2"; then
    pass "$3: module information and editor picture"
  else
    fail "$3: resources"
  fi
}

echo "=== ${deb}"
# Every path with its mode and owner; nothing more, nothing less.
dpkg-deb -c "${deb}" | awk '{print $1, $2, $6}' | sort >"${work}/contents"
sort >"${work}/expected" <<'LIST'
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/kestravon-render
drwxr-xr-x root/root ./usr/lib/
drwxr-xr-x root/root ./usr/lib/clap/
-rw-r--r-- root/root ./usr/lib/clap/Kestravon.clap
drwxr-xr-x root/root ./usr/lib/lv2/
drwxr-xr-x root/root ./usr/lib/lv2/Kestravon.lv2/
-rw-r--r-- root/root ./usr/lib/lv2/Kestravon.lv2/Kestravon.so
-rw-r--r-- root/root ./usr/lib/lv2/Kestravon.lv2/Kestravon.ttl
-rw-r--r-- root/root ./usr/lib/lv2/Kestravon.lv2/KestravonUI.so
-rw-r--r-- root/root ./usr/lib/lv2/Kestravon.lv2/manifest.ttl
-rw-r--r-- root/root ./usr/lib/lv2/Kestravon.lv2/presets.ttl
drwxr-xr-x root/root ./usr/lib/vst/
-rw-r--r-- root/root ./usr/lib/vst/Kestravon.so
drwxr-xr-x root/root ./usr/lib/vst3/
drwxr-xr-x root/root ./usr/lib/vst3/Kestravon.vst3/
drwxr-xr-x root/root ./usr/lib/vst3/Kestravon.vst3/Contents/
drwxr-xr-x root/root ./usr/lib/vst3/Kestravon.vst3/Contents/Resources/
drwxr-xr-x root/root ./usr/lib/vst3/Kestravon.vst3/Contents/Resources/Snapshots/
-rw-r--r-- root/root ./usr/lib/vst3/Kestravon.vst3/Contents/Resources/Snapshots/828B178873F14BACBB3E1A0B22DC54B8_snapshot.png
-rw-r--r-- root/root ./usr/lib/vst3/Kestravon.vst3/Contents/Resources/moduleinfo.json
drwxr-xr-x root/root ./usr/lib/vst3/Kestravon.vst3/Contents/x86_64-linux/
-rw-r--r-- root/root ./usr/lib/vst3/Kestravon.vst3/Contents/x86_64-linux/Kestravon.so
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/kestravon/
-rw-r--r-- root/root ./usr/share/doc/kestravon/Kestravon-manual.html
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

if cmp "${manual}" "${root}/usr/share/doc/kestravon/Kestravon-manual.html"; then
  pass "the manual is ${manual}"
else
  fail "the packaged manual is not ${manual}"
fi

# The unpacked render host and plug-in against the build tree's.
tree_render=${linux_build}/tools/render/kestravon-render
packaged_render=${root}/usr/bin/kestravon-render
packaged_plugin=${root}/usr/lib/vst/Kestravon.so
[ "$("${packaged_render}" --version)" = "kestravon-render ${version}" ] ||
  fail "the packaged kestravon-render --version says '$("${packaged_render}" --version)'"
"${tree_render}" --demo-clip "${work}/in.wav" --seconds 0.5 --quiet
settings=(--input "${work}/in.wav" --program "Kestravon tape" --set "Wow=40" --block-size 300 --quiet)
"${tree_render}" --plugin "${linux_build}/Kestravon.so" "${settings[@]}" --output "${work}/tree.wav"
"${packaged_render}" --plugin "${packaged_plugin}" "${settings[@]}" --output "${work}/packaged.wav"
# Without --plugin the packaged host must find the plug-in installed beside it,
# not the build tree's, whose path it also knows: the loader's log names the
# library it opened.
LD_DEBUG=files LD_DEBUG_OUTPUT=${work}/loader "${packaged_render}" "${settings[@]}" \
  --output "${work}/default.wav"
if cmp "${work}/tree.wav" "${work}/packaged.wav" && cmp "${work}/tree.wav" "${work}/default.wav" &&
  ! cmp -s "${work}/in.wav" "${work}/tree.wav"; then
  pass "render through the unpacked package, byte for byte the build tree's"
else
  fail "the unpacked package renders differently from the build tree"
fi
opened=$(cat "${work}"/loader.* |
  sed -n 's/.*file=\([^ ]*Kestravon\.so\) \[0\]; *dynamically loaded by.*/\1/p' | sort -u)
if [ "$(realpath "${opened}" 2>/dev/null)" = "$(realpath "${packaged_plugin}")" ]; then
  pass "without --plugin the packaged host loads the packaged plug-in"
else
  fail "without --plugin the packaged host loads '${opened}', not ${packaged_plugin}"
fi

# The unpacked LV2 bundle as an LV2 host finds it: its plug-in, editor and
# programs, and a render through Debian's lv2apply equal to the build tree's.
packaged_lv2=${root}/usr/lib/lv2
lv2_info=$(LV2_PATH=${packaged_lv2} lv2info urn:ostrelle:kestravon 2>&1 || true)
if grep -q "Bundle: *file://${packaged_lv2}/Kestravon.lv2/" <<<"${lv2_info}" &&
  grep -q "KestravonUI.so" <<<"${lv2_info}" && grep -q "Kestravon tape" <<<"${lv2_info}"; then
  pass "lv2info finds the packaged LV2 plug-in with its editor and programs"
else
  fail "lv2info does not find the packaged LV2 plug-in: ${lv2_info}"
fi
lv2_settings=(-c wow 40 -c noise_amp 20 -c profile 2 urn:ostrelle:kestravon)
LV2_PATH=$(realpath "${linux_build}/lv2-bundles") lv2apply -i "${work}/in.wav" -o "${work}/lv2-tree.wav" \
  "${lv2_settings[@]}"
LV2_PATH=${packaged_lv2} lv2apply -i "${work}/in.wav" -o "${work}/lv2-packaged.wav" \
  "${lv2_settings[@]}"
if cmp <(wav_sound "${work}/lv2-tree.wav") <(wav_sound "${work}/lv2-packaged.wav") &&
  ! cmp -s <(wav_sound "${work}/in.wav") <(wav_sound "${work}/lv2-tree.wav"); then
  pass "lv2apply through the unpacked LV2 bundle, sample for sample the build tree's"
else
  fail "the unpacked LV2 bundle renders differently from the build tree's"
fi

# The unpacked VST 3 bundle: where Ardour and other Linux hosts look, its
# module exporting only the three entry points, its resources the build
# tree's and what a host reading them expects.
packaged_vst3=${root}/usr/lib/vst3/Kestravon.vst3
vst3_exports=$(nm -D --defined-only "${packaged_vst3}/Contents/x86_64-linux/Kestravon.so" |
  awk '$2 == "T" {print $3}' | sort | tr '\n' ' ')
if [ "${vst3_exports}" = "GetPluginFactory ModuleEntry ModuleExit " ]; then
  pass "the packaged VST 3 module exports GetPluginFactory, ModuleEntry and ModuleExit"
else
  fail "the packaged VST 3 module exports: ${vst3_exports}"
fi
check_vst3_bundle "${packaged_vst3}" Contents/x86_64-linux/Kestravon.so "the packaged VST 3 bundle"

# The unpacked CLAP module: in the system folder CLAP hosts scan, exporting
# only clap_entry, and described by Qtractor's scanner as the build's is.
packaged_clap=${root}/usr/lib/clap/Kestravon.clap
clap_exports=$(nm -D --defined-only "${packaged_clap}" | awk '{print $3}' | tr '\n' ' ')
if [ "${clap_exports}" = "clap_entry " ]; then
  pass "the packaged CLAP module exports clap_entry alone"
else
  fail "the packaged CLAP module exports: ${clap_exports}"
fi
if bash scripts/check-qtractor-clap.sh "${packaged_clap}" "${work}/qtractor"; then
  pass "Qtractor's scanner describes the packaged CLAP plug-in"
else
  fail "Qtractor's scanner does not describe the packaged CLAP plug-in"
fi

if bash scripts/check-host-vst-folders.sh "${deb}"; then
  pass "Ardour, Audacity and Giada scan the package's plug-in folder by default"
else
  fail "a Debian host does not scan the package's plug-in folder"
fi

if lintian_output=$(lintian --fail-on error,warning "${deb}" 2>&1); then
  pass "lintian"
else
  fail "lintian"
fi
[ -z "${lintian_output}" ] || grep -v "^running with root" <<<"${lintian_output}" || true

echo "=== ${zip}"
names=$(unzip -Z1 "${zip}" | LC_ALL=C sort | tr '\n' ' ')
vst3_resources=Kestravon.vst3/Contents/Resources
expected_names="INSTALL.txt Kestravon-manual.html Kestravon.clap Kestravon.dll Kestravon.vst3/ \
Kestravon.vst3/Contents/ ${vst3_resources}/ ${vst3_resources}/Snapshots/ \
${vst3_resources}/Snapshots/828B178873F14BACBB3E1A0B22DC54B8_snapshot.png \
${vst3_resources}/moduleinfo.json Kestravon.vst3/Contents/x86_64-win/ \
Kestravon.vst3/Contents/x86_64-win/Kestravon.vst3 "
if [ "${names}" = "${expected_names}" ]; then
  pass "zip holds the DLL, the VST 3 bundle, the CLAP module, the manual and the note"
else
  fail "the zip holds: ${names}"
fi
unzip -q "${zip}" -d "${work}/zip"
check_vst3_bundle "${work}/zip/Kestravon.vst3" Contents/x86_64-win/Kestravon.vst3 \
  "the zipped VST 3 bundle"
dll=${work}/zip/Kestravon.dll
if bash scripts/check-dll-tables.sh "${dll}"; then
  pass "the zipped DLL's export and import tables"
else
  fail "the zipped DLL's export and import tables"
fi
if bash scripts/same-as-stripped.sh "${windows_build}/Kestravon.dll" "${dll}" &&
  ! x86_64-w64-mingw32-objdump -h "${dll}" | grep -q '\.debug_'; then
  pass "the zipped DLL is ${windows_build}/Kestravon.dll, stripped"
else
  fail "the zipped DLL is not ${windows_build}/Kestravon.dll, stripped"
fi
vst3_module=Kestravon.vst3/Contents/x86_64-win/Kestravon.vst3
if bash scripts/same-as-stripped.sh "${windows_build}/vst3-bundles/${vst3_module}" \
  "${work}/zip/${vst3_module}"; then
  pass "the zipped VST 3 module is the Windows build's, stripped"
else
  fail "the zipped VST 3 module is not the Windows build's, stripped"
fi
if bash scripts/same-as-stripped.sh "${windows_build}/clap-modules/Kestravon.clap" \
  "${work}/zip/Kestravon.clap"; then
  pass "the zipped CLAP module is the Windows build's, stripped"
else
  fail "the zipped CLAP module is not the Windows build's, stripped"
fi
note=${work}/zip/INSTALL.txt
if grep -q 'VstPlugins' "${note}" && grep -q 'Common Files\\VST3' "${note}" &&
  grep -q 'Common Files\\CLAP' "${note}" &&
  grep -q "Kestravon ${version} " "${note}" &&
  [ "$(grep -c $'\r$' "${note}")" = "$(wc -l <"${note}")" ]; then
  pass "INSTALL.txt names the version and the folder, with Windows line ends"
else
  fail "INSTALL.txt"
fi

cmp -s "${manual}" "${work}/zip/Kestravon-manual.html" || fail "the zipped manual is not ${manual}"

echo "=== ${installer}"
if bash scripts/test-windows-installer.sh "${installer}" "${windows_build}/Kestravon.dll" \
  "${windows_build}/kestravon_render_programs.exe" "${manual}"; then
  pass "the installer, run silently under Wine"
else
  fail "the installer, run silently under Wine"
fi

if [ "${failures}" -ne 0 ]; then
  echo "test-packages: ${failures} check(s) failed" >&2
  exit 1
fi
echo "test-packages: all checks passed"
