#!/usr/bin/env bash
# Runs the Windows test builds' CTest suites under Wine and Xvfb, three ways:
#   i686 on a 32-bit Windows     (a WINEARCH=win32 prefix: no WOW64, native layout)
#   i686 on a 64-bit Windows     (WOW64: the 64-bit-host layout)
#   x86_64 on a 64-bit Windows   (the 64-bit-host layout)
# CTest starts each test program through tools/wine-run.sh (the builds'
# CMAKE_CROSSCOMPILING_EMULATOR). Each way prints every program's totals and
# its own; the script fails when a test fails, crashes, hangs or prints no
# totals.
#   tools/wine-tests.sh I686_BUILD_DIR X86_64_BUILD_DIR PREFIX_DIR [EMULATED_BUILD_DIR]
# The fourth tree, a test build on the emulated device, runs only the tests
# labelled emulated-device (the windows that search the drives, play the disc
# and set the mixer, and the whole program operated end to end): an i686 tree
# on the 32-bit prefix and under WOW64 (VESPERIN_WINE_EMULATED_WOW64=0 leaves
# WOW64 out), an x86_64 tree on the 64-bit prefix; every other test runs in
# the first two trees.
# On a machine that runs 32-bit x86 programs only under emulation (see
# tools/host-i386.sh) Wine's 32-bit half is out of reach: the i686 ways are
# left out, and say so.
# The prefixes are made afresh under PREFIX_DIR on every run and thrown away
# with it.
# Environment:
#   VESPERIN_WINE_WAYS      the ways to run, of "i686-win32 i686-wow64 x86_64"
#                           (default: every way this machine runs)
#   VESPERIN_WINE_READY_PREFIXES=1   PREFIX_DIR/win32 and PREFIX_DIR/win64 are
#                           fresh prefixes made already (the guest's image
#                           holds them): used as they are
#   VESPERIN_WINE_LOGS      where the test output goes (default PREFIX_DIR/logs)
#   VESPERIN_WINE_SELECT    a CTest -R expression: only those tests of the first
#                           two trees run; "lean" is the lean set (the bridge's
#                           programs, the window framework and the windows':
#                           what the guest runs by default)
#   VESPERIN_WINE_SELECT_X86_64  the same for the x86_64 way alone (default:
#                           VESPERIN_WINE_SELECT)
#   VESPERIN_WINE_SUMMARY   a file that gets one line per way run:
#                           "label<TAB>passed<TAB>failed"
set -euo pipefail
tools_dir=$(cd "$(dirname "$0")" && pwd)
# Wine takes only absolute prefix paths.
absolute() { mkdir -p "$1" && (cd "$1" && pwd); }
i686_dir=$(absolute "$1") x86_64_dir=$(absolute "$2") prefix_dir=$(absolute "$3")
emulated_dir=
[ -z "${4:-}" ] || emulated_dir=$(absolute "$4")

export WINEDEBUG=-all
# No Mono or Gecko installer dialogs while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
# A test program that hangs is ended after this many seconds.
hang_timeout=${VESPERIN_WINE_TIMEOUT:-480}
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24")

make_prefix() {
  local dir=$1 arch=$2
  if [ "${VESPERIN_WINE_READY_PREFIXES:-0}" = 1 ]; then
    [ -f "$dir/system.reg" ] || { echo "No ready $arch prefix in $dir" >&2; return 1; }
    "$tools_dir/wine-unmanaged.sh" "$dir"
    return
  fi
  # A server left running from an earlier run would go on serving the
  # prefix that is about to be deleted.
  if [ -d "$dir" ]; then
    WINEPREFIX=$dir wineserver --kill 2>/dev/null || true
    WINEPREFIX=$dir wineserver --wait 2>/dev/null || true
  fi
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  if ! (unset DISPLAY WAYLAND_DISPLAY; WINEPREFIX=$dir WINEARCH=$arch wineboot --init) \
    >"$dir.boot.log" 2>&1; then
    echo "Making the $arch prefix $dir failed:" >&2
    cat "$dir.boot.log" >&2
    return 1
  fi
  # wineboot returns before the server has written the registry out.
  WINEPREFIX=$dir wineserver --wait
  "$tools_dir/wine-unmanaged.sh" "$dir"
}

