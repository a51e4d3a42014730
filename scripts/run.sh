#!/usr/bin/env bash
# Installs what Vantrel needs, builds it and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/Vantrel/vantrel
