#!/usr/bin/env bash
# The subsystem folders of a layer depend on each other one way only: no
# include, direct or round about, leads from a folder back to itself.
# Usage: check_folder_cycles.sh <layer root, e.g. src/base> [<from>:<to>...]
# Each <from>:<to> names a dependency still to be turned around: it is left
# out of the check, and the check fails once nothing includes that way any more,
# so that the list only shrinks.
set -euo pipefail
root=$1
shift
cd "$root"

edges=$(mktemp)
trap 'rm -f "$edges" "$edges.loops"' EXIT
for file in */*.h */*.cpp; do
    from=${file%%/*}
    # Includes are written with their folder: "net/portal.h".
    grep -oE '^#include "[a-z]+/[a-z0-9_]+\.h"' "$file" | sed -E 's/^#include "([a-z]+)\/([a-z0-9_]+\.h)"/\1 \2/' \
        | while read -r to header; do
            [ "$to" != "$from" ] && [ -f "$to/$header" ] && echo "$from $to"
        done || true
done | sort -u >"$edges"

[ -s "$edges" ] || { echo "no includes between folders found under $root"; exit 1; }
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
    echo "include cycles between the folders of $root:"
    sed -e 's/^tsort: //' "$edges.loops"
    exit 1
fi
echo "$(wc -l <"$edges") folder dependencies under $root, no cycle; still to turn around: ${*:-none}"
echo "order, each folder before those it includes: $(tsort "$edges" | tr '\n' ' ')"
