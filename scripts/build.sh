#!/usr/bin/env bash
# Configures and builds the client, the stand-in portal and the tests into
# $BUILD_DIR (default ./build). KORVO_CMAKE_ARGS adds configure options (CI:
# -DKORVO_WERROR=ON); arguments go to the configure step too.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" ${KORVO_CMAKE_ARGS:-} "$@"
cmake --build "$build_dir" -j"$(nproc)"
