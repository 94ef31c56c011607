#!/usr/bin/env bash
# Installs, builds ./build-asan with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite there with leak detection on.
set -euo pipefail
cd "$(dirname "$0")/.."
export BUILD_DIR=build-asan
# The web engine leaves its signal handlers to ASan (a SIGSEGV in a test with
# the engine running still gets ASan's report), so leak detection is all it needs.
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions='$(pwd)/tests/sanitize/lsan.supp'"
# Without halt_on_error, undefined behaviour is only printed and the test passes.
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# No GLX: Qt would load Mesa's GL driver for the web engine and unload it at exit,
# and the leak checker cannot name the driver's unfreed blocks after that. The
# engine draws in software here either way (--disable-gpu).
export QT_XCB_GL_INTEGRATION=none
bash scripts/test.sh -DKORVO_SANITIZE=ON
