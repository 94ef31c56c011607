#!/usr/bin/env bash
# Start race of the single-instance guard: several copies of the test probe
# started at once, in a folder of their own each round. Prints how many
# copies took the first place in each round and how many rounds had exactly one.
# Usage: scripts/bench-singleinstance.sh [build-dir] [rounds] [copies]
set -euo pipefail
cd "$(dirname "$0")/.."
probe="${1:-build}/bin/singleapp_probe"
rounds="${2:-20}"
copies="${3:-5}"
source scripts/bench-lib.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

exact=0
counts=()
for round in $(seq "$rounds"); do
    dir="$work/$round"
    mkdir -m 0700 "$dir"
    pids=()
    for copy in $(seq "$copies"); do
        TMPDIR="$dir" XDG_RUNTIME_DIR="$dir" "$probe" --stay >"$dir/out.$copy" 2>/dev/null &
        pids+=($!)
    done
    sleep 4
    firsts=$(cat "$dir"/out.* | grep -cx first || true)
    counts+=("$firsts")
    [ "$firsts" -eq 1 ] && exact=$((exact + 1))
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
done
echo "first copies per round: ${counts[*]}"
echo "rounds with exactly one first copy: $exact of $rounds ($copies copies started at once)"
