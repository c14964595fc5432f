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

qemu=$(command -v qemu-i386-static || true)

# The smallest 32-bit x86 program: an ELF header, one program header and
# "mov eax,1; mov ebx,42; int 0x80", which exits with 42. It needs nothing
# installed, so the answer is the kernel's own, before any i386 package is.
# A qemu-i386 registered with the kernel's binfmt_misc would run it too, but
# Wine's 32-bit half does not run that way, so such a machine is not native.
probe_elf='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'\
'\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'\
'\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'

kernel_runs_i386() {
  local f rc=0
  grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386 && return 1
  f=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX") || return 1
  printf "$probe_elf" >"$f" && chmod +x "$f" && { "$f" 2>/dev/null || rc=$?; }
  rm -f "$f"
  [ "$rc" = 42 ]
}

state() {
  if kernel_runs_i386; then
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