# One program's totals from its log. Echoes "passed failed".
suite_line() {
  local log=$1 failed_in_ctest=$2 name passed failed skipped
  name=$(basename "$log" .log)
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -n 1)
  failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n 1)
  skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n 1)
  passed=${passed:-0} failed=${failed:-0}
  if [ "$failed_in_ctest" = 1 ] || ! grep -q '^\[==========\] .* ran\.' "$log"; then
    [ "$failed" -gt 0 ] || failed=1
  fi
  printf '  %-28s %4d passed, %d failed%s\n' "$name" "$passed" "$failed" \
    "${skipped:+ ($skipped skipped: see $log)}" >&2
  echo "$passed $failed"
}

# Every test of one build (or those CTest's further arguments select), in
# one prefix.
run_way() {
  local label=$1 build=$2 prefix=$3 arch=$4 wow64=$5
  shift 5
  local total_passed=0 total_failed=0 logs status=0 counts log name
  logs="$logs_dir/$(basename "$build")-$arch"
  rm -rf "$logs"
  mkdir -p "$logs/programs"
  echo "== $label" >&2
  # One program at a time: window tests share the one display and its
  # mouse. Each program's output lands in its own log for the summary.
  WINEPREFIX=$prefix WINEARCH=$arch VESPERIN_TEST_EXPECT_WOW64=$wow64 \
    VESPERIN_WINE_LOG_DIR="$logs/programs" \
    "${xvfb[@]}" ctest --test-dir "$build" --timeout "$hang_timeout" --output-on-failure "$@" \
    >"$logs/ctest.log" 2>&1 || status=$?
  # Tests CTest ran that are not Windows programs (checks of the build).
  local failed_tests
  failed_tests=$(sed -n 's/^\s*[0-9]* - \([^ ]*\) (.*/\1/p' "$logs/ctest.log")
  for log in "$logs"/programs/*.log; do
    [ -e "$log" ] || continue
    name=$(basename "$log" .log)
    counts=$(suite_line "$log" "$(grep -qx "$name" <<<"$failed_tests" && echo 1 || echo 0)")
    total_passed=$((total_passed + ${counts% *}))
    total_failed=$((total_failed + ${counts#* }))
  done
  # Tests that are no GoogleTest program (the end-to-end run) report
  # through CTest alone. A skipped test checked nothing: that fails too.
  local line
  while read -r line; do
    name=$(sed -n 's/.* Test *#[0-9]*: \([^ ]*\) .*/\1/p' <<<"$line")
    [ -n "$name" ] && [ ! -e "$logs/programs/$name.log" ] || continue
    printf '  %-28s %s\n' "$name" "$(sed 's/.*\.\.\.\** *//' <<<"$line")" >&2
    if grep -q 'Skipped' <<<"$line"; then
      total_failed=$((total_failed + 1))
    elif grep -q 'Passed' <<<"$line"; then
      total_passed=$((total_passed + 1))
    fi
  done < <(grep -E '^ *[0-9]+/[0-9]+ Test *#' "$logs/ctest.log")
  if [ "$status" -ne 0 ]; then
    echo "---- CTest ($label) exited with $status; failed: $(echo $failed_tests)" >&2
    sed -n '/The following tests FAILED/,$p' "$logs/ctest.log" >&2
    for name in $failed_tests; do
      echo "---- $name ($label):" >&2
      if [ -f "$logs/programs/$name.log" ]; then cat "$logs/programs/$name.log" >&2; else
        sed -n "/ Test: $name\$/,/^[0-9]*\/[0-9]* Test:/p" "$logs/ctest.log" >&2 || true; fi
    done
    [ "$total_failed" -gt 0 ] || total_failed=1
  fi
  grep -E '^[0-9]+% tests passed' "$logs/ctest.log" | sed 's/^/  ctest: /' >&2 || true
  echo "$label: $total_passed passed, $total_failed failed" >&2
  [ -z "${VESPERIN_WINE_SUMMARY:-}" ] ||
    printf '%s\t%d\t%d\n' "$label" "$total_passed" "$total_failed" >>"$VESPERIN_WINE_SUMMARY"
  # The drive diagnostic prints what Wine's WMI, registry and MCI show it;
  # anything but a finished run (0 found, 1 not found) is a failure.
  if [ -f "$build/bin/drivediag.exe" ]; then
    local diag_status=0
    echo "-- drivediag ($label):" >&2
    (cd "$build/bin" && unset DISPLAY WAYLAND_DISPLAY &&
      WINEPREFIX=$prefix WINEARCH=$arch timeout 120 wine ./drivediag.exe) \
      2>&1 | sed 's/\r$//; s/^/   /' >&2 || diag_status=$?
    if [ "$diag_status" -gt 1 ]; then
      echo "drivediag exited with $diag_status" >&2
      total_failed=$((total_failed + 1))
    fi
  fi
  [ "$total_failed" -eq 0 ]
}

