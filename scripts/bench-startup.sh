#!/usr/bin/env bash
# Start-up figures: how long the stand-in portal takes to listen, and how long
# the client takes from exec to a mapped main window (under Xvfb when there is
# no display). Prints one line per figure: median and range over the runs.
# A client that is already running takes the start over (single instance): close it first.
# Usage: scripts/bench-startup.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
bin="$(pwd)/${1:-build}/bin"
runs="${2:-5}"
source scripts/bench-lib.sh

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

start_portal
make_app_dir
ensure_display

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
