#!/usr/bin/env bash
# Installs what Vantrel needs, builds it and starts it in its run folder: run/
# beside the checkout, or the folder named as the first argument. The build
# never writes there, so the user's data survives every rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-run}
scripts/install-deps.sh
scripts/build.sh
scripts/run-folder.sh build/Vantrel "$folder"
exec "$folder/vantrel" --program-folder "$folder"
