#!/usr/bin/env bash
# Runs the Windows installer as a user would, silently, under Wine in a fresh
# prefix, and checks what it leaves behind:
#   1. no folder given: the VST 2 plug-in, the manual and the uninstaller land
#      in C:\Program Files\VSTPlugins, the VST 3 bundle in C:\Program Files\
#      Common Files\VST3 as a host reads it, the CLAP module in Common Files\
#      CLAP; the uninstaller removes them all;
#   2. a folder given with /D= (one that already holds another maker's
#      plug-in): the DLL lands there, is the build's, loads through its entry
#      point; the modules are the build's, and the CLAP module loads and plays
#      where it was put; Add/Remove Programs lists the product;
#   3. a second install with no folder given goes to the folder of the first;
#   4. the uninstaller removes everything the installer put there and in the
#      registry and the Start menu, and leaves the other plug-in alone.
#   test-windows-installer.sh INSTALLER BUILD_DLL LOADER [MANUAL]
# BUILD_DLL is the unstripped build/windows/Kestravon.dll; LOADER renders
# through a DLL (kestravon_render_programs.exe), and the CLAP render program
# beside it through a CLAP module; MANUAL, when given, is the manual the
# installer must carry.
set -euo pipefail
installer=$(realpath "$1")
build_dll=$(realpath "$2")
loader=$(realpath "$3")
manual=${4:+$(realpath "$4")}
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

