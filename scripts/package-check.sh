#!/usr/bin/env bash
# Builds the Debian package and tries it the way a user gets it: installed with
# apt into a clean Debian 12 root made with debootstrap, started under Xvfb as
# a normal user by the installed desktop entry's Exec command against the
# stand-in portal (run from the build tree on loopback: the root shares the
# network), then uninstalled. Checks that the client wrote its data under the
# user's data directory and nothing beside the program, that a second start of
# the same user hands over, that a second user gets a client of its own, and
# that uninstalling leaves the users' data. Takes minutes; not part of CI.
#
# As root, on Debian 12. Environment:
#   BUILD_DIR    build tree of the package (default build-package)
#   WORK_DIR     where the root, the logs and the screenshots go (default a new temporary folder)
#   MIRROR       Debian mirror for debootstrap (default http://deb.debian.org/debian)
#   KEEP_ROOT=1  leaves the root behind
#   KORVO_CMAKE_ARGS  more configure options (e.g. a compiler launcher)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
build="${BUILD_DIR:-build-package}"
work="${WORK_DIR:-$(mktemp -d /var/tmp/korvo-package-check.XXXXXX)}"
mirror="${MIRROR:-http://deb.debian.org/debian}"
root="$work/root"
app_id=com.korvogame.KorvoClient
mkdir -p "$work"

step() { echo "==> $*"; }
ok() { echo "ok: $*"; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ "$(id -u)" -eq 0 ] || { echo "run as root: debootstrap and chroot need it"; exit 1; }

