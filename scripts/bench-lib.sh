# Shared by the benchmark scripts (sourced): a work folder and background
# processes that go at exit, a clock, a summary line, the stand-in portal and
# a virtual screen.
work=$(mktemp -d)
pids=()
# A client ends on SIGTERM as on its own exit, still writing into the folder: wait for each.
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

now_ms() { date +%s%3N; }
# Median and range of the numbers on stdin: summary WHAT UNIT
summary() {
    sort -n | awk -v what="$1" -v unit="${2:-ms}" '{v[NR]=$1} END {
        printf "%-44s median %6d %s (min %d, max %d, %d runs)\n", what, v[int((NR+1)/2)], unit, v[1], v[NR], NR}'
}

# Waits until the file has a line starting with the word (at most 120 s).
wait_for_line() {
    local i
    for i in $(seq 1200); do grep -q "^$2" "$1" && return 0; sleep 0.1; done
    echo "no '$2' in $1" >&2; tail -n 20 "$1" >&2; return 1
}

# Starts the stand-in portal of the build in $bin, with its key in $work, and
# points the client at it.
start_portal() {
    "$bin/korvo-devportal" --portal-port 0 --h5-port 0 --key-dir "$work" >"$work/portal" 2>&1 &
    pids+=($!)
    until grep -q '^h5 ' "$work/portal"; do sleep 0.01; done
    export KORVO_PORTAL_HOST=$(awk '/^portal /{print $2}' "$work/portal")
    export KORVO_H5_HOST=$(awk '/^h5 /{print $2}' "$work/portal")
}

# An application folder of the client's own with the assets and the portal's
# key: make_app_dir [FOLDER], by default $work/app.
make_app_dir() {
    export QTWEBENGINE_DISABLE_SANDBOX=1 KORVO_APP_DIR="${1:-$work/app}"
    mkdir -p "$KORVO_APP_DIR"
    cp -r "$bin/icons_Korvo" "$bin/style" "$bin/favicons" "$work/public_key_korvo.pem" "$KORVO_APP_DIR/"
}

# Xvfb when there is no display.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return
    export DISPLAY=":$((150 + RANDOM % 50))"
    Xvfb "$DISPLAY" -screen 0 1440x900x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
}

# A process and all its descendants.
tree_pids() {
    local all=("$1") i=0
    while [ $i -lt ${#all[@]} ]; do
        all+=($(pgrep -P "${all[$i]}" || true)); i=$((i + 1))
    done
    echo "${all[@]}"
}
# Proportional set size of a process tree, in MiB.
tree_pss() {
    for p in $(tree_pids "$1"); do awk '/^Pss:/ {print $2}' "/proc/$p/smaps_rollup" 2>/dev/null || true; done \
        | awk '{s += $1} END {printf "%d\n", s / 1024}'
}
# User and system time of a process tree so far, in clock ticks.
tree_ticks() {
    for p in $(tree_pids "$1"); do awk '{print $14 + $15}' "/proc/$p/stat" 2>/dev/null || true; done \
        | awk '{s += $1} END {printf "%d\n", s}'
}
