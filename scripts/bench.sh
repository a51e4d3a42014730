#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figures, and target_ms is the
# time it must stay under on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh libbenchmark-dev
scripts/build.sh -DVANTREL_BUILD_BENCHMARKS=ON
for bench in build/bench/Bench*; do
  [ -x "$bench" ] && "$bench" --benchmark_counters_tabular=true
done
