#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [extra cmake options...]
set -euo pipefail
dir=$1; shift
# Paths relative to the checkout, so that another clone of it (CI's) finds the
# compiler cache this one filled.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
