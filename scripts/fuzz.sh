#!/usr/bin/env bash
# Fuzzes every reader of users' files for a bounded time each (default 60 s; give
# another number of seconds as the first argument) under AddressSanitizer and
# UndefinedBehaviorSanitizer. Installs clang (libFuzzer) itself. Findings are
# written to build-fuzz/findings/<target>/; the corpora grow in build-fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
if ! command -v clang++ >/dev/null; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y --no-install-recommends clang
fi
scripts/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DVANTREL_SANITIZE=ON -DVANTREL_FUZZ=ON -DVANTREL_BUILD_TESTS=OFF "${launcher[@]}"
cmake --build build-fuzz --target fuzz_targets vantrel-xlsread

# Seeds: the test data of each kind.
seed() {
  local target="$1"; shift
  mkdir -p "build-fuzz/corpus/$target"
  for file in "$@"; do
    [ -f "$file" ] && cp -n "$file" "build-fuzz/corpus/$target/" || true
  done
}
seed FuzzRtf tests/data/rtf/*.rtf tests/data/hostile/*.rtf
seed FuzzMemoSearch tests/data/rtf/*.rtf
seed FuzzCsv tests/data/workbooks/*.csv
seed FuzzWorkbookParts
seed FuzzCalendar tests/data/*.ics
seed FuzzLegacyXls tests/data/workbooks/*.xls tests/data/hostile/*.xls

export QT_QPA_PLATFORM=offscreen
export VANTREL_XLSREAD="$PWD/build-fuzz/Vantrel/vantrel-xlsread"
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
status=0
for target in FuzzRtf FuzzCsv FuzzWorkbookParts FuzzCalendar FuzzLegacyXls FuzzMemoSearch; do
  mkdir -p "build-fuzz/findings/$target"
  echo "== $target for ${seconds} s"
  # Each input gets 25 s, more than the .xls helper's own limit allows it.
  if ! "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=3000 \
      -max_len=65536 -artifact_prefix="build-fuzz/findings/$target/" \
      "build-fuzz/corpus/$target" 2>"build-fuzz/findings/$target.log"; then
    echo "$target found a fault; see build-fuzz/findings/$target.log"
    status=1
  fi
  tail -n 2 "build-fuzz/findings/$target.log"
done
exit "$status"
