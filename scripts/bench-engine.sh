#!/usr/bin/env bash
# The client against a bare web-engine shell (bench/bareshell.cpp) on the
# stand-in portal: start to both home views loaded, and the proportional set
# size of each whole process tree with the home tab shown. Several runs each,
# taken in turns; prints median and range. Under Xvfb when there is no display.
# Usage: scripts/bench-engine.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
bin="$(pwd)/${1:-build}/bin"
runs="${2:-7}"
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

now_ms() { date +%s%3N; }
summary() { sort -n | awk -v what="$1" -v unit="$2" '{v[NR]=$1} END {printf "%-44s median %6d %s (min %d, max %d, %d runs)\n", what, v[int((NR+1)/2)], unit, v[1], v[NR], NR}'; }
# Proportional set size of a process and all its descendants, in MiB.
tree_pss() {
    local all=("$1") i=0
    while [ $i -lt ${#all[@]} ]; do
        all+=($(pgrep -P "${all[$i]}" || true)); i=$((i + 1))
    done
    for p in "${all[@]}"; do awk '/^Pss:/ {print $2}' "/proc/$p/smaps_rollup" 2>/dev/null || true; done \
        | awk '{s += $1} END {printf "%d\n", s / 1024}'
}

"$bin/korvo-devportal" --portal-port 0 --h5-port 0 --key-dir "$work" >"$work/portal" 2>&1 &
pids+=($!)
until grep -q '^h5 ' "$work/portal"; do sleep 0.01; done
export KORVO_PORTAL_HOST=$(awk '/^portal /{print $2}' "$work/portal")
export KORVO_H5_HOST=$(awk '/^h5 /{print $2}' "$work/portal")
export QTWEBENGINE_DISABLE_SANDBOX=1 KORVO_APP_DIR="$work/app"
mkdir -p "$KORVO_APP_DIR" "$work/shell"
cp -r "$bin/icons_Korvo" "$bin/style" "$bin/favicons" "$work/public_key_korvo.pem" "$KORVO_APP_DIR/"
index="http://$KORVO_PORTAL_HOST/DODev_C/index.php?type=web&action"
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=":$((150 + RANDOM % 50))"
    Xvfb "$DISPLAY" -screen 0 1440x900x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi

client() { KORVO_STARTUP_PROBE="${1:-1}" exec "$bin/KorvoClient" 2>/dev/null; }
shell() { exec "$bin/bench_bareshell" "$work/shell" "$index=left&v2" "$index=index&v2" "$@" 2>/dev/null; }
# Milliseconds from exec to the program's "loaded" line.
time_to_loaded() {
    local start line
    start=$(now_ms)
    line=$("$@" | head -n 1)
    echo $(( ${line#loaded } - start ))
}

# One start of each first, so that both find their profile on disk.
time_to_loaded client >/dev/null
time_to_loaded shell >/dev/null
client_ms=() shell_ms=()
for _ in $(seq "$runs"); do
    client_ms+=($(time_to_loaded client))
    shell_ms+=($(time_to_loaded shell))
done
printf '%s\n' "${client_ms[@]}" | summary "client: start to both home views loaded" ms
printf '%s\n' "${shell_ms[@]}" | summary "bare shell: start to both pages loaded" ms

# Memory: each kept running with the home tab, settled for three seconds.
measure_pss() {
    local out="$work/pss.out" pid
    "$@" >"$out" &
    pid=$!
    until grep -q '^loaded' "$out"; do sleep 0.05; done
    sleep 3
    tree_pss "$pid"
    kill "$pid"; wait "$pid" 2>/dev/null || true
}
client_mb=() shell_mb=()
for _ in $(seq 3); do
    client_mb+=($(measure_pss client stay))
    shell_mb+=($(measure_pss shell --stay))
done
printf '%s\n' "${client_mb[@]}" | summary "client: PSS of the process tree, home tab" MiB
printf '%s\n' "${shell_mb[@]}" | summary "bare shell: PSS of the process tree" MiB
