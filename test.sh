#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in the
# normal build, once with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure --parallel "$(nproc)")
scripts/build.sh build-asan -DQV_SANITIZE=ON -DQV_BUILD_GUI=OFF -DQV_BUILD_BENCH=OFF
(cd build-asan && ctest --output-on-failure --parallel "$(nproc)")
scripts/fuzz.sh
