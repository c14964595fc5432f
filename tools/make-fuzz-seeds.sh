#!/usr/bin/env bash
# Writes the fuzz targets' seeds (tests/fuzz/corpus/fuzz_*/) anew from the
# emulated notebook's own answers, with the native build's seed maker:
#   tools/make-fuzz-seeds.sh
# Run it when a target's input format or the notebook's answers change, and
# check the seeds in with the change.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESPERIN_WERROR=ON -DVESPERIN_BENCH=ON \
  -- make_fuzz_seeds
build/bin/make_fuzz_seeds tests/fuzz/corpus
ls -l tests/fuzz/corpus/*
