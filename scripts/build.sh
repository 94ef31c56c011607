#!/usr/bin/env bash
# Configures and builds the client, the stand-in portal and the tests into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build build -j"$(nproc)"
