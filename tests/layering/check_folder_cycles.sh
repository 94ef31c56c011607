#!/usr/bin/env bash
# The subsystem folders of a layer depend on each other one way only: no
# include, direct or round about, leads from a folder back to itself.
# Usage: check_folder_cycles.sh <layer root, e.g. src/base>
set -euo pipefail
root=$1
cd "$root"

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for file in */*.h */*.cpp; do
    from=${file%%/*}
    # Includes are written with their folder: "net/portal.h".
    grep -oE '^#include "[a-z]+/[a-z0-9_]+\.h"' "$file" | sed -E 's/^#include "([a-z]+)\/.*/\1/' | while read -r to; do
        [ "$to" != "$from" ] && [ -d "$to" ] && echo "$from $to"
    done || true
done | sort -u >"$edges"

[ -s "$edges" ] || { echo "no includes between folders found under $root"; exit 1; }
if ! tsort "$edges" >/dev/null 2>"$edges.loops"; then
    echo "include cycles between the folders of $root:"
    sed -e 's/^tsort: //' "$edges.loops"
    rm -f "$edges.loops"
    exit 1
fi
rm -f "$edges.loops"
echo "$(wc -l <"$edges") folder dependencies under $root, no cycle"
