#!/bin/bash
# Fault injection, token revocation and the request log, set over "/__control".
. "$(dirname "$0")/lib.sh"
start_portal --latest-version 1.5.3.0 --fault 'game_id_host_map:word=already&times=1'

millis() { date +%s%3N; }

# --- start options
expect_eq "--latest-version" "$(json_field "$(api check_update)" last_version)" "1.5.3.0"
expect_eq "--fault applies once" "$(api game_id_host_map)" "already"
expect_has "then the real answer" "$(api game_id_host_map)" '"1":"xianxia"'

# --- each kind of fault
control "op=fault&endpoint=game_list&delay_ms=1200" > /dev/null
start=$(millis); api "game_list&game_host=xianxia" > /dev/null; took=$(( $(millis) - start ))
expect_eq "delayed reply waits" "$([ "$took" -ge 1150 ] && echo yes)" "yes"
expect_has "delay keeps the body" "$(api "game_list&game_host=xianxia")" '"game_id":"1"'
# Another endpoint answers while a delayed reply still waits.
control "op=fault&endpoint=game_list&delay_ms=60000&times=1" > /dev/null
api "game_list&game_host=xianxia" > /dev/null &
slow=$!
api check_update > /dev/null
expect_eq "other endpoints are not delayed" "$(kill -0 "$slow" 2>/dev/null && echo yes)" "yes"
kill "$slow" 2>/dev/null; wait "$slow" 2>/dev/null
control "op=clear&endpoint=game_list" > /dev/null

control "op=fault&endpoint=user_collection_add&word=server_6&times=1" > /dev/null
expect_eq "forced bare word" "$(api "user_collection_add&user_id=10001&game_host=xianxia&server_id=104")" "server_6"
expect_eq "a forced word stands for the work: nothing was added" \
    "$(api "user_collection_add&user_id=10001&game_host=xianxia&server_id=104")" "success"

control "op=fault&endpoint=user_collection_add&word=success&bom=1&times=1" > /dev/null
expect_eq "byte-order mark before a word" \
    "$(api "user_collection_add&user_id=10001&game_host=xianxia&server_id=104" | hex)" "efbbbf73756363657373"
control "op=fault&endpoint=check_update&bom=1&times=1" > /dev/null
expect_eq "byte-order mark before JSON" "$(api check_update | head -c 4 | hex)" "efbbbf7b"

control "op=fault&endpoint=url_interceptor&malformed=1&times=1" > /dev/null
broken=$(api url_interceptor)
expect_eq "malformed JSON is cut" "$(printf '%s' "$broken" | tail -c 1 | grep -c '}')" "0"
expect_has "malformed JSON keeps its start" "$broken" '{"host":'

control "op=fault&endpoint=check_update&status=500&times=1" > /dev/null
expect_eq "HTTP 500" "$(status_of "http://$PORTAL/DODev_C/index.php?type=open&action=check_update")" "500"

control "op=fault&endpoint=check_update&drop=1&times=1" > /dev/null
curl -s -o /dev/null "http://$PORTAL/DODev_C/index.php?type=open&action=check_update"
code=$?
expect_eq "dropped connection fails the transfer" "$([ "$code" -ne 0 ] && echo failed)" "failed"
expect_eq "next request served again" "$(json_field "$(api check_update)" last_version)" "1.5.3.0"

# --- gateway faults by sign and for the whole gateway
control "op=fault&endpoint=user_login&word=nouser" > /dev/null
expect_eq "login forced to nouser" "$(login korvo korvo123)" "nouser"
expect_has "fault and text in the log" "$(last_log)" '"fault":"word=nouser"'
expect_has "log keeps the decoded text of a faulted login" "$(last_log)" "user_pass=$(md5 korvo123)"
reg=$(seal "datatype=user&sign=user_register&user_large_id=10001&user_name=faulty1&user_pass=$(md5 x)&key=$API_KEY")
expect_has "other signs unaffected" "$(gateway "$reg")" '"main_id":"10001"'
control "op=clear" > /dev/null
control "op=fault&endpoint=boxInit&word=params%20error&times=2" > /dev/null
expect_eq "whole gateway: login" "$(login korvo korvo123)" "params error"
expect_eq "whole gateway: garbage" "$(gateway garbage)" "params error"
expect_eq "whole gateway fault used up" "$(json_field "$(login korvo korvo123)" user_id)" "10001"

