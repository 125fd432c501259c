#!/usr/bin/env bash
# Checks that the Debian package puts the plug-in in a folder that every
# Debian host loading Linux VST 2 plug-ins scans by default. The hosts'
# folders are recorded in tests/packaging/vst2-host-folders.txt with the file
# and the string that show them. Those files are read again from the hosts'
# own packages, fetched once with `apt-get download` into a cache folder; when
# apt cannot fetch them the check rests on the record alone, and says so.
#   check-host-vst-folders.sh PACKAGE.deb [CACHE_FOLDER]
set -euo pipefail
deb=$(realpath "$1")
cd "$(dirname "$0")/.."
cache=${2:-build/host-debs}
record=tests/packaging/vst2-host-folders.txt
failures=0
fail() {
  echo "check-host-vst-folders: FAILED: $*" >&2
  failures=$((failures + 1))
}

# The VST 2 plug-in: the package's Kestravon.so outside the LV2 and VST 3 bundles.
plugin=$(dpkg-deb -c "${deb}" |
  awk '$6 ~ /\/Kestravon\.so$/ && $6 !~ /\.lv2\// && $6 !~ /\.vst3\// {print $6}')
folder=$(sed 's|^\./|/|; s|/Kestravon\.so$||' <<<"${plugin}")
if [ -z "${folder}" ] || [ "$(wc -l <<<"${folder}")" -ne 1 ]; then
  echo "check-host-vst-folders: FAILED: ${deb} holds no single VST 2 Kestravon.so" >&2
  exit 1
fi
echo "check-host-vst-folders: the package installs the plug-in in ${folder}"

# The host's package, from the cache or fetched into it: the recorded version
# when the archive still has it, otherwise the current one.
host_deb() {
  local package=$1 version=$2 found
  found=$(find "${cache}" -maxdepth 1 -name "${package}_*.deb" 2>/dev/null | sort | tail -n 1)
  if [ -z "${found}" ]; then
    mkdir -p "${cache}"
    (cd "${cache}" && { apt-get download -qq "${package}=${version}" ||
      apt-get download -qq "${package}"; } >/dev/null 2>&1) || true
    found=$(find "${cache}" -maxdepth 1 -name "${package}_*.deb" | sort | tail -n 1)
  fi
  echo "${found}"
}

declare -A scans=()
while IFS=$'\t' read -r package version file encoding string; do
  [[ -z "${package}" || "${package}" == \#* ]] && continue
  scans[${package}]=${scans[${package}]:-no}
  IFS=':;' read -ra folders <<<"${string}"
  for candidate in "${folders[@]}"; do
    [ "${candidate}" = "${folder}" ] && scans[${package}]=yes
  done

  package_file=$(host_deb "${package}" "${version}")
  if [ -z "${package_file}" ]; then
    echo "check-host-vst-folders: note: ${package} could not be fetched; its folders" \
      "are checked against the record only"
    continue
  fi
  actual=$(dpkg-deb -f "${package_file}" Version)
  [ "${actual}" = "${version}" ] ||
    echo "check-host-vst-folders: note: ${package} is now ${actual}, recorded from ${version}"
  # grep reads to the end (no -q): an early exit would fail the pipe.
  options=(-a -n 4)
  [ "${encoding}" = utf32 ] && options+=(-e L)
  if dpkg-deb --fsys-tarfile "${package_file}" | tar -xO "./${file}" 2>/dev/null |
    strings "${options[@]}" | grep -xF -- "${string}" >/dev/null; then
    echo "check-host-vst-folders: ${package} ${actual}: /${file} holds '${string}'"
  else
    fail "${package} ${actual}: /${file} no longer holds '${string}'"
  fi
done <"${record}"

for host in ardour audacity giada; do
  case ${scans[${host}]:-missing} in
    yes) echo "check-host-vst-folders: ok: ${host} scans ${folder}" ;;
    no) fail "${host} does not scan ${folder} by default" ;;
    *) fail "${record} has no folders for ${host}" ;;
  esac
done
[ "${failures}" -eq 0 ]
