#!/usr/bin/env bash
# Makes (once) the guest that runs the i686 Windows programs where this
# machine's kernel runs no 32-bit x86 program: Debian 12 amd64 with its own
# kernel (which has IA32 emulation), Wine's two halves, Xvfb and the tools the
# tests use, booted by tools/guest/run.sh under qemu-system-x86_64.
#   tools/guest/make.sh           builds the image unless it is there; prints its folder
#   tools/guest/make.sh --check   prints the folder and succeeds only if the image is ready
# The image lives outside every work tree, in
# ${VESPERIN_GUEST_CACHE:-/var/cache/vesperin-guest}/<hash of this script and packages.txt>,
# and is used while neither changes. It holds vmlinuz, initrd.img, root.img
# (a sparse raw ext4 file system, about 5 GiB used) with three Wine prefixes
# made in it, fresh on every boot because run.sh boots a throw-away snapshot:
#   /opt/wineprefixes/win32     WINEARCH=win32, a 32-bit Windows
#   /opt/wineprefixes/win64     WINEARCH=win64, i686 programs run under WOW64
#   /opt/wineprefixes/release   WINEARCH=win32, for the release's install trial
# A build happens in a folder of its own and is moved into place only when
# whole, so a build cut short is never taken for an image. Needs root
# (debootstrap, chroot, mount) and about 0.4 GB from the Debian archive.
# MIRROR (default: the host's first Debian archive) picks where from.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${VESPERIN_GUEST_CACHE:-/var/cache/vesperin-guest}
hash=$(cat "$here/make.sh" "$here/packages.txt" | sha256sum | cut -c1-16)
image=$cache/$hash

ready() { [ -f "$image/ready" ]; }
if [ "${1:-}" = --check ]; then
  echo "$image"
  ready
  exit
fi
if ready; then
  echo "$image"
  exit 0
fi

