#!/usr/bin/env bash
# Configures and builds Vantrel; the delivered program folder is build/Vantrel.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build
