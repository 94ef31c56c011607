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
source scripts/bench-lib.sh

start_portal
make_app_dir
ensure_display
mkdir -p "$work/shell"
index="http://$KORVO_PORTAL_HOST/DODev_C/index.php?type=web&action"

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

# Second start: a copy started while the client runs hands over and ends.
KORVO_STARTUP_PROBE=stay "$bin/KorvoClient" >"$work/first.out" 2>/dev/null &
first=$!
until grep -q '^loaded' "$work/first.out"; do sleep 0.05; done
second_ms=() second_mb=()
for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$work/time" "$bin/KorvoClient" >/dev/null 2>&1
    read -r seconds kb <"$work/time"
    second_ms+=($(awk -v s="$seconds" 'BEGIN {printf "%d", s * 1000}'))
    second_mb+=($((kb / 1024)))
done

# Idle: CPU of the whole tree over IDLE_SECONDS (default 60) with the window
# out of sight, in thousandths of one core.
idle="${IDLE_SECONDS:-60}"
sleep 5
xdotool search --onlyvisible --name '^Korvo' windowunmap >/dev/null 2>&1 || true
sleep 2
before=$(tree_ticks "$first")
sleep "$idle"
after=$(tree_ticks "$first")
hz=$(getconf CLK_TCK)
echo $(( (after - before) * 1000 / hz / idle )) | summary "idle, window hidden: CPU of the tree" permille
kill "$first"; wait "$first" 2>/dev/null || true
printf '%s\n' "${second_ms[@]}" | summary "second start: exec to exit" ms
printf '%s\n' "${second_mb[@]}" | summary "second start: peak resident set" MiB
