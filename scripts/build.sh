#!/usr/bin/env bash
# Configures and builds the client, the stand-in portal and the tests into
# $BUILD_DIR (default ./build).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build "$build_dir" -j"$(nproc)"
