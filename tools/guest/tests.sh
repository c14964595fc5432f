#!/usr/bin/env bash
# The i686 Windows tests, run where Wine has its 32-bit half: in the guest
# (tools/test.sh guest boots it with tools/guest/run.sh and runs this from
# the work tree, shared at the same path), or on a machine that runs 32-bit
# x86 programs itself.
#   tools/guest/tests.sh RESULTS I686_TREE EMULATED_TREE RELEASE SHIPPED_EMULATED
# I686_TREE and EMULATED_TREE are the i686 test builds of tools/test.sh's wine
# stage (on the driver, and on the emulated notebook); RELEASE is what
# tools/release.sh made, SHIPPED_EMULATED the same programs it built on the
# emulated notebook. In each way of VESPERIN_GUEST_WAYS (default
# "i686-win32 i686-wow64": a 32-bit prefix, and WOW64 in a 64-bit one):
#   - both test trees, by tools/wine-tests.sh;
#   - the shipped build end to end: the panel, the music selection and
#     options dialogs and what they write to the firmware
#     (tests/app/windows/e2e_music_options.sh), and on 32-bit Windows the
#     three dialogs opened in turn and photographed (tools/screenshots.sh);
# and once the release's trial (packaging/test-release.sh) in a fresh 32-bit
# prefix. RESULTS gets the logs, the pictures and summary.txt, one line for
# each way and the trial, which tools/test.sh prints last.
# VESPERIN_GUEST_PARTS (default "trees shipped release") picks what runs.
# Under emulation a test program takes 8 to 75 s, so the driver tree runs a
# lean set by default: the bridge, the window framework and the windows'
# programs (with the emulated tree's two dialogs and the end-to-end run, the
# five windows); VESPERIN_GUEST_SELECT=all runs all of it, or names a CTest -R
# expression.
# Prefixes: the guest's image holds fresh ones in /opt/wineprefixes; elsewhere
# they are made under RESULTS.
set -uo pipefail
[ $# -eq 5 ] || { sed -n '2,22p' "$0" >&2; exit 2; }
here=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$1"
results=$(cd "$1" && pwd) i686_tree=$2 emulated_tree=$3 release=$4 shipped=$(realpath "$5")
ways=${VESPERIN_GUEST_WAYS-i686-win32 i686-wow64}
where=${VESPERIN_GUEST_WHERE:-, in the guest}
parts=${VESPERIN_GUEST_PARTS:-trees shipped release}
select=${VESPERIN_GUEST_SELECT:-lean}
[ "$select" = all ] && select=
part() { grep -qw "$1" <<<"$parts"; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$results/logs" "$results/screenshots"
tsv=$results/ways.tsv summary=$results/summary.txt
: >"$tsv"
: >"$summary"
status=0

ready=/opt/wineprefixes
prefixes=$ready
if [ ! -f "$ready/win32/system.reg" ]; then
  prefixes=$results/prefixes
  ready=
fi

if part trees && [ -n "$ways" ]; then
  echo "== the i686 test trees ($ways)"
  VESPERIN_WINE_WAYS=$ways VESPERIN_WINE_SELECT=$select VESPERIN_WINE_READY_PREFIXES=$([ -n "$ready" ] && echo 1 || echo 0) \
    VESPERIN_WINE_LOGS=$results/logs VESPERIN_WINE_SUMMARY=$tsv \
    "$here/tools/wine-tests.sh" "$i686_tree" "$results/no-x86_64-tree" "$prefixes" \
    "$emulated_tree" || status=1
fi
mkdir -p "$results/logs" "$prefixes"
# Where the test trees did not make them, the prefixes are made here (Wine
# makes a prefix's own folder, not the folders above it).
for arch in win32 win64; do
  [ -f "$prefixes/$arch/system.reg" ] && continue
  (unset DISPLAY; WINEPREFIX=$prefixes/$arch WINEARCH=$arch wineboot --init >/dev/null 2>&1)
  WINEPREFIX=$prefixes/$arch wineserver --wait
  "$here/tools/wine-unmanaged.sh" "$prefixes/$arch"
done

# The shipped build on the emulated notebook, operated as a user would.
shipped_way() {
  local label=$1 prefix=$2 log
  log=$results/logs/shipped-$(basename "$prefix").log
  echo "== $label"
  if WINEPREFIX=$prefix "$here/tests/app/windows/e2e_music_options.sh" "$shipped/Vesperin.exe" \
    "$prefix" >"$log" 2>&1; then
    printf '%s\t1\t0\n' "$label" >>"$tsv"
    sed 's/^/  /' "$log"
  else
    printf '%s\t0\t1\n' "$label" >>"$tsv"
    sed 's/^/  /' "$log"
    status=1
  fi
  WINEPREFIX=$prefix wineserver --kill 2>/dev/null || true
}
if part shipped && grep -qw i686-win32 <<<"$ways"; then
  shipped_way "the shipped build end to end, 32-bit Windows" "$prefixes/win32"
  echo "== the shipped build's three dialogs, 32-bit Windows"
  if WINEPREFIX=$prefixes/win32 VESPERIN_SCREENSHOTS_PREFIX=$prefixes/win32 \
    "$here/tools/screenshots.sh" "$shipped" "$results/screenshots" 2>&1 | sed 's/^/  /'; then
    printf '%s\t1\t0\n' "the shipped build's three dialogs, 32-bit Windows" >>"$tsv"
  else
    printf '%s\t0\t1\n' "the shipped build's three dialogs, 32-bit Windows" >>"$tsv"
    status=1
  fi
  WINEPREFIX=$prefixes/win32 wineserver --kill 2>/dev/null || true
fi
part shipped && grep -qw i686-wow64 <<<"$ways" &&
  shipped_way "the shipped build end to end, 64-bit Windows (WOW64)" "$prefixes/win64"

if part release; then
  echo "== the release, installed and removed in a fresh 32-bit prefix"
  release_prefix=
  [ -z "$ready" ] || release_prefix=$ready/release
  if VESPERIN_RELEASE_PREFIX=$release_prefix VESPERIN_READ_BOX_TEXT=$results/read-box-text.exe \
    "$here/packaging/test-release.sh" "$release" 2>&1 | sed 's/^/  /'; then
    echo "the release trial (32-bit Windows)$where: passed" >>"$summary"
  else
    echo "the release trial (32-bit Windows)$where: FAILED" >>"$summary"
    status=1
  fi
fi

# One line for each way: every program and run of it added up.
way_line() {
  local way=$1 pattern=$2 title=$3 passed failed parts
  if ! grep -qw "$way" <<<"$ways"; then
    echo "$title: LEFT OUT, as asked (VESPERIN_GUEST_WAYS=\"$ways\")"
    return
  fi
  read -r passed failed < <(awk -F'\t' -v p="$pattern" '$1 ~ p { a += $2; b += $3 } END { print a + 0, b + 0 }' "$tsv")
  parts=$(awk -F'\t' -v p="$pattern" '$1 ~ p { printf "%s%s: %d/%d", sep, $1, $2, $2 + $3; sep = "; " }' "$tsv")
  [ "$passed" -gt 0 ] || { failed=$((failed + 1)); status=1; }
  [ "$failed" -eq 0 ] || status=1
  echo "$title$where: $passed passed, $failed failed ($parts)"
}
{
  way_line i686-win32 '32-bit Windows' "i686 on 32-bit Windows"
  way_line i686-wow64 'WOW64' "i686 on 64-bit Windows (WOW64)"
} >>"$summary.ways"
cat "$summary" >>"$summary.ways" && mv "$summary.ways" "$summary"
exit "$status"
