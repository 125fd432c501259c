#!/usr/bin/env bash
# Checks that the render command's packages are enough to configure the
# render build: CMake is shown only the pkg-config files and the CMake
# packages those packages install, so a build step that needs a test
# package fails here. Also checks that the test tool chain stays out of it.
# Usage: check-render-packages.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
rm -rf "${work}" && mkdir -p "${work}/pkgconfig"

mapfile -t packages < <(bash "${source_dir}/scripts/install-deps.sh" --render --print)
for unwanted in wine64 g++-mingw-w64-x86-64-posix nsis pandoc python3-matplotlib lintian \
                googletest libbenchmark-dev liblilv-dev libsuil-dev libgtk-3-dev xvfb; do
  for p in "${packages[@]}"; do
    if [ "${p}" = "${unwanted}" ]; then
      echo "check-render-packages: the render command would install ${unwanted}" >&2
      exit 1
    fi
  done
done

# The pkg-config files the render packages (and what they depend on) bring.
mapfile -t closure < <(apt-cache depends --recurse --no-recommends --no-suggests \
  --no-conflicts --no-breaks --no-replaces --no-enhances "${packages[@]}" 2>/dev/null |
  grep -v '^ ' | grep -v '^<' | sort -u)
# With another architecture's packages installed beside (the arm64 build), a
# bare name is ambiguous to dpkg-query: ask for the machine's own first.
arch=$(dpkg --print-architecture)
for p in "${closure[@]}"; do
  { dpkg-query -L "${p}:${arch}" 2>/dev/null || dpkg-query -L "${p}" 2>/dev/null; } |
    grep '\.pc$' | while read -r pc; do
    ln -sf "${pc}" "${work}/pkgconfig/"
  done || true
done

# The test-only CMake packages are hidden; pkg-config sees only the files above.
PKG_CONFIG_LIBDIR="${work}/pkgconfig" PKG_CONFIG_PATH="" \
  cmake -S "${source_dir}" -B "${work}/build" --preset render \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=TRUE -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=TRUE \
    -DCMAKE_DISABLE_FIND_PACKAGE_Python3=TRUE >"${work}/configure.log" 2>&1 || {
  cat "${work}/configure.log" >&2
  echo "check-render-packages: the render build does not configure with the render packages" >&2
  exit 1
}
echo "check-render-packages: the render build configures with ${#packages[@]} packages"