control "op=fault&endpoint=web&status=500&times=1" > /dev/null
expect_eq "every page" "$(status_of "http://$PORTAL/DODev_C/index.php?type=web&action=left&v2")" "500"
control "op=fault&endpoint=*&word=failed&times=1" > /dev/null
expect_eq "every endpoint" "$(page "http://$H5/card_list.php")" "failed"

# --- token revocation
token=$(json_field "$(login korvo korvo123)" user_token)
expect_has "token live" "$(api "check_user_login_status&user_id=10001&token=$token")" '"code":200'
expect_has "revoke one token" "$(control "op=revoke&token=$token")" '"revoked":1'
expect_has "revoked token fails the account check" "$(api "check_user_login_status&user_id=10001&token=$token")" '"code":401'
t1=$(json_field "$(login korvo korvo123)" user_token)
t2=$(json_field "$(control "op=login&user_name=korvo")" user_token)
expect_has "control login issues a live token" "$(api "check_user_login_status&user_id=10001&token=$t2")" '"code":200'
control "op=revoke&user_id=10001" > /dev/null
expect_has "revoke by user: first token" "$(api "check_user_login_status&user_id=10001&token=$t1")" '"code":401'
expect_has "revoke by user: second token" "$(api "check_user_login_status&user_id=10001&token=$t2")" '"code":401'
expect_has "game page refuses a revoked token" \
    "$(page "http://$PORTAL/DODev_C/index.php?type=web&action=game_play&server_id=101&user_id=10001&user_name=korvo&user_token=$t1&user_email=korvo@korvo.test")" \
    "登录状态无效"

# --- control itself
expect_has "JSON body" "$(curl -s -H 'Content-Type: application/json' \
    -d '{"op":"fault","endpoint":"left","delay_ms":5,"bom":true}' "http://$PORTAL/__control")" '"left":{"bom":true'
expect_eq "unknown op" "$(status_of "http://$PORTAL/__control?op=explode")" "400"
expect_eq "fault without endpoint" "$(status_of "http://$PORTAL/__control?op=fault&word=x")" "400"
expect_eq "bad delay" "$(status_of "http://$PORTAL/__control?op=fault&endpoint=x&delay_ms=abc")" "400"
expect_eq "delay above the limit" "$(status_of "http://$PORTAL/__control?op=fault&endpoint=x&delay_ms=999999")" "400"
expect_eq "revoke without whom" "$(status_of "http://$PORTAL/__control?op=revoke")" "400"
expect_has "reset clears faults" "$(control "op=reset")" '"faults":{}'
expect_eq "reset restores collections" "$(api "user_collection_add&user_id=10001&game_host=xianxia&server_id=104")" "success"

# --- request log
size=$(page "http://$PORTAL/__log" | wc -l)
api "game_list&game_host=sanguo" > /dev/null
entry=$(page "http://$PORTAL/__log?from=$size")
expect_eq "log from an offset" "$(printf '%s\n' "$entry" | grep -c .)" "1"
expect_has "log entry fields" "$entry" '"endpoint":"game_list","host":"portal","method":"GET","params":{"action":"game_list","game_host":"sanguo","type":"open"},"path":"/DODev_C/index.php","query":"type=open&action=game_list&game_host=sanguo","status":200'
expect_lacks "control calls are not logged" "$(cat "$WORK/log.jsonl")" "__control"
expect_eq "log file and memory agree" "$(wc -l < "$WORK/log.jsonl")" "$(page "http://$PORTAL/__log" | wc -l)"

# --- hostile replies
control "op=fault&endpoint=check_update&gzip_bomb_mib=64&times=1" > /dev/null
curl -s -D "$WORK/bomb.h" -o "$WORK/bomb.gz" "http://$PORTAL/DODev_C/index.php?type=open&action=check_update"
expect_has "gzip bomb says gzip" "$(cat "$WORK/bomb.h")" "Content-Encoding: gzip"
expect_eq "gzip bomb is small" "$([ "$(wc -c < "$WORK/bomb.gz")" -lt 200000 ] && echo yes)" "yes"
expect_eq "gzip bomb inflates to its size" "$(gzip -dc < "$WORK/bomb.gz" | wc -c)" "67108864"

