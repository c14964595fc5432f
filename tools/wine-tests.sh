#!/usr/bin/env bash
# Runs the Windows builds' test programs under Wine, three ways:
#   i686 on a 32-bit Windows     (a WINEARCH=win32 prefix: no WOW64, native layout)
#   i686 on a 64-bit Windows     (WOW64: the 64-bit-host layout)
#   x86_64 on a 64-bit Windows   (the 64-bit-host layout)
# Each way prints every suite's totals and its own; the script fails when a
# suite fails, crashes or prints no totals.
#   tools/wine-tests.sh I686_BUILD_DIR X86_64_BUILD_DIR PREFIX_DIR
# The prefixes are made afresh under PREFIX_DIR on every run and thrown away
# with it.
set -euo pipefail
# Wine takes only absolute prefix paths.
absolute() { mkdir -p "$1" && (cd "$1" && pwd); }
i686_dir=$(absolute "$1") x86_64_dir=$(absolute "$2") prefix_dir=$(absolute "$3")

export WINEDEBUG=-all
# No Mono or Gecko installer dialogs while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's own windows (there are none here) would need a display.
unset DISPLAY WAYLAND_DISPLAY

make_prefix() {
  local dir=$1 arch=$2
  # A server left running from an earlier run would go on serving the
  # prefix that is about to be deleted.
  if [ -d "$dir" ]; then
    WINEPREFIX=$dir wineserver --kill 2>/dev/null || true
    WINEPREFIX=$dir wineserver --wait 2>/dev/null || true
  fi
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  if ! WINEPREFIX=$dir WINEARCH=$arch wineboot --init >"$dir.boot.log" 2>&1; then
    echo "Making the $arch prefix $dir failed:" >&2
    cat "$dir.boot.log" >&2
    return 1
  fi
  # wineboot returns before the server has written the registry out.
  WINEPREFIX=$dir wineserver --wait
}

# One test program: its totals on one line, its whole output when it fails.
# Echoes "passed failed" for the caller's sums.
run_suite() {
  local label=$1 prefix=$2 arch=$3 wow64=$4 exe=$5 logs=$6
  local name log status passed failed skipped
  name=$(basename "$exe" .exe)
  log="$logs/$name.log"
  status=0
  (cd "$(dirname "$exe")" &&
    WINEPREFIX=$prefix WINEARCH=$arch VESPERIN_TEST_EXPECT_WOW64=$wow64 \
      timeout 300 wine "./$name.exe" --gtest_color=no) >"$log" 2>&1 || status=$?
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -n 1)
  failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n 1)
  skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n 1)
  passed=${passed:-0} failed=${failed:-0}
  if [ "$status" -ne 0 ] || ! grep -q '^\[==========\] .* ran\.' "$log"; then
    [ "$failed" -gt 0 ] || failed=1
    {
      echo "---- $name ($label) exited with $status; its output:"
      cat "$log"
      echo "----"
    } >&2
  fi
  printf '  %-28s %4d passed, %d failed%s\n' "$name" "$passed" "$failed" \
    "${skipped:+ ($skipped skipped: see $log)}" >&2
  echo "$passed $failed"
}

# Every test program of one build, in one prefix.
run_way() {
  local label=$1 build=$2 prefix=$3 arch=$4 wow64=$5
  local total_passed=0 total_failed=0 exe counts logs
  logs="$prefix_dir/logs/$(basename "$build")-$arch"
  rm -rf "$logs"
  mkdir -p "$logs"
  echo "== $label" >&2
  for exe in "$build"/bin/tst_*.exe; do
    counts=$(run_suite "$label" "$prefix" "$arch" "$wow64" "$exe" "$logs")
    total_passed=$((total_passed + ${counts% *}))
    total_failed=$((total_failed + ${counts#* }))
  done
  echo "$label: $total_passed passed, $total_failed failed" >&2
  # The drive diagnostic prints what Wine's WMI, registry and MCI show it;
  # anything but a finished run (0 found, 1 not found) is a failure.
  if [ -f "$build/bin/drivediag.exe" ]; then
    local status=0
    echo "-- drivediag ($label):" >&2
    (cd "$build/bin" && WINEPREFIX=$prefix WINEARCH=$arch timeout 120 wine ./drivediag.exe) \
      2>&1 | sed 's/\r$//; s/^/   /' >&2 || status=$?
    if [ "$status" -gt 1 ]; then
      echo "drivediag exited with $status" >&2
      total_failed=$((total_failed + 1))
    fi
  fi
  [ "$total_failed" -eq 0 ]
}

make_prefix "$prefix_dir/win32" win32
make_prefix "$prefix_dir/win64" win64
echo "Wine prefixes made in $prefix_dir; test output goes to $prefix_dir/logs" >&2

result=0
run_way "i686 on 32-bit Windows" "$i686_dir" "$prefix_dir/win32" win32 0 || result=1
run_way "i686 on 64-bit Windows (WOW64)" "$i686_dir" "$prefix_dir/win64" win64 1 || result=1
run_way "x86_64 on 64-bit Windows" "$x86_64_dir" "$prefix_dir/win64" win64 0 || result=1

for dir in "$prefix_dir/win32" "$prefix_dir/win64"; do
  WINEPREFIX=$dir wineserver --kill 2>/dev/null || true
done
exit "$result"
