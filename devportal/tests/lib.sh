# Helpers for the stand-in portal's tests: start the real server on free ports,
# seal gateway texts with the openssl tool, call it with curl, count results.
set -u

PORTAL_BIN="${1:?usage: $0 path/to/korvo-devportal}"
WORK="$(mktemp -d)"
PASSED=0
FAILED=0
SKIPPED=0
SERVER_PID=""
API_KEY="KXPL-brimadq7ve5"

cleanup() {
    [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null && wait "$SERVER_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# start_portal [extra options]: sets PORTAL and H5 (host:port) and SERVER_PID.
start_portal() {
    : > "$WORK/out"
    "$PORTAL_BIN" --portal-port 0 --h5-port 0 --key-dir "$WORK/keys" --log "$WORK/log.jsonl" "$@" \
        > "$WORK/out" 2> "$WORK/err" &
    SERVER_PID=$!
    # Until it names its ports or ends: a busy machine may take its time.
    until grep -q '^h5 ' "$WORK/out" 2>/dev/null || ! kill -0 "$SERVER_PID" 2>/dev/null; do
        sleep 0.1
    done
    PORTAL=$(awk '/^portal /{print $2}' "$WORK/out")
    H5=$(awk '/^h5 /{print $2}' "$WORK/out")
    if [ -z "$PORTAL" ] || [ -z "$H5" ]; then
        echo "server did not start:"; cat "$WORK/err"; exit 1
    fi
}

stop_portal() {
    kill "$SERVER_PID" 2>/dev/null
    wait "$SERVER_PID" 2>/dev/null
    SERVER_PID=""
}

pass() { PASSED=$((PASSED + 1)); }
fail() { FAILED=$((FAILED + 1)); echo "FAIL: $1"; [ $# -gt 1 ] && echo "      $2"; }

expect_eq() {        # name actual expected
    if [ "$2" = "$3" ]; then pass; else fail "$1" "got '$2', expected '$3'"; fi
}
expect_has() {       # name haystack needle
    case "$2" in *"$3"*) pass ;; *) fail "$1" "'$3' not in: ${2:0:300}" ;; esac
}
expect_lacks() {     # name haystack needle
    case "$2" in *"$3"*) fail "$1" "'$3' unexpectedly in: ${2:0:300}" ;; *) pass ;; esac
}

skip() { SKIPPED=$((SKIPPED + 1)); echo "SKIP: $1"; }

finish() {
    echo "$PASSED passed, $FAILED failed, $SKIPPED skipped"
    [ "$FAILED" -eq 0 ]
}

hex() { od -An -tx1 | tr -d ' \n'; }
md5() { printf '%s' "$1" | md5sum | cut -d' ' -f1; }

# seal TEXT [KEYFILE]: the client's envelope, 100-byte pieces, percent-encoded.
seal() {
    local text="$1" key="${2:-$WORK/keys/public_key_korvo.pem}" out="" i=0 piece
    while [ "$i" -lt "${#text}" ]; do
        piece=$(printf '%s' "${text:$i:100}" |
            openssl pkeyutl -encrypt -pubin -inkey "$key" -pkeyopt rsa_padding_mode:pkcs1 | base64 -w0)
        out="${out:+$out,}$piece"
        i=$((i + 100))
    done
    printf '%s' "$out" | sed 's/+/%2B/g; s/\//%2F/g; s/=/%3D/g; s/,/%2C/g'
}

gateway() { curl -s "http://$PORTAL/DODev_C/boxInit.php?appData=$1"; }
login_text() { echo "datatype=user&sign=user_login&user_name=$1&user_pass=$(md5 "$2")&key=$API_KEY"; }
login() { gateway "$(seal "$(login_text "$1" "$2")")"; }
api() { curl -s "http://$PORTAL/DODev_C/index.php?type=open&action=$1"; }
page() { curl -s "$@"; }
control() { curl -s "http://$PORTAL/__control?$1"; }
status_of() { curl -s -o /dev/null -w '%{http_code}' "$@"; }
# json_field JSON NAME: the string value of a flat member.
json_field() { printf '%s' "$1" | grep -o "\"$2\":\"[^\"]*\"" | head -1 | cut -d'"' -f4; }
last_log() { tail -n 1 "$WORK/log.jsonl"; }