control "op=fault&endpoint=check_update&endless_headers=1&times=1" > /dev/null
curl -s -m 1 -o /dev/null -D "$WORK/endless.h" "http://$PORTAL/DODev_C/index.php?type=open&action=check_update"
expect_eq "endless headers: an interim reply first" "$(head -n 1 "$WORK/endless.h" | tr -d '\r')" "HTTP/1.1 100 Continue"
expect_eq "endless headers keep coming" "$([ "$(grep -c '^X-Filler-' "$WORK/endless.h")" -gt 100 ] && echo yes)" "yes"
expect_eq "endless headers never end" "$(grep -c '^HTTP/1.1 200' "$WORK/endless.h")" "1"

control "op=fault&endpoint=check_update&word=already&drip_ms=150&times=1" > /dev/null
start=$(millis); dripped=$(api check_update); took=$(( $(millis) - start ))
expect_eq "drip keeps the body" "$dripped" "already"
expect_eq "drip sends a byte at a time" "$([ "$took" -ge 900 ] && echo yes)" "yes"

control "op=fault&endpoint=user_login&large_bytes=3000000&times=1" > /dev/null
large=$(login korvo korvo123)
email=$(json_field "$large" user_email)
expect_eq "large member" "${#email}" "3000000"
expect_eq "large reply stays a login" "$(json_field "$large" user_id)" "10001"
control "op=fault&endpoint=check_update&large_bytes=10&large_field=last_version&times=1" > /dev/null
expect_eq "large member by name" "$(json_field "$(api check_update)" last_version)" "xxxxxxxxxx"

control "op=fault&endpoint=user_login&dup_keys=500&times=1" > /dev/null
dup=$(login korvo korvo123)
expect_eq "repeated keys" "$(printf '%s' "$dup" | grep -o '"dup":{"n":\[1\]}' | wc -l)" "500"
expect_eq "repeated keys before the reply's own" "$(json_field "$dup" user_id)" "10001"

control "op=fault&endpoint=/DODev_C/avatar.php&image_px=20000&times=1" > /dev/null
curl -s -o "$WORK/huge.png" "http://$PORTAL/DODev_C/avatar.php?user_id=10001"
expect_eq "huge picture is a PNG of its size" "$(head -c 24 "$WORK/huge.png" | tail -c 8 | hex)" "00004e2000004e20"
expect_eq "huge picture is small" "$([ "$(wc -c < "$WORK/huge.png")" -lt 3000000 ] && echo yes)" "yes"
if command -v python3 > /dev/null; then
    expect_eq "huge picture decodes" "$(python3 -c 'import sys, zlib
d = open(sys.argv[1], "rb").read(); i = d.index(b"IDAT")
n = int.from_bytes(d[i-4:i], "big"); o = zlib.decompressobj()
t = len(o.decompress(d[i+4:i+4+n], 1 << 24))
while o.unconsumed_tail: t += len(o.decompress(o.unconsumed_tail, 1 << 24))
print(t, o.eof)' "$WORK/huge.png")" "1600020000 True"
else
    skip "huge picture decodes: no python3"
fi
expect_eq "bad size" "$(status_of "http://$PORTAL/__control?op=fault&endpoint=x&image_px=0")" "400"

# --- hostile pages in place of an answer
control "op=fault&endpoint=/news&page=popups&count=40&times=1" > /dev/null
expect_has "a page of popups" "$(curl -s "http://$PORTAL/news")" "for (var i = 0; i < 40; ++i) { window.open("
control "op=fault&endpoint=/news&page=huge_argument&kind=http_data&count=10240&times=1" > /dev/null
expect_has "a page with a huge bridge argument" "$(curl -s "http://$PORTAL/news")" "GetHttpData('x'.repeat(10485760))"
control "op=fault&endpoint=/news&page=dialogs&kind=confirm&times=1" > /dev/null
expect_has "confirm() without end" "$(curl -s "http://$PORTAL/news")" "for (var i = 0;; ++i) { confirm("
expect_eq "unknown page" "$(status_of "http://$PORTAL/__control?op=fault&endpoint=x&page=nothing")" "400"

# --- a delayed reply does not hold up the end
control "op=fault&endpoint=check_update&delay_ms=60000" > /dev/null
curl -s -m 120 "http://$PORTAL/DODev_C/index.php?type=open&action=check_update" > /dev/null &
# Once the client is connected, the reply waits a minute; the end must not.
until ss -Htn state established "( sport = :${PORTAL##*:} )" | grep -q .; do sleep 0.1; done
start=$(millis); stop_portal; took=$(( $(millis) - start ))
expect_eq "SIGTERM ends the server while a reply waits" "$([ "$took" -lt 30000 ] && echo yes)" "yes"
wait

finish
