#!/usr/bin/env bash
# A player's session (bench/bench_session.cpp) on the stand-in portal: login
# to nickname, back from the tray and after the boss key, then the home tab
# and four game tabs of two accounts: proportional set size of the whole
# process tree against the bare shell (bench/bareshell.cpp) and Debian's
# Chromium with the same pages, and the client's idle CPU with the window out
# of sight. Under Xvfb when there is no display. Chromium is measured when it
# is installed (apt-get install chromium).
# Usage: scripts/bench-session.sh [build-dir] [runs]   (IDLE_SECONDS, default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
bin="$(pwd)/${1:-build}/bin"
runs="${2:-3}"
idle="${IDLE_SECONDS:-60}"
source scripts/bench-lib.sh

start_portal
ensure_display
index="http://$KORVO_PORTAL_HOST/DODev_C/index.php?type=web&action"
home_pages=("$index=left&v2" "$index=index&v2")

client_mb=() shell_mb=() chromium_mb=() idle_permille=() shell_idle_permille=() client_wakeups=() shell_wakeups=()
hz=$(getconf CLK_TCK)
# Times the main (GUI) thread of a process went to sleep so far: each is a wake-up.
gui_sleeps() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/task/$1/status"; }
# CPU of a process tree over $idle seconds with its windows out of sight, in
# thousandths of one core, and the GUI thread's wake-ups a minute meanwhile.
idle_of() {
    local before after sleeps
    xdotool search --onlyvisible --pid "$1" windowunmap >/dev/null 2>&1 || true
    sleep 2
    before=$(tree_ticks "$1")
    sleeps=$(gui_sleeps "$1")
    sleep "$idle"
    after=$(tree_ticks "$1")
    echo "$(( (after - before) * 1000 / hz / idle )) $(( ($(gui_sleeps "$1") - sleeps) * 60 / idle ))"
}
for run in $(seq "$runs"); do
    make_app_dir "$work/app$run"
    out="$work/session$run.out"
    "$bin/bench_session" >"$out" 2>"$work/session$run.err" &
    client=$!
    wait_for_line "$out" ready
    sleep 5
    client_mb+=($(tree_pss "$client"))
    read -r cpu wakeups < <(idle_of "$client")
    idle_permille+=("$cpu") client_wakeups+=("$wakeups")
    kill "$client"; wait "$client" 2>/dev/null || true

    mapfile -t main_pages < <(awk '$1 == "page" && $2 == "main" {print $3}' "$out")
    mapfile -t small_pages < <(awk '$1 == "page" && $2 == "small" {print "2:" $3}' "$out")
    size=$(awk '$1 == "size" {print $2}' "$out")
    "$bin/bench_bareshell" "$work/shell$run" "${home_pages[@]}" --stay --size="$size" "${main_pages[@]}" "${small_pages[@]}" \
        >"$work/shell$run.out" 2>/dev/null &
    shell=$!
    wait_for_line "$work/shell$run.out" loaded
    sleep 10
    shell_mb+=($(tree_pss "$shell"))
    read -r cpu wakeups < <(idle_of "$shell")
    shell_idle_permille+=("$cpu") shell_wakeups+=("$wakeups")
    kill "$shell"; wait "$shell" 2>/dev/null || true

    if command -v chromium >/dev/null; then
        flags=(--no-sandbox --no-first-run --no-default-browser-check --password-store=basic
               --disable-background-networking --disable-component-update --disable-sync
               --user-data-dir="$work/chromium$run")
        chromium "${flags[@]}" --window-size="${size/x/,}" --profile-directory=Default "${home_pages[@]}" "${main_pages[@]}" \
            >/dev/null 2>&1 &
        browser=$!
        sleep 8
        # The second account's pages in a second profile of the same browser.
        chromium "${flags[@]}" --profile-directory=Second "${small_pages[@]#2:}" >/dev/null 2>&1 || true
        sleep 10
        chromium_mb+=($(tree_pss "$browser"))
        kill "$browser"; wait "$browser" 2>/dev/null || true
    fi
done

for name in login_to_nickname_ms back_from_tray_ms back_after_boss_key_ms back_after_boss_key_five_tabs_ms; do
    cat "$work"/session*.out | awk -v n="$name" '$1 == "figure" && $2 == n {printf "%d\n", $3 + 0.5}' \
        | summary "client: ${name%_ms}" ms
done
printf '%s\n' "${client_mb[@]}" | summary "client: PSS, home and four game tabs" MiB
printf '%s\n' "${shell_mb[@]}" | summary "bare shell: PSS, the same pages" MiB
[ ${#chromium_mb[@]} -gt 0 ] && printf '%s\n' "${chromium_mb[@]}" | summary "chromium: PSS, the same pages" MiB
printf '%s\n' "${idle_permille[@]}" | summary "client: idle, five tabs, window hidden" permille
printf '%s\n' "${shell_idle_permille[@]}" | summary "bare shell: idle, the same pages, hidden" permille
printf '%s\n' "${client_wakeups[@]}" | summary "client: GUI thread wake-ups a minute, hidden" count
printf '%s\n' "${shell_wakeups[@]}" | summary "bare shell: GUI thread wake-ups a minute, hidden" count
