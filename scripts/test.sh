#!/usr/bin/env bash
# Installs what Vantrel needs, builds it, checks the format and runs every test
# without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cmake --build build --target format-check
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel 2
