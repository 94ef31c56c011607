#!/usr/bin/env bash
# Installs, builds and runs the whole test suite. Widget and web tests need a
# display: without one the suite runs under Xvfb. BUILD_DIR (default build)
# names the build tree; arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh "$@"
export QTWEBENGINE_DISABLE_SANDBOX=1
run=(ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2 --timeout 600)
# A desktop session always has a session bus. Without one, the first program
# that asks for it (Qt's accessibility bridge does as its event loop starts)
# has libdbus try to launch one, and that attempt can hang for good on a busy
# machine: the suite gets a bus of its own.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    run=(dbus-run-session -- "${run[@]}")
fi
if [ -n "${DISPLAY:-}" ]; then
    "${run[@]}"
else
    xvfb-run -a -s "-screen 0 1920x1080x24" "${run[@]}"
fi
