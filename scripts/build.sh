#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [extra cmake options...]
set -euo pipefail
dir=$1; shift
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
