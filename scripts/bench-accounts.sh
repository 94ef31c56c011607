#!/usr/bin/env bash
# Several accounts playing at once, each in a profile of its own, on the
# stand-in portal's meter page (a game that keeps drawing): the proportional
# set size of the whole process tree of the client (bench_backgroundplay, its
# first phase: the window shown, the games as tabs), of the bare shell with the
# same pages and of Debian's Chromium with one profile per account, for each
# number of accounts asked, and what each account added past the first count.
# Under Xvfb when there is no display; Chromium when it is installed.
# Usage: scripts/bench-accounts.sh [build-dir] [accounts ...]   (default 4 8)
set -euo pipefail
cd "$(dirname "$0")/.."
bin="$(pwd)/${1:-build}/bin"
shift || true
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(4 8)
source scripts/bench-lib.sh

start_portal
ensure_display
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
index="http://$KORVO_PORTAL_HOST/DODev_C/index.php?type=web&action"
home_pages=("$index=left&v2" "$index=index&v2")
meter="http://$KORVO_PORTAL_HOST/static/meter.html"
size=1280x730
settle=15

client_of() {
    make_app_dir "$work/app$1"
    "$bin/bench_backgroundplay" 5 "$1" 2>/dev/null | awk '/tree PSS/ {print $3; exit}'
}

shell_of() {
    local pages=() k
    for k in $(seq "$1"); do pages+=("$([ "$k" -gt 1 ] && echo "$k:")$meter"); done
    "$bin/bench_bareshell" "$work/shell$1" "${home_pages[@]}" --stay --size="$size" "${pages[@]}" \
        >"$work/shell$1.out" 2>/dev/null &
    local shell=$!
    wait_for_line "$work/shell$1.out" loaded
    sleep $((settle + $1))
    tree_pss "$shell"
    kill "$shell"; wait "$shell" 2>/dev/null || true
}

chromium_of() {
    local flags=(--no-sandbox --no-first-run --no-default-browser-check --password-store=basic --disable-gpu
                 --disable-background-networking --disable-component-update --disable-sync
                 --user-data-dir="$work/chromium$1")
    chromium "${flags[@]}" --window-size="${size/x/,}" --profile-directory=Default "${home_pages[@]}" "$meter" \
        >/dev/null 2>&1 &
    local browser=$! k
    sleep 8
    # Each further account's game in a profile of its own of the same browser.
    for k in $(seq 2 "$1"); do
        chromium "${flags[@]}" --profile-directory="Account$k" "$meter" >/dev/null 2>&1 || true
        sleep 2
    done
    sleep "$settle"
    tree_pss "$browser"
    kill "$browser"; wait "$browser" 2>/dev/null || true
}

declare -A mib
for n in "${counts[@]}"; do
    mib[client$n]=$(client_of "$n")
    mib[shell$n]=$(shell_of "$n")
    command -v chromium >/dev/null && mib[chromium$n]=$(chromium_of "$n")
    printf '%2d accounts: client %5s MiB  bare shell %5s MiB  Chromium %5s MiB\n' "$n" \
        "${mib[client$n]}" "${mib[shell$n]}" "${mib[chromium$n]:--}"
done
first=${counts[0]}
for n in "${counts[@]:1}"; do
    for who in client shell chromium; do
        [ -n "${mib[$who$first]:-}" ] && [ -n "${mib[$who$n]:-}" ] || continue
        printf '%-9s each account from %d to %d: %d MiB\n' "$who" "$first" "$n" \
            $(( (mib[$who$n] - mib[$who$first]) / (n - first) ))
    done
done