export WINEPREFIX=${KESTRAVON_INSTALLER_PREFIX:-$(pwd)/build/windows/installer-prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "${WINEPREFIX}"
work=$(mktemp -d)
# The prefix (most of a gigabyte) stays only when a check failed, to be looked at.
clean_up() {
  local status=$?
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "${work}"
  [ "${status}" -ne 0 ] || rm -rf "${WINEPREFIX}"
}
trap clean_up EXIT
failures=0
fail() {
  echo "test-windows-installer: FAILED: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "test-windows-installer: ok: $*"; }

wine() { timeout --kill-after=10 300 /usr/lib/wine/wine64 "$@"; }
# Waits for every Wine process, the uninstaller's copy of itself included
# (it starts that copy from a temporary folder and returns at once).
settle() { timeout 300 /usr/lib/wine/wineserver -w; }
drive_c=${WINEPREFIX}/drive_c
# The installer reads /D= only unquoted and last on its command line, which
# Wine would quote for a folder with a space; cmd passes the line as written.
install() {
  cp "${installer}" "${drive_c}/kestravon-setup.exe"
  wine cmd /c "C:\\kestravon-setup.exe /S${1:+ /D=$1}"
  settle
}
uninstall() {
  wine "$1\\Kestravon-uninstall.exe" /S
  settle
}
unix_path() { sed 's|^C:|'"${drive_c}"'|; s|\\|/|g' <<<"$1"; }
reg_value() { # KEY NAME: the value's data, or nothing
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_SZ *//p"
}
reg_default() {
  wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}
wine wineboot --init 2>/dev/null
settle
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestravon'
folder_key='HKLM\Software\Ostrelle\Kestravon'
start_menu=${drive_c}/ProgramData/Microsoft/Windows/Start\ Menu/Programs

ours=(Kestravon.dll Kestravon-uninstall.exe)
# The VST 3 bundle has one place whatever the VST 2 folder.
vst3_bundle=${drive_c}/Program\ Files/Common\ Files/VST3/Kestravon.vst3
vst3_binary=Contents/x86_64-win/Kestravon.vst3
# So has the CLAP module.
clap_module=${drive_c}/Program\ Files/Common\ Files/CLAP/Kestravon.clap
[ -n "${manual}" ] && ours+=(Kestravon-manual.html)
check_installed() { # FOLDER (Windows form)
  local dir missing=()
  dir=$(unix_path "$1")
  for file in "${ours[@]}"; do [ -f "${dir}/${file}" ] || missing+=("${file}"); done
  [ ${#missing[@]} -eq 0 ] || { fail "$1 lacks ${missing[*]}"; return 1; }
  [ ! -e "${dir}/Kestravon.vst3" ] || { fail "the VST 3 bundle stayed in $1"; return 1; }
  [ ! -e "${dir}/Kestravon.clap" ] || { fail "the CLAP module stayed in $1"; return 1; }
  [ -f "${clap_module}" ] || { fail "no CLAP module in Common Files\\CLAP"; return 1; }
  /usr/bin/python3 scripts/check-vst3-bundle.py "${vst3_bundle}" "${vst3_binary}" ||
    { fail "the VST 3 bundle in Common Files\\VST3"; return 1; }
}
check_removed() { # FOLDER (Windows form)
  local dir left=()
  dir=$(unix_path "$1")
  for file in "${ours[@]}"; do [ -e "${dir}/${file}" ] && left+=("${file}"); done
  [ ${#left[@]} -eq 0 ] || fail "the uninstaller left ${left[*]} in $1"
  [ ! -e "${vst3_bundle}" ] || fail "the uninstaller left the VST 3 bundle"
  [ ! -e "$(dirname "${clap_module}")" ] || fail "the uninstaller left the CLAP module or its folder"
  [ -z "$(reg_value "${uninstall_key}" UninstallString)" ] ||
    fail "the uninstaller left the Add/Remove Programs entry"
  [ -z "$(reg_default "${folder_key}")" ] || fail "the uninstaller left ${folder_key}"
  [ -z "$(find "${start_menu}" -iname '*kestravon*' 2>/dev/null)" ] ||
    fail "the uninstaller left $(find "${start_menu}" -iname '*kestravon*' | head -n 1)"
}

echo "=== 1. silent install, no folder given"
default='C:\Program Files\VSTPlugins'
install ""
if check_installed "${default}"; then
  pass "installed into ${default}, Common Files\\VST3 and Common Files\\CLAP"
fi
uninstall "${default}"
check_removed "${default}"
if [ -e "$(unix_path "${default}")" ]; then
  fail "the uninstaller left the folder it made, ${default}"
else
  pass "uninstalled from ${default}, folder and all"
fi

echo "=== 2. silent install into a folder of the user's"
chosen='C:\Audio\VST Plugins'
chosen_dir=$(unix_path "${chosen}")
mkdir -p "${chosen_dir}"
echo "another maker's plug-in" >"${chosen_dir}/Other.dll"
install "${chosen}"
if check_installed "${chosen}"; then pass "installed into ${chosen}"; fi
[ ! -e "$(unix_path "${default}")/Kestravon.dll" ] || fail "/D= was not followed"

if bash scripts/same-as-stripped.sh "${build_dll}" "${chosen_dir}/Kestravon.dll"; then
  pass "the installed DLL is the build's, stripped"
else
  fail "the installed DLL is not the build's"
fi
build_vst3=$(dirname "${build_dll}")/vst3-bundles/Kestravon.vst3/${vst3_binary}
if bash scripts/same-as-stripped.sh "${build_vst3}" "${vst3_bundle}/${vst3_binary}"; then
  pass "the installed VST 3 module is the build's, stripped"
else
  fail "the installed VST 3 module is not the build's"
fi
build_clap=$(dirname "${build_dll}")/clap-modules/Kestravon.clap
if bash scripts/same-as-stripped.sh "${build_clap}" "${clap_module}"; then
  pass "the installed CLAP module is the build's, stripped"
else
  fail "the installed CLAP module is not the build's"
fi
if [ -n "${manual}" ]; then
  if cmp "${manual}" "${chosen_dir}/Kestravon-manual.html"; then
    pass "the installed manual is ${manual}"
  else
    fail "the installed manual is not ${manual}"
  fi
fi
# The loader opens the DLL with LoadLibrary, calls its entry point and renders
# every program through it.
if wine "${loader}" render "${chosen}\\Kestravon.dll" 'C:\render.bin' &&
  [ -s "${drive_c}/render.bin" ]; then
  pass "the installed DLL loads and renders under Wine"
else
  fail "the installed DLL does not load or render"
fi
clap_loader=$(dirname "${loader}")/kestravon_render_clap_programs.exe
if wine "${clap_loader}" render 'C:\Program Files\Common Files\CLAP\Kestravon.clap' \
  'C:\clap-render.bin' && [ -s "${drive_c}/clap-render.bin" ]; then
  pass "the installed CLAP module loads and renders under Wine"
else
  fail "the installed CLAP module does not load or render"
fi

if [ "$(reg_default "${folder_key}")" = "${chosen}" ]; then
  pass "the chosen folder is recorded for the next install"
else
  fail "${folder_key} holds '$(reg_default "${folder_key}")', not ${chosen}"
fi
uninstall_string=$(reg_value "${uninstall_key}" UninstallString)
display_name=$(reg_value "${uninstall_key}" DisplayName)
echo "Add/Remove Programs: ${display_name}: ${uninstall_string}"
if [ "${uninstall_string}" = "\"${chosen}\\Kestravon-uninstall.exe\"" ] &&
  [[ "${display_name}" == Kestravon* ]]; then
  pass "Add/Remove Programs lists the product and its uninstaller"
else
  fail "the Add/Remove Programs entry is '${display_name}' '${uninstall_string}'"
fi
if [ -n "${manual}" ] && [ -z "$(find "${start_menu}" -name 'Kestravon manual.lnk')" ]; then
  fail "the Start menu has no link to the manual"
fi

echo "=== 3. a second install, no folder given"
rm "${chosen_dir}/Kestravon.dll"
install ""
if check_installed "${chosen}" && [ ! -e "$(unix_path "${default}")" ]; then
  pass "the second install went to the first's folder, ${chosen}"
else
  fail "the second install did not go to ${chosen}"
fi

echo "=== 4. silent uninstall"
uninstall "${chosen}"
check_removed "${chosen}"
if [ "$(find "${chosen_dir}" -mindepth 1 -printf '%f ' 2>/dev/null)" = "Other.dll " ]; then
  pass "uninstalled; the other plug-in and its folder stay"
else
  fail "after the uninstall ${chosen} holds: $(find "${chosen_dir}" -mindepth 1 -printf '%f ')"
fi

if [ "${failures}" -ne 0 ]; then
  echo "test-windows-installer: ${failures} check(s) failed; the prefix stays: ${WINEPREFIX}" >&2
  exit 1
fi
echo "test-windows-installer: all checks passed"
