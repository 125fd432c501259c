#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# Idempotent: only packages that are missing are installed.
#   install-deps.sh           everything: building, rendering, the tests and the packages
#   install-deps.sh --render  only what building the plug-ins and rendering through them need
#   --print (after either)    lists the packages instead of installing them
set -euo pipefail

# Building the plug-ins (VST 2 and LV2, with the editor) and the render host.
render_packages=(
  build-essential cmake ninja-build pkg-config git
  libpng-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2
  libx11-dev
  libsndfile1-dev
  lv2-dev
)
# The tests, the fuzz runs, the Windows cross build, the manual and the packages.
test_packages=(
  clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libxtst-dev xvfb xauth
  libcairo2-dev
  dragonfly-reverb-vst
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 dpkg-dev
  help2man lintian man-db file unzip
  liblilv-dev lilv-utils libsuil-dev sordi libgtk-3-dev
  ardour qtractor
  nsis pandoc python3-matplotlib
  python3
)

# The aarch64 cross build and its tests under QEMU: the arm64 forms of the
# libraries the build links, beside the build machine's (multiarch).
arm64_packages=(
  crossbuild-essential-arm64 qemu-user
  libpng-dev:arm64 zlib1g-dev:arm64
  libfreetype-dev:arm64 libfontconfig-dev:arm64
  libx11-dev:arm64
  libsndfile1-dev:arm64
  lv2-dev:arm64 liblilv-dev:arm64
)

packages=("${render_packages[@]}" "${test_packages[@]}" "${arm64_packages[@]}")
print=0
for arg in "$@"; do
  case "${arg}" in
    --render) packages=("${render_packages[@]}") ;;
    --print) print=1 ;;
    *)
      echo "usage: $0 [--render] [--print]" >&2
      exit 2
      ;;
  esac
done
if [ "${print}" -eq 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# Packages of another architecture need it added first (the update below
# then fetches its lists).
if grep -q ':arm64$' <(printf '%s\n' "${missing[@]}") &&
  ! dpkg --print-foreign-architectures | grep -qx arm64; then
  "${sudo_cmd[@]}" dpkg --add-architecture arm64
fi
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
