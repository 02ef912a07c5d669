#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tavrine need.
# Does nothing when they are all present already. libpng and zlib are the
# assets tool's (it writes the game's pictures as PNG files). desktop-file-utils,
# appstream and dpkg-dev let the install test validate the desktop entry, the
# AppStream data and the Debian package; python3 reads the tests' JSON and
# counts the results of ./test.sh. A build with -DBUILD_TESTING=OFF needs neither
# GoogleTest, Google Benchmark, clang nor the tools of the tests.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config libpng-dev zlib1g-dev
  qt6-base-dev qt6-qpa-plugins libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  libgtest-dev libgmock-dev libbenchmark-dev python3 coreutils
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
