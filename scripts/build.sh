#!/usr/bin/env bash
# Configures and builds the client, the stand-in portal and the tests into ./build.
# KORVO_CMAKE_ARGS adds configure options (CI: -DKORVO_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" ${KORVO_CMAKE_ARGS:-} "$@"
cmake --build build -j"$(nproc)"
