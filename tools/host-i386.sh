#!/usr/bin/env bash
# Says how this Linux machine runs 32-bit x86 programs, which the m32 stage's
# tests and Wine's 32-bit half (every i686 Windows program) need:
#   tools/host-i386.sh              prints "native", "emulated" or "none"
#   tools/host-i386.sh --run CMD... runs CMD so that the 32-bit programs it
#                                   starts run: at once where the kernel runs
#                                   them, under qemu-i386 where it does not
# Some kernels are built or started without their 32-bit entry (exec answers
# "Exec format error"). qemu then runs the plain 32-bit test programs, in a
# user and mount namespace of their own with a private binfmt_misc that hands
# them to qemu-i386: nothing outside CMD changes. Wine's 32-bit half does not
# run under qemu (making a prefix ran ten minutes, then qemu stopped with a
# segmentation fault), so the stages that need 32-bit Wine leave those ways
# out where the answer is not "native".
set -euo pipefail

# Any 32-bit program of the system will do; Wine's own loader is installed
# with wine32:i386.
probe=/usr/lib/wine/wine
qemu=$(command -v qemu-i386-static || true)

state() {
  if [ -x "$probe" ] && "$probe" --version >/dev/null 2>&1; then
    echo native
  elif [ -n "$qemu" ] && command -v unshare >/dev/null; then
    echo emulated
  else
    echo none
  fi
}

# The ELF header of a 32-bit x86 executable or shared object; F opens the
# interpreter at once, so it serves every program of the namespace.
register_qemu='
  binfmt=/proc/sys/fs/binfmt_misc
  mount -t binfmt_misc binfmt_misc "$binfmt"
  printf ":qemu-i386:M::%s:%s:%s:F\n" \
    "\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00" \
    "\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff" \
    "$0" >"$binfmt/register"
  shift
  exec "$@"'

case "${1:-}" in
  "") state ;;
  --run)
    shift
    case "$(state)" in
      native) exec "$@" ;;
      emulated)
        echo "This kernel runs no 32-bit x86 program: they run under qemu-i386 here." >&2
        exec unshare --user --map-root-user --mount bash -c "$register_qemu" "$qemu" -- "$@" ;;
      *)
        echo "host-i386: this kernel runs no 32-bit x86 program and qemu-i386-static" \
          "(package qemu-user-static) is missing" >&2
        exit 1 ;;
    esac ;;
  *) echo "usage: tools/host-i386.sh [--run COMMAND...]" >&2; exit 2 ;;
esac
