#!/usr/bin/env bash
# Within a layer, includes lead one way only: no include, direct or round
# about, leads from a folder (or a file) back to itself.
# Usage: check_include_cycles.sh folders|files <layer root, e.g. src/base> [<from>:<to>...]
# "folders": between the subsystem folders. "files": between the files, a
# header and its source counting as one (folder/name), so that no helper
# carved out of a class includes its owner.
# Each <from>:<to> names an include left out of the check (a dependency still
# to be turned around, or a pair that knows each other on purpose); the check
# fails once nothing includes that way any more, so that the list only shrinks.
set -euo pipefail
level=$1
root=$2
shift 2
cd "$root"

node() {
    if [ "$level" = folders ]; then echo "${1%%/*}"; else echo "${1%.*}"; fi
}

edges=$(mktemp)
trap 'rm -f "$edges" "$edges.loops" "$edges.rest"' EXIT
for file in */*.h */*.cpp; do
    from=$(node "$file")
    # Includes are written with their folder: "net/portal.h".
    grep -oE '^#include "[a-z]+/[a-z0-9_]+\.h"' "$file" | sed -E 's/^#include "(.*)"/\1/' \
        | while read -r header; do
            to=$(node "$header")
            [ "$to" != "$from" ] && [ -f "$header" ] && echo "$from $to"
        done || true
done | sort -u >"$edges"

[ -s "$edges" ] || { echo "no includes between $level found under $root"; exit 1; }
for pending in "$@"; do
    edge=${pending/:/ }
    if ! grep -qxF "$edge" "$edges"; then
        echo "$pending is no longer included that way: take it off the list"
        exit 1
    fi
    grep -vxF "$edge" "$edges" >"$edges.rest" || true
    mv "$edges.rest" "$edges"
done
if ! tsort "$edges" >/dev/null 2>"$edges.loops"; then
    echo "include cycles between the $level of $root:"
    sed -e 's/^tsort: //' "$edges.loops"
    exit 1
fi
echo "$(wc -l <"$edges") dependencies between $level under $root, no cycle; left out: ${*:-none}"
[ "$level" = folders ] && echo "order, each folder before those it includes: $(tsort "$edges" | tr '\n' ' ')"
exit 0
