#!/usr/bin/env bash
# Installs, builds and starts the client against the stand-in portal on loopback.
# With no display the client runs under Xvfb and a screenshot of the screen is
# saved to ./screenshot.png (override with SCREENSHOT=path).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh
bash scripts/build.sh
bin="$root/build/bin"
shot="${SCREENSHOT:-$root/screenshot.png}"

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

# The portal writes its public key beside the executable, where the client reads it.
portal_out=$(mktemp)
"$bin/korvo-devportal" --portal-port 0 --h5-port 0 --key-dir "$bin" >"$portal_out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do grep -q '^h5 ' "$portal_out" && break; sleep 0.1; done
KORVO_PORTAL_HOST=$(awk '/^portal /{print $2}' "$portal_out")
KORVO_H5_HOST=$(awk '/^h5 /{print $2}' "$portal_out")
[ -n "$KORVO_PORTAL_HOST" ] || { echo "stand-in portal did not start:"; cat "$portal_out"; exit 1; }
export KORVO_PORTAL_HOST KORVO_H5_HOST
export QTWEBENGINE_DISABLE_SANDBOX=1
echo "Stand-in portal at http://$KORVO_PORTAL_HOST (H5 games at http://$KORVO_H5_HOST); demo account korvo / korvo123"

if [ -n "${DISPLAY:-}" ]; then
    "$bin/KorvoClient"
    exit 0
fi

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1440x900x24 -nolisten tcp &
pids+=($!)
export DISPLAY="$display"
sleep 1
# A tray on the virtual screen, so that the client's tray icon has a home.
trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true \
    --transparent false --tint 0x1f6f5c >/dev/null 2>&1 &
pids+=($!)
"$bin/KorvoClient" &
pids+=($!)
sleep "${SCREENSHOT_DELAY:-15}"
import -window root "$shot"
echo "Screenshot of the client saved to $shot"
