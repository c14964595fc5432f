#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Vesperin
# need; packages already present are left alone.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  nlohmann-json3-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  g++-multilib clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-utils jq
  fonts-liberation fonts-dejavu-core
  nsis zip unzip file
)

# Wine runs the Windows builds' tests; its 32-bit half needs the i386
# architecture.
wine_packages=(wine wine64 wine32:i386)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
dpkg --print-foreign-architectures | grep -qx i386 || "${sudo[@]}" dpkg --add-architecture i386

install_missing() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

install_missing "${packages[@]}" "${wine_packages[@]}"

# A kernel without its 32-bit entry cannot start the 32-bit test programs:
# qemu then runs them (tools/host-i386.sh says how).
[ "$("$(dirname "$0")/host-i386.sh")" = native ] || install_missing qemu-user-static