i386=$("$tools_dir/host-i386.sh")
# The emulated-device tree's architecture, read off its program.
emulated_arch=
if [ -n "$emulated_dir" ]; then
  case "$(file -b "$emulated_dir/bin/Vesperin.exe" 2>/dev/null)" in
    "PE32+ executable"*x86-64*) emulated_arch=x86_64 ;;
    "PE32 executable"*80386*) emulated_arch=i686 ;;
    *) echo "No Windows Vesperin.exe in $emulated_dir/bin" >&2; exit 1 ;;
  esac
fi

logs_dir=${VESPERIN_WINE_LOGS:-$prefix_dir/logs}
mkdir -p "$logs_dir"
logs_dir=$(cd "$logs_dir" && pwd)

ways=${VESPERIN_WINE_WAYS:-x86_64}
[ -n "${VESPERIN_WINE_WAYS:-}" ] || [ "$i386" != native ] || ways="i686-win32 i686-wow64 x86_64"
runs() { grep -qw -- "$1" <<<"$ways"; }
if [ "$i386" != native ] && { runs i686-win32 || runs i686-wow64; }; then
  echo "This machine runs 32-bit x86 programs only $i386 (tools/host-i386.sh): no i686 way here" >&2
  exit 1
fi

prefixes=()
runs i686-win32 && prefixes+=("$prefix_dir/win32") && make_prefix "$prefix_dir/win32" win32
{ runs i686-wow64 || runs x86_64; } && prefixes+=("$prefix_dir/win64") &&
  make_prefix "$prefix_dir/win64" win64
echo "Wine prefixes ready in $prefix_dir; test output goes to $logs_dir" >&2

result=0
lean_set='^tst_(acpi_device_win32|acpi_bridge|alarm_bridge|vesperlink_emulated|vesperlink_win32|window_framework|startup|frmvesperin|frmsettime)$'
# CTest's arguments for a selection: none for every test.
selection() {
  case "$1" in
    "") ;;
    lean) printf '%s\n' -R "$lean_set" ;;
    *) printf '%s\n' -R "$1" ;;
  esac
}
mapfile -t select < <(selection "${VESPERIN_WINE_SELECT:-}")
mapfile -t select_x86_64 < <(selection "${VESPERIN_WINE_SELECT_X86_64-${VESPERIN_WINE_SELECT:-}}")
runs i686-win32 &&
  { run_way "i686 on 32-bit Windows" "$i686_dir" "$prefix_dir/win32" win32 0 "${select[@]}" || result=1; }
runs i686-wow64 && { run_way "i686 on 64-bit Windows (WOW64)" "$i686_dir" "$prefix_dir/win64" win64 1 \
  "${select[@]}" || result=1; }
if ! runs i686-win32 && ! runs i686-wow64; then
  echo "== LEFT OUT here: i686 on 32-bit Windows and under WOW64: this machine runs 32-bit x86" \
    "programs only $i386 (tools/host-i386.sh), and Wine's 32-bit half not at all; the guest" \
    "stage of tools/test.sh runs them" >&2
fi
runs x86_64 &&
  { run_way "x86_64 on 64-bit Windows" "$x86_64_dir" "$prefix_dir/win64" win64 0 \
    "${select_x86_64[@]}" || result=1; }
if [ "$emulated_arch" = x86_64 ]; then
  runs x86_64 && { run_way "x86_64 on the emulated device, 64-bit Windows" "$emulated_dir" \
    "$prefix_dir/win64" win64 0 -L emulated-device || result=1; }
elif [ -n "$emulated_arch" ]; then
  if ! runs i686-win32 && ! runs i686-wow64; then
    echo "== LEFT OUT: the i686 tree on the emulated device: no i686 way runs here" >&2
    result=1
  fi
  runs i686-win32 && { run_way "i686 on the emulated device, 32-bit Windows" "$emulated_dir" \
    "$prefix_dir/win32" win32 0 -L emulated-device || result=1; }
  if runs i686-wow64 && [ "${VESPERIN_WINE_EMULATED_WOW64:-1}" = 1 ]; then
    run_way "i686 on the emulated device, 64-bit Windows (WOW64)" "$emulated_dir" \
      "$prefix_dir/win64" win64 1 -L emulated-device || result=1
  fi
fi

for dir in "${prefixes[@]}"; do
  WINEPREFIX=$dir wineserver --kill 2>/dev/null || true
done
exit "$result"
