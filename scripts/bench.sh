#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
for bench in build/bench/Bench*; do
  [ -x "$bench" ] && "$bench"
done
