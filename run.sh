#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build -DQV_BUILD_GUI=ON
if [[ -x build/bin/quorvelis ]]; then
    exec build/bin/quorvelis "$@"
fi
echo "run.sh: the build ended without making build/bin/quorvelis; see the build's messages above." >&2
echo "run.sh: removing the build folder (rm -rf build) and running ./run.sh again starts afresh." >&2
exit 1
