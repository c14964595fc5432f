#!/usr/bin/env bash
# Runs the libFuzzer targets of a build tree, each for a bounded time:
#   tools/fuzz-targets.sh DIR [SECONDS [TARGET...]]
# Without targets, every one that tests/fuzz holds a source for must have
# been built, and all of them run. Each starts from the corpus it grew
# before (DIR/corpus/NAME) and the seeds kept in tests/fuzz/corpus/NAME,
# with tests/fuzz/dict/NAME.dict where its input has keywords.
#
# Any finding fails: a crash, a trap, every sanitizer report (the targets
# are built so that none recovers, and the options below halt on one), a
# leak, or an input slower than 10 s. A failing target's whole report is
# printed and its input kept as DIR/NAME-crash-*; a passing one prints its
# runs and coverage.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
dir=$1
seconds=${2:-30}
shift $(($# < 2 ? $# : 2))
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in tests/fuzz/fuzz_*.cpp; do
    [ -f "$source" ] && names+=("$(basename "$source" .cpp)")
  done
fi
if [ ${#names[@]} -eq 0 ]; then
  echo "fuzz: no targets in tests/fuzz" >&2
  exit 1
fi
for name in "${names[@]}"; do
  if [ ! -x "$dir/bin/$name" ]; then
    echo "fuzz: $name was not built in $dir (is the compiler clang?)" >&2
    exit 1
  fi
done

export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
# What marks a report, should a target ever print one and still exit 0.
report='runtime error:|ERROR: [A-Za-z]*Sanitizer|ERROR: libFuzzer|SUMMARY: [A-Za-z]*Sanitizer'

mkdir -p "$dir/fuzz-logs"
started=$SECONDS
failed=()
for name in "${names[@]}"; do
  log=$dir/fuzz-logs/$name.log
  mkdir -p "$dir/corpus/$name"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
           -artifact_prefix="$dir/$name-")
  [ -f "tests/fuzz/dict/$name.dict" ] && options+=(-dict="tests/fuzz/dict/$name.dict")
  corpora=("$dir/corpus/$name")
  [ -d "tests/fuzz/corpus/$name" ] && corpora+=("tests/fuzz/corpus/$name")
  echo "== $name for $seconds s"
  status=0
  "$dir/bin/$name" "${options[@]}" "${corpora[@]}" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ] || grep -Eq "$report" "$log"; then
    # The whole report, without libFuzzer's progress lines.
    grep -Ev '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|INITED)' "$log" || true
    echo "!! $name failed (exit status $status); its log is $log"
    failed+=("$name")
    continue
  fi
  seeds=$(sed -n 's/^INFO: seed corpus: files: \([0-9]*\).*/\1/p' "$log" | head -n 1)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)
  coverage=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  features=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
  corpus=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$done_line")
  echo "   $name: ${runs:-?} runs, coverage ${coverage:-?} edges (${features:-?} features)," \
    "corpus ${corpus:-?} inputs (${seeds:-?} loaded at the start)"
done
echo "fuzz: ${#names[@]} targets in $((SECONDS - started)) s"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}" >&2
  exit 1
fi