pids=()
mounted=()
cleanup() {
    local i p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    # What the clients started inside the root (the engine's helper processes).
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill "${p#/proc/}" 2>/dev/null || true
    done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
    if [ -z "${KEEP_ROOT:-}" ] && [ -d "$root" ]; then rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT

step "tools: debootstrap, dpkg-shlibdeps"
bash scripts/install-deps.sh
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

step "build the client and the stand-in portal in $build, and the package"
keys="$work/keys"
mkdir -p "$keys"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVO_BUILD_TESTS=OFF \
    -DKORVO_PUBLIC_KEY="$keys/public_key_korvo.pem" ${KORVO_CMAKE_ARGS:-} >"$work/configure.log"
cmake --build "$build" -j"$(nproc)" >"$work/build.log"

# The portal makes its key pair at its first start; the package carries the public half.
portal_out="$work/portal.out"
"$build/bin/korvo-devportal" --portal-port 0 --h5-port 0 --key-dir "$keys" --log "$work/portal-requests.log" \
    >"$portal_out" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q '^h5 ' "$portal_out" && break; sleep 0.1; done
portal_host=$(awk '/^portal /{print $2}' "$portal_out")
h5_host=$(awk '/^h5 /{print $2}' "$portal_out")
[ -n "$portal_host" ] || { echo "the stand-in portal did not start:"; cat "$portal_out"; exit 1; }
echo "stand-in portal at http://$portal_host, H5 games at http://$h5_host"

rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log")
deb=$(ls "$build"/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends | sed 's/^/  Depends: /'

step "lintian: no errors, no warnings"
if lintian --allow-root --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
    ok "lintian: $(grep -c '^[EW]:' "$work/lintian.log" || true) errors or warnings"
else
    sed 's/^/  /' "$work/lintian.log"
    fail "lintian found errors or warnings"
fi

step "a clean Debian 12 root with debootstrap ($mirror)"
start=$(date +%s)
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 \
    || { tail -20 "$work/debootstrap.log"; exit 1; }
echo "debootstrap took $(($(date +%s) - start)) s"
cp /etc/resolv.conf "$root/etc/resolv.conf"
for fs in proc sys dev dev/pts; do
    mount --bind "/$fs" "$root/$fs"
    mounted+=("$root/$fs")
done
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
mounted+=("$root/dev/shm")
in_root() { chroot "$root" "$@"; }

step "install the package with apt, without recommended packages"
cp "$deb" "$root/tmp/"
start=$(date +%s)
in_root apt-get update -qq >"$work/apt.log" 2>&1
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "/tmp/$(basename "$deb")" xvfb xauth x11-utils x11-apps xdotool >>"$work/apt.log" 2>&1 \
    || { tail -30 "$work/apt.log"; exit 1; }
echo "apt took $(($(date +%s) - start)) s"
in_root dpkg -s korvo-gamebox | grep -E '^(Status|Version):'
for f in /usr/bin/KorvoClient /usr/share/korvo-gamebox/style/Korvo/style.qss \
    /usr/share/korvo-gamebox/public_key_korvo.pem "/usr/share/applications/$app_id.desktop" \
    "/usr/share/metainfo/$app_id.metainfo.xml" "/usr/share/icons/hicolor/48x48/apps/$app_id.png"; do
    [ -e "$root$f" ] && ok "installed $f" || fail "missing $f"
done

step "two normal users; Xvfb on a free display"
in_root useradd -m -u 1500 player
in_root useradd -m -u 1501 neighbour
for uid in 1500 1501; do
    mkdir -p "$root/run/user/$uid"
    chmod 0700 "$root/run/user/$uid"
    chown "$uid:$uid" "$root/run/user/$uid"
done
# Xvfb takes the first display that no server holds, on this machine or in the
# root (the two share the abstract socket names), and writes its number once
# it accepts clients.
in_root Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
display=":$(head -1 "$work/display")"
echo "Xvfb on $display"

exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$app_id.desktop")
echo "the desktop entry's command: $exec_line"
# Chromium's sandbox needs a user namespace, which the kernel refuses inside a
# chroot: the engine runs without it here, as it does for root.
# as_user USER UID: sets "run" to the command prefix of a session of that user.
as_user() {
    run=(chroot --userspec="$1:$1" "$root" env -i HOME="/home/$1" USER="$1" LOGNAME="$1"
        PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$display" XDG_RUNTIME_DIR="/run/user/$2"
        KORVO_PORTAL_HOST="$portal_host" KORVO_H5_HOST="$h5_host" QTWEBENGINE_DISABLE_SANDBOX=1)
}

step "start the client as player, from the desktop entry's command"
as_user player 1500
"${run[@]}" sh -c "exec $exec_line" >"$work/player.log" 2>&1 &
client=$!
pids+=($client)
data=/home/player/.local/share/KorvoClient
for _ in $(seq 120); do
    [ -d "$root$data/cacheData" ] && grep -q '"path":"/DODev_C/index.php"' "$work/portal-requests.log" 2>/dev/null \
        && break
    sleep 0.5
done
sleep 10
kill -0 "$client" 2>/dev/null && ok "the client runs (pid $client)" || fail "the client ended: $(tail -5 "$work/player.log")"
echo "player's data directory $data:"
(cd "$root$data" && find . -maxdepth 2 | sort | sed 's/^/  /' | head -20)
for f in velmorbox.ini vmgamebox.db cacheData; do
    [ -e "$root$data/$f" ] && ok "$data/$f written" || fail "$data/$f missing"
done
in_root stat -c '  %A %U %n' "$data" "$data/velmorbox.ini" "$data/vmgamebox.db" || true
ls "$root/usr/bin" | grep -qE 'velmorbox|vmgamebox|cacheData' && fail "files written beside the program" \
    || ok "nothing written to /usr/bin"
requests=$(grep -c '"host":"portal"' "$work/portal-requests.log" 2>/dev/null || true)
[ "${requests:-0}" -gt 0 ] && ok "$requests requests reached the stand-in portal" || fail "no request reached the portal"
in_root xwininfo -root -tree -display "$display" | grep -E 'KorvoClient' | head -3 | sed 's/^ */  window: /'
screenshot() {
    in_root xwd -root -display "$display" -silent >"$work/screen.xwd"
    convert "xwd:$work/screen.xwd" "$work/screenshot-$1.png" && echo "screenshot: $work/screenshot-$1.png"
}
screenshot player

step "player signs in as korvo: the envelope sealed with the package's public key"
xdo() { in_root env DISPLAY="$display" xdotool "$@"; }
# click WINDOW-NAME X Y: a click at X, Y inside the named window (no window
# manager here: the keyboard follows the pointer).
click() {
    local id x y
    # Two windows may match; head leaving early must not end the script.
    id=$(xdo search --name "$1" | head -1) || true
    [ -n "$id" ] || { fail "no window $1"; return; }
    eval "$(xdo getwindowgeometry --shell "$id")"
    xdo mousemove $((X + $2)) $((Y + $3)) click 1
}
click '^Korvo游戏盒$' 110 20
sleep 2
click '^用户登录$' 155 150
xdo type --delay 50 korvo
click '^用户登录$' 155 200
xdo type --delay 50 korvo123
xdo key Return
for _ in $(seq 40); do grep -q '"endpoint":"user_login"' "$work/portal-requests.log" && break; sleep 0.5; done
sleep 3
grep '"endpoint":"user_login"' "$work/portal-requests.log" | grep -o '"status":[0-9]*' | head -1 | sed 's/^/  user_login /' || true
grep '"endpoint":"user_login"' "$work/portal-requests.log" | grep -q '"appData":"datatype=user&sign=user_login&user_name=korvo&' \
    && ok "the portal opened the envelope: the installed key is the portal's" || fail "no readable sign-in reached the portal"
accounts=$(sqlite3 "$root$data/vmgamebox.db" 'select user_name from box_user' 2>&1 || true)
[ "$accounts" = korvo ] && ok "the account is remembered in player's vmgamebox.db" || fail "box_user holds: $accounts"
screenshot signed-in

step "a second start by player hands over and ends with 0"
if "${run[@]}" timeout 30 sh -c "exec $exec_line" >"$work/player-second.log" 2>&1; then
    ok "the second start ended with 0"
else
    fail "the second start ended with $?"
fi
kill -0 "$client" 2>/dev/null && ok "the first client still runs" || fail "the first client ended"

step "neighbour starts a client of their own beside player's"
as_user neighbour 1501
"${run[@]}" sh -c "exec $exec_line" >"$work/neighbour.log" 2>&1 &
neighbour=$!
pids+=($neighbour)
for _ in $(seq 120); do [ -d "$root/home/neighbour/.local/share/KorvoClient/cacheData" ] && break; sleep 0.5; done
sleep 5
kill -0 "$neighbour" 2>/dev/null && ok "neighbour's client runs (pid $neighbour)" || fail "neighbour's client ended: $(tail -5 "$work/neighbour.log")"
[ -e "$root/home/neighbour/.local/share/KorvoClient/velmorbox.ini" ] && ok "neighbour's data in their own directory" \
    || fail "neighbour has no data directory"
ls -l "$root/run/user/1500" "$root/run/user/1501" | sed 's/^/  /'

step "stop the clients, uninstall"
kill "$client" "$neighbour" 2>/dev/null || true
wait "$client" "$neighbour" 2>/dev/null || true
in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q korvo-gamebox >>"$work/apt.log" 2>&1
in_root dpkg -s korvo-gamebox >/dev/null 2>&1 && fail "still installed" || ok "korvo-gamebox purged"
for f in /usr/bin/KorvoClient /usr/share/korvo-gamebox "/usr/share/applications/$app_id.desktop"; do
    [ -e "$root$f" ] && fail "$f left behind" || ok "$f removed"
done
for f in velmorbox.ini vmgamebox.db cacheData; do
    [ -e "$root$data/$f" ] && ok "player's $f kept" || fail "player's $f lost"
done

echo "work folder: $work"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
