#!/usr/bin/env bash
# Configures and builds one build tree:
#   tools/build.sh DIR [cmake options...] [-- targets...]
# Without targets after "--", everything is built.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
options=() targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = -- ]; then shift; targets=(--target "$@"); break; fi
  options+=("$1"); shift
done
launcher=()
# Paths inside the tree are hashed relative to it, so that another checkout
# (a worktree, the CI clone) reuses the same cache entries.
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$here/$dir" -G Ninja "${launcher[@]}" "${options[@]}" >/dev/null
cmake --build "$here/$dir" "${targets[@]}"
