#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# Idempotent: only packages that are missing are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2
  libx11-dev libxtst-dev xvfb xauth
  libsndfile1-dev
  libcairo2-dev
  dragonfly-reverb-vst
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 dpkg-dev
  help2man lintian man-db file unzip
  lv2-dev liblilv-dev lilv-utils libsuil-dev sordi
  nsis pandoc python3-matplotlib
  python3
)

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
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