[ "$(id -u)" = 0 ] || { echo "guest: making the image needs root" >&2; exit 1; }
for tool in debootstrap mkfs.ext4 chroot qemu-system-x86_64 flock; do
  command -v "$tool" >/dev/null ||
    { echo "guest: $tool is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
done
mkdir -p "$cache"
# One build at a time; whoever waited finds the image made.
exec 9>"$cache/.lock"
flock 9
if ready; then
  echo "$image"
  exit 0
fi
# Under the lock, any other build folder is what a build cut short left; a
# build of this image cut short while making the prefixes goes on from its
# root file system, which was whole when it was marked made.
work=$cache/$hash.partial
for other in "$cache"/*.partial; do
  [ "$other" = "$work" ] && [ -f "$work/root-made" ] && continue
  rm -rf "$other"
done
rm -rf "$image"
# Images no run has booted for a week belong to older package lists.
find "$cache" -mindepth 2 -maxdepth 2 -name last-used -mtime +7 -printf '%h\n' | xargs -r rm -rf

root=$work/rootfs
mkdir -p "$work"
log=$work/build-times.txt
started=$SECONDS
stamp() { echo "$((SECONDS - started)) s: $*" | tee -a "$log" >&2; }

# The root file system from the archive, as root.img, with the kernel and
# initramfs beside it.
make_root() {
  unmount_all() {
    local m
    for m in dev/pts dev proc sys; do
      mountpoint -q "$root/$m" 2>/dev/null && umount -l "$root/$m" || true
    done
  }
  trap unmount_all EXIT

  host_mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
      sed -nE 's,^(URIs: *|deb +)([^ ]+/debian)( .*)?$,\2,p' | head -n 1 || true
  }
  mirror=${MIRROR:-$(host_mirror)}
  mirror=${mirror:-http://deb.debian.org/debian}

  stamp "debootstrap from $mirror"
  debootstrap --variant=minbase --arch=amd64 bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 30 "$work/debootstrap.log" >&2; exit 1; }
  mount -t proc proc "$root/proc"
  mount -t sysfs sys "$root/sys"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"

  # The main suites only: the security suite's i386 index can be out of step
  # with amd64 ("File has unexpected size ... Mirror sync in progress?"), and
  # then the amd64 and i386 halves of the shared libraries disagree and
  # wine32:i386 cannot be installed.
  printf 'deb %s bookworm main\ndeb %s bookworm-updates main\n' "$mirror" "$mirror" >"$root/etc/apt/sources.list"
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
  printf 'APT::Install-Recommends "false";\nAPT::Install-Suggests "false";\nAcquire::Retries "5";\n' \
    >"$root/etc/apt/apt.conf.d/90guest"
  # A small initramfs, only what a virtio disk and 9p shares need: the whole
  # set is five times bigger and slower to unpack under emulation.
  mkdir -p "$root/etc/initramfs-tools/conf.d"
  printf 'MODULES=list\nCOMPRESS=gzip\n' >"$root/etc/initramfs-tools/conf.d/guest.conf"
  printf '%s\n' virtio_pci virtio_blk virtio_console ext4 9p 9pnet_virtio >"$root/etc/initramfs-tools/modules"
  printf '%s\n' 'path-exclude /usr/share/doc/*' 'path-exclude /usr/share/man/*' \
    'path-exclude /usr/share/info/*' 'path-exclude /usr/share/locale/*' \
    'path-include /usr/share/locale/locale.alias' >"$root/etc/dpkg/dpkg.cfg.d/90guest-nodoc"

  in_root() { DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 chroot "$root" "$@"; }
  in_root dpkg --add-architecture i386
  stamp "apt-get update"
  for try in 1 2 3 4; do
    in_root apt-get update >>"$work/apt.log" 2>&1 && break
    [ "$try" = 4 ] && { tail -n 20 "$work/apt.log" >&2; exit 1; }
    sleep $((try * 15))
  done
  mapfile -t packages < <(sed 's/#.*//; /^ *$/d' "$here/packages.txt")
  stamp "apt-get install (${#packages[@]} packages)"
  in_root apt-get install -y "${packages[@]}" >>"$work/apt.log" 2>&1 ||
    { tail -n 40 "$work/apt.log" >&2; echo "guest: the packages above could not be installed" >&2; exit 1; }
  in_root dpkg-query -W -f='${Package}:${Architecture} ${Version}\n' >"$work/installed.txt"
  in_root apt-get clean
  rm -rf "$root"/var/lib/apt/lists/* "$root/usr/sbin/policy-rc.d"

  echo guest >"$root/etc/hostname"
  printf '127.0.0.1 localhost\n127.0.1.1 guest\n' >"$root/etc/hosts"
  mkdir -p "$root/mnt/ctl" "$root/opt/wineprefixes"
  # The guest's first process: mounts what a shell needs, the control share
  # and the shared folder (at the path it has on the host), runs the command
  # with its output in the control share, and powers off.
  cat >"$root/sbin/guest-init" <<'INIT'
#!/bin/sh
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export HOME=/root LANG=C.UTF-8 TERM=dumb
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts -o gid=5,mode=620 devpts /dev/pts
mount -t tmpfs -o mode=1777 tmpfs /dev/shm
mount -t tmpfs -o mode=1777 tmpfs /tmp
mount -t tmpfs -o mode=755 tmpfs /run
mount -o remount,rw /
ip link set lo up
hostname guest
modprobe 9pnet_virtio; modprobe 9p
options=trans=virtio,version=9p2000.L,msize=512000
mount -t 9p -o $options ctl /mnt/ctl || { echo "guest-init: no control share"; echo o >/proc/sysrq-trigger; }
share=$(cat /mnt/ctl/share)
mkdir -p "$share"
mount -t 9p -o $options,cache=loose host "$share" || echo "guest-init: cannot mount $share" >/mnt/ctl/out
. /mnt/ctl/env
cd "$share"
read up _ </proc/uptime
echo "guest-init: command starts ${up} s after boot" >/dev/console
bash /mnt/ctl/cmd >>/mnt/ctl/out 2>&1 </dev/null
echo $? >/mnt/ctl/rc.new && mv /mnt/ctl/rc.new /mnt/ctl/rc
cd /
sync
umount "$share" /mnt/ctl
echo o >/proc/sysrq-trigger
sleep 10
INIT
  chmod 755 "$root/sbin/guest-init"

  cp -L "$root/vmlinuz" "$work/vmlinuz"
  cp -L "$root/initrd.img" "$work/initrd.img"
  unmount_all
  used=$(du -sm "$root" | cut -f1)
  # Room for the three prefixes (Wine copies its DLLs into each) and the tests.
  size=$((used + 6144))
  stamp "root.img: $used MiB of files in $size MiB"
  truncate -s "${size}M" "$work/root.img"
  mkfs.ext4 -q -F -L guest -E lazy_itable_init=0,lazy_journal_init=0 -d "$root" "$work/root.img"
  rm -rf "$root"
  touch "$work/root-made"
}

[ -f "$work/root-made" ] || make_root

# wineboot takes a minute or more under emulation: once here, kept in the
# image, instead of on every run.
stamp "booting once to make the Wine prefixes"
share=$(mktemp -d)
VESPERIN_GUEST=$work VESPERIN_GUEST_PERSIST=1 VESPERIN_GUEST_TIMEOUT=3600 "$here/run.sh" "$share" '
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cd /opt/wineprefixes
  # A prefix is whole once marked made; a boot cut short leaves the rest.
  for dir in win32 win64 release; do [ -f $dir.made ] || rm -rf $dir $dir.log; done
  # One more try for a prefix whose making failed, then its log. A new
  # 64-bit prefix needs the 64-bit loader: Debian'"'"'s wine script takes the
  # 32-bit one, which cannot load the 64-bit kernel32 ("could not load
  # kernel32.dll, status c0000135").
  make_prefix() {
    local dir=/opt/wineprefixes/$1 arch=$2 loader=(wine) try
    [ "$arch" = win64 ] && loader=(env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
    for try in 1 2; do
      rm -rf "$dir"
      WINEPREFIX=$dir WINEARCH=$arch "${loader[@]}" wineboot --init >"$dir.log" 2>&1 \
        && WINEPREFIX=$dir wineserver --wait && [ -f "$dir/system.reg" ] && return 0
      echo "making $dir failed (try $try):"
      tail -n 20 "$dir.log"
      WINEPREFIX=$dir wineserver --kill 2>/dev/null
      sleep 5
    done
    return 1
  }
  for prefix in win32:win32 win64:win64; do
    start=$SECONDS
    [ -f ${prefix%:*}.made ] && continue
    make_prefix ${prefix%:*} ${prefix#*:} || exit 1
    touch ${prefix%:*}.made
    echo "prefix ${prefix%:*} (${prefix#*:}) made in $((SECONDS - start)) s," \
      "$(du -sm /opt/wineprefixes/${prefix%:*} | cut -f1) MiB"
  done
  # The release trial'"'"'s own fresh 32-bit prefix: a copy of one just made
  # is as fresh, in seconds instead of minutes.
  [ -f release.made ] || { cp -a win32 release && touch release.made; } || exit 1
  rm -f ./*.log
  sync' 2>&1 | tee -a "$log" >&2 || { rm -rf "$share"; echo "guest: making the prefixes failed" >&2; exit 1; }
rm -rf "$share"
stamp "image made ($(du -sm "$work/root.img" | cut -f1) MiB used)"
touch "$work/ready" "$work/last-used"
mv "$work" "$image"
echo "$image"
