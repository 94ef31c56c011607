#!/usr/bin/env bash
# The program users start is a launcher: a second start decides and hands its
# address over with Qt's core and network libraries alone, never loading the
# client module, the window system or the web engine; the first loads the
# client and shows its home views.
# Usage: check_launcher.sh <build-dir>
set -euo pipefail
bin=$1/bin
work=$(mktemp -d)
first=
# The client ends on SIGTERM as on its own exit, writing into its folder: wait for it.
cleanup() { [ -z "$first" ] || { kill "$first" 2>/dev/null; wait "$first" 2>/dev/null; } || true; rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for heavy in libQt5Gui libQt5Widgets libQt5WebEngineCore libQt5Sql; do
    ! ldd "$bin/KorvoClient" | grep -q "$heavy" || fail "the launcher links $heavy"
done

# A copy of its own: private meeting folder and data, a portal that is not there.
export QTWEBENGINE_DISABLE_SANDBOX=1 KORVO_APP_DIR="$work/app" XDG_RUNTIME_DIR="$work/run"
export KORVO_PORTAL_HOST=127.0.0.1:9 KORVO_H5_HOST=127.0.0.1:9
mkdir -p "$KORVO_APP_DIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"
cp -r "$bin/icons_Korvo" "$bin/style" "$bin/favicons" "$KORVO_APP_DIR/"

KORVO_STARTUP_PROBE=stay "$bin/KorvoClient" >"$work/first.out" 2>"$work/first.err" &
first=$!
for _ in $(seq 600); do
    grep -q '^loaded' "$work/first.out" && break
    kill -0 "$first" 2>/dev/null || break
    sleep 0.1
done
grep -q '^loaded' "$work/first.out" || { fail "the first start never loaded its home views"; tail -n 20 "$work/first.err"; }

# Ending at once with success means the running copy took the address: a copy
# that could not hand over would start a client of its own and stay.
status=0
LD_DEBUG=files timeout 20 "$bin/KorvoClient" "korvo://play?account=nobody&host=xianxia&server=101" \
    >/dev/null 2>"$work/second.err" || status=$?
[ "$status" -eq 0 ] || fail "the second start ended with $status"
for heavy in korvo-client.so libQt5Gui libQt5WebEngineCore; do
    ! grep -q "file=.*$heavy" "$work/second.err" || fail "the second start loaded $heavy"
done
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

echo "checked the launcher: $failures failure(s)"
[ "$failures" -eq 0 ]
