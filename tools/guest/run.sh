#!/usr/bin/env bash
# Boots the guest tools/guest/make.sh made, runs one command in it with bash,
# powers it off, and exits with the command's status:
#   tools/guest/run.sh FOLDER COMMAND
# FOLDER is shared into the guest read-write over 9p at the same path, and
# the command starts there; its output shows here as it runs. The guest is
# qemu-system-x86_64 with software emulation (multi-threaded TCG), booted
# from a throw-away snapshot of the image: every run starts from the same
# fresh prefixes, and nothing it writes outside FOLDER stays.
# Environment:
#   VESPERIN_GUEST          the image's folder (default: the one make.sh names)
#   VESPERIN_GUEST_SMP=2 VESPERIN_GUEST_MEM=4G   virtual CPUs and memory
#   VESPERIN_GUEST_CPU=max,-smap   QEMU 7.2 emulates SMAP's 32-bit return path
#                           wrongly, and every 32-bit process would crash the
#                           guest's kernel
#   VESPERIN_GUEST_TIMEOUT=3600    seconds before the guest is stopped (exit 124)
#   VESPERIN_GUEST_PASS="A B"      variables of these names go into the guest
#   VESPERIN_GUEST_PERSIST=1       write into the image itself (make.sh does)
#   VESPERIN_GUEST_CONSOLE=FILE    keep the guest's console there
# Exit: the command's; 124 timed out; 125 the guest gave no status.
set -uo pipefail
[ $# -eq 2 ] || { sed -n '2,22p' "$0" >&2; exit 2; }
share=$(cd "$1" && pwd) || exit 2
command=$2
here=$(cd "$(dirname "$0")" && pwd)
guest=${VESPERIN_GUEST:-$("$here/make.sh" --check)} ||
  { echo "guest: no image in $guest yet: run tools/guest/make.sh" >&2; exit 2; }
for file in vmlinuz initrd.img root.img; do
  [ -f "$guest/$file" ] || { echo "guest: $guest/$file is missing" >&2; exit 2; }
done
touch "$guest/last-used" 2>/dev/null || true

ctl=$(mktemp -d "${TMPDIR:-/tmp}/vesperin-guest.XXXXXX")
qemu=
cleanup() {
  [ -n "$qemu" ] && kill "$qemu" 2>/dev/null
  rm -rf "$ctl"
}
trap cleanup EXIT
printf '%s\n' "$command" >"$ctl/cmd"
printf '%s\n' "$share" >"$ctl/share"
: >"$ctl/out"
for name in ${VESPERIN_GUEST_PASS:-}; do
  [ -n "${!name+set}" ] && printf 'export %s=%q\n' "$name" "${!name}"
done >"$ctl/env"
console=${VESPERIN_GUEST_CONSOLE:-$ctl/console.log}

snapshot=on
[ "${VESPERIN_GUEST_PERSIST:-0}" = 1 ] && snapshot=off
append="console=ttyS0 root=/dev/vda rootfstype=ext4 rw init=/sbin/guest-init quiet loglevel=3
panic=-1 mitigations=off nopti fsck.mode=skip no_timer_check 8250.nr_uarts=1 nmi_watchdog=0
nowatchdog audit=0 apparmor=0 selinux=0"
started=$SECONDS
timeout -k 10 "${VESPERIN_GUEST_TIMEOUT:-3600}" qemu-system-x86_64 \
  -accel tcg,thread=multi,tb-size=1024 -smp "${VESPERIN_GUEST_SMP:-2}" \
  -m "${VESPERIN_GUEST_MEM:-4G}" -cpu "${VESPERIN_GUEST_CPU:-max,-smap}" \
  -machine q35 -nodefaults -no-user-config -display none -no-reboot -serial "file:$console" \
  -kernel "$guest/vmlinuz" -initrd "$guest/initrd.img" -append "${append//$'\n'/ }" \
  -drive "file=$guest/root.img,if=virtio,format=raw,cache=unsafe,snapshot=$snapshot" \
  -virtfs "local,path=$ctl,mount_tag=ctl,security_model=none,id=ctl" \
  -virtfs "local,path=$share,mount_tag=host,security_model=none,id=host" \
  </dev/null >"$ctl/qemu.log" 2>&1 &
qemu=$!
# The command's output, as the guest writes it.
tail -n +1 -F --pid="$qemu" "$ctl/out" 2>/dev/null
wait "$qemu"
status=$?
qemu=
booted=$(sed -n 's/.*guest-init: command starts \([0-9.]*\) s after boot.*/\1/p' "$console")
echo "guest: ${booted:-?} s to boot, $((SECONDS - started)) s in all" >&2
if [ "$status" = 124 ] || [ "$status" = 137 ]; then
  echo "guest: stopped after ${VESPERIN_GUEST_TIMEOUT:-3600} s; the console's end:" >&2
  tail -n 20 "$console" >&2
  exit 124
fi
if [ ! -s "$ctl/rc" ]; then
  echo "guest: the command gave no status; qemu said and the console's end:" >&2
  cat "$ctl/qemu.log" >&2
  tail -n 30 "$console" >&2
  exit 125
fi
exit "$(cat "$ctl/rc")"
