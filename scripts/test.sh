#!/usr/bin/env bash
# Installs what Vantrel needs, builds it, checks the format and runs every test
# without a display; then builds the readers of users' files and their tests under
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan) and runs those.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cmake --build build --target format-check
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel 2

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Only the data and office layers, the .xls helper and the reader tests are built.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=ON \
  "${launcher[@]}"
cmake --build build-asan --target sanitized_tests
ctest --test-dir build-asan --output-on-failure --parallel 2
