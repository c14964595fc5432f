#!/usr/bin/env bash
# Configures and builds one build tree: tools/build.sh DIR [cmake options...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$here/$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$here/$dir"
