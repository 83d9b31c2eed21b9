#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in the
# normal build (the window tests in parallel, on a pool of displays), once in
# the checked build (clang with AddressSanitizer and UndefinedBehaviorSanitizer),
# then each fuzz target for a few seconds from that same checked build.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)
scripts/deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure --parallel "$jobs")
scripts/build-checked.sh
(cd build-asan && ctest --output-on-failure --parallel "$jobs")
QV_FUZZ_BUILT=1 scripts/fuzz.sh
