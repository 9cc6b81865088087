#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, only when missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libx11-dev libxi-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libfuse3-dev fuse3
  xvfb xauth xdotool trayer imagemagick x11-xserver-utils
  fonts-wqy-microhei fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
