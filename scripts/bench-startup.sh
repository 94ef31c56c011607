#!/usr/bin/env bash
# Start-up figures: how long the stand-in portal takes to listen, and how long
# the client takes from exec to a mapped main window (under Xvfb when there is
# no display). Prints one line per figure: median and range over the runs.
# A client that is already running takes the start over (single instance): close it first.
# Usage: scripts/bench-startup.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
bin="${1:-build}/bin"
runs="${2:-5}"
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

now_ms() { date +%s%3N; }
summary() { sort -n | awk -v what="$1" '{v[NR]=$1} END {printf "%s: median %d ms (min %d, max %d, %d runs)\n", what, v[int((NR+1)/2)], v[1], v[NR], NR}'; }

portal_times=()
for _ in $(seq "$runs"); do
    start=$(now_ms)
    "$bin/korvo-devportal" --portal-port 0 --h5-port 0 --key-dir "$work" >"$work/out" 2>&1 &
    pid=$!
    until grep -q '^h5 ' "$work/out"; do sleep 0.005; done
    portal_times+=($(( $(now_ms) - start )))
    kill "$pid"; wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${portal_times[@]}" | summary "stand-in portal, start to listening"

"$bin/korvo-devportal" --portal-port 0 --h5-port 0 --key-dir "$work" >"$work/out" 2>&1 &
pids+=($!)
until grep -q '^h5 ' "$work/out"; do sleep 0.01; done
export KORVO_PORTAL_HOST=$(awk '/^portal /{print $2}' "$work/out")
export KORVO_H5_HOST=$(awk '/^h5 /{print $2}' "$work/out")
export QTWEBENGINE_DISABLE_SANDBOX=1 KORVO_APP_DIR="$work/app"
mkdir -p "$KORVO_APP_DIR"
cp -r "$bin/icons_Korvo" "$bin/style" "$bin/favicons" "$work/public_key_korvo.pem" "$KORVO_APP_DIR/"
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=":$((150 + RANDOM % 50))"
    Xvfb "$DISPLAY" -screen 0 1440x900x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi

client_times=()
for _ in $(seq "$runs"); do
    start=$(now_ms)
    "$bin/KorvoClient" >/dev/null 2>&1 &
    pid=$!
    xdotool search --sync --onlyvisible --name '^Korvo' >/dev/null
    client_times+=($(( $(now_ms) - start )))
    kill "$pid"; wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${client_times[@]}" | summary "client, exec to visible main window"
