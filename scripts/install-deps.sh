#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tavrine need.
# Does nothing when they are all present already. desktop-file-utils, appstream
# and dpkg-dev let the install test validate the desktop entry, the AppStream
# data and the Debian package.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  fonts-liberation2 fonts-dejavu-core xvfb xauth
  desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
