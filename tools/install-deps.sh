#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Vesperin
# need; packages already present are left alone.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake ninja-build g++ ccache pkg-config
  nlohmann-json3-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  g++-multilib clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-utils jq
  fonts-liberation fonts-dejavu-core
  nsis zip unzip file p7zip-full
  wine wine64
)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# Wine's 32-bit half (wine32:i386, with the i386 architecture) runs the i686
# programs where the kernel runs 32-bit x86 programs. Elsewhere it could not
# start, and its i386 index is one more that can be out of step with amd64:
# there qemu-user runs the plain 32-bit tests, and a qemu-system guest with a
# kernel of its own runs the i686 Windows programs (tools/guest/).
if [ "$("$here/host-i386.sh")" = native ]; then
  dpkg --print-foreign-architectures | grep -qx i386 || "${sudo[@]}" dpkg --add-architecture i386
  packages+=(wine32:i386)
else
  packages+=(qemu-user-static qemu-system-x86 qemu-utils debootstrap e2fsprogs)
fi

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# An archive mid-sync can fail one index ("File has unexpected size ...
# Mirror sync in progress?"). That is no reason to stop: a few tries, then
# apt-get install decides with the indexes it has.
update_indexes() {
  local try
  for try in 1 2 3; do
    "${sudo[@]}" apt-get update -qq && return 0
    echo "apt-get update failed (try $try of 3)" >&2
    [ "$try" = 3 ] || sleep $((try * 10))
  done
  echo "Going on with the package indexes that could be read." >&2
}

mapfile -t missing < <(missing_of "${packages[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
update_indexes
apt_install() {
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$@"
}
# The i386 and amd64 halves of a library must be the same version. When one
# architecture's index of a suite could not be read (the security suite's i386
# index, seen mid-sync), that suite offers amd64 versions with no i386 twin and
# apt-get gives up ("held broken packages"). Preferring the release's own suite
# (-t bookworm) picks versions both architectures have.
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if ! apt_install "${missing[@]}" >/dev/null &&
  ! { [ -n "$codename" ] && echo "Trying again with the $codename suite's versions first." >&2 &&
    apt_install -t "$codename" "${missing[@]}" >/dev/null; }; then
  # One at a time, so that the message names what could not be had; from the
  # release's own suite first, so that an amd64 half installed here does not
  # take a version its i386 twin cannot follow.
  for p in "${missing[@]}"; do
    { [ -n "$codename" ] && apt_install -t "$codename" "$p" >/dev/null 2>&1; } ||
      apt_install "$p" >/dev/null 2>&1 || true
  done
fi
mapfile -t still < <(missing_of "${missing[@]}")
if [ ${#still[@]} -gt 0 ]; then
  echo "These packages could not be installed: ${still[*]}" >&2
  echo "Run 'apt-get update' and 'apt-get install ${still[*]}' to see why (an archive" \
    "being synced can refuse them for a while), then run this again." >&2
  exit 1
fi
