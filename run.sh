#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build
if [[ -x build/bin/quorvelis ]]; then
    exec build/bin/quorvelis "$@"
fi
cat <<'MSG'
Built the settings core (document, settings file, transfer image, value texts)
and the three language modules in build/bin. The desktop window is not part of
this build yet, so there is nothing to start; ./test.sh runs everything built.
MSG
