#!/usr/bin/env bash
# The installed program as a desktop sees it: `cmake --install` into a fresh
# prefix, then the desktop entry and the AppStream metainfo are validated with
# the desktop's own tools, the entry's command and icon are found there, and the
# client's read-only assets are where the installed client looks for them.
# Usage: check_install.sh <build-dir>
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
app_id=com.korvogame.KorvoClient
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

cmake --install "$build" --prefix "$prefix" >/dev/null

entry="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate $metainfo"

# The entry starts the installed executable and names the installed icon.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
# Shortcut addresses reach the client: the scheme is its own and Exec takes the address.
grep -qx 'MimeType=x-scheme-handler/korvo;' "$entry" || fail "the korvo: scheme is not registered"
grep -q '^Exec=[^ ]* %u$' "$entry" || fail "Exec does not take the address"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
    png="$prefix/share/icons/hicolor/$size/apps/$icon.png"
    [ -f "$png" ] || { fail "no $size icon"; continue; }
    actual=$(file -b "$png" | sed -n 's/.* \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')
    [ "$actual" = "$size" ] || fail "$png is $actual, not $size"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"

# What the installed client reads: style sheets, icons, the favicon.
data="$prefix/share/korvo-gamebox"
for file in style/Korvo/common.qss style/Korvo/style.qss style/Korvo/hometoolbar.qss \
    icons_Korvo/logo.png favicons/favicon_Korvo.png; do
    [ -f "$data/$file" ] || fail "$file is not installed"
done
[ ! -e "$data/icons_Korvo/src" ] || fail "the icon sources are installed"

# The installed launcher finds the installed client module and runs it (on
# its own meeting folder, with a portal that is not there).
module=$(find "$prefix" -name korvo-client.so)
[ -n "$module" ] || fail "the client module is not installed"
if [ -n "${DISPLAY:-}" ] && [ -n "$module" ]; then
    mkdir -m 700 "$prefix/run"
    loaded=$(XDG_RUNTIME_DIR="$prefix/run" KORVO_PORTAL_HOST=127.0.0.1:9 KORVO_H5_HOST=127.0.0.1:9 \
             QTWEBENGINE_DISABLE_SANDBOX=1 KORVO_STARTUP_PROBE=1 timeout 60 "$prefix/bin/$exec_name" 2>/dev/null || true)
    grep -q '^loaded' <<<"$loaded" || fail "the installed program did not start"
fi

echo "checked the installation in $prefix: $failures failure(s)"
[ "$failures" -eq 0 ]
