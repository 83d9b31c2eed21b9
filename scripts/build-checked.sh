#!/usr/bin/env bash
# Configures and builds the checked tree, build-asan: the core, its tests and
# the fuzz targets with clang, AddressSanitizer, UndefinedBehaviorSanitizer and
# libFuzzer's coverage hooks, at -O1 with the core's assertions on. One tree
# serves both the sanitizer test run and the fuzzing (scripts/fuzz.sh), so
# the core is compiled once for both.
set -euo pipefail
cd "$(dirname "$0")/.."
exec scripts/build.sh build-asan -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DQV_SANITIZE=ON -DQV_FUZZ=ON -DQV_BUILD_GUI=OFF -DQV_BUILD_BENCH=OFF "$@"
