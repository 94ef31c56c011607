#!/bin/bash
# own-display.sh <command...>: runs a test in an X server of its own. Tests
# that need the keyboard focus cannot share one: a window that another test
# activates takes the focus away from theirs.
set -u
dir=$(mktemp -d)
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
# The server writes its display number once it accepts clients; if it dies
# first, the pipe ends empty.
read -r number <"$dir/display" || true
if [ -z "${number:-}" ]; then
    echo "own-display: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
fi
DISPLAY=":$number" "$@"
