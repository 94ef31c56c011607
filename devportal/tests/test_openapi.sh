#!/bin/bash
# JSON calls of the portal index ("type=open"), as the client sends them.
. "$(dirname "$0")/lib.sh"
start_portal

token=$(json_field "$(login korvo korvo123)" user_token)

# --- account check
expect_eq "account check of a live token" "$(api "check_user_login_status&user_id=10001&token=$token")" \
    '{"code":200,"msg":"ok"}'
expect_has "account check of a wrong token" "$(api "check_user_login_status&user_id=10001&token=nope")" '"code":401'
expect_has "account check without a token" "$(api "check_user_login_status&user_id=10001")" '"code":400'
expect_has "code is a number, not text" "$(api "check_user_login_status&user_id=10001&token=nope")" '{"code":401,'

# --- game list
expect_has "game list names the game id as text" "$(api "game_list&game_host=xianxia")" '[{"game_host":"xianxia","game_id":"1"'
expect_eq "game list of an unknown host" "$(api "game_list&game_host=nosuch")" "query is empty"
expect_eq "game list without a host" "$(api "game_list")" "query is empty"
expect_has "game list by one of its servers" "$(api "game_list&server_id=203")" '"game_host":"longcheng"'
expect_eq "game list of an unknown server" "$(api "game_list&server_id=999")" "query is empty"

# --- collections: every answer of the add call
add() { api "user_collection_add&user_id=$1&game_host=$2&server_id=$3"; }
expect_eq "add a new server" "$(add 10001 xianxia 103)" "success"
expect_eq "add it again" "$(add 10001 xianxia 103)" "already"
expect_eq "server of another game" "$(add 10001 xianxia 201)" "server error"
expect_eq "unknown server" "$(add 10001 xianxia 999)" "server error"
expect_eq "unknown game" "$(add 10001 nosuch 101)" "game error"
expect_eq "H5 games have no servers to collect" "$(add 10001 snake 101)" "game error"
expect_eq "missing server id" "$(api "user_collection_add&user_id=10001&game_host=xianxia")" "params error"
expect_eq "non-numeric user id" "$(add abc xianxia 101)" "params error"
expect_eq "unknown user" "$(add 99999 xianxia 101)" "failed"
for sid in 101 102 103 104 105 106; do add 10002 xianxia $sid > /dev/null; done
expect_eq "seventh server of one game" "$(add 10002 xianxia 107)" "server_6"
for host_sid in longcheng:201 sanguo:301 haidao:401 moyu:501 fengyun:601; do
    add 10002 "${host_sid%:*}" "${host_sid#*:}" > /dev/null
done
expect_eq "seventh game" "$(add 10002 xingji 701)" "game_6"
expect_eq "more servers of a collected game are still fine" "$(add 10002 longcheng 202)" "success"

list=$(api "user_collection&show_all=1&user_id=10001")
expect_has "collection entry with ids as text" "$list" '"gid":"1","id":"1","sid":"101","sname":"双线1服 青龙"'
expect_has "collection entry names its game" "$list" '{"game":{"host":"xianxia","name":"仙侠传说"}'
expect_has "added server listed" "$list" '"sid":"103"'
expect_eq "collection of a user without entries" "$(api "user_collection&show_all=1&user_id=10004")" "[]"
expect_eq "collection without user" "$(api "user_collection&show_all=1")" "params error"
cid=$(printf '%s' "$list" | grep -o '"id":"[0-9]*","sid":"103"' | cut -d'"' -f4)
expect_eq "delete a collected server" "$(api "user_collection_delete&collection_id=$cid")" "success"
expect_eq "delete it again" "$(api "user_collection_delete&collection_id=$cid")" "failed"
expect_eq "delete without id" "$(api "user_collection_delete")" "params error"
expect_lacks "deleted entry gone" "$(api "user_collection&show_all=1&user_id=10001")" '"sid":"103"'

# --- screenshot upload and publishing
upload() { curl -s -w '\n%{http_code}' "$@" "http://$PORTAL/DODev_C/index.php?type=open&action=dynamic_upimg"; }
photo="$(dirname "$0")/../www/skins/blue/photo.jpg"
reply=$(upload -F "file=@$photo;type=image/jpeg;filename=/tmp/korvobox_20250101120000000.jpg")
ref=$(printf '%s' "$reply" | head -1)
expect_eq "upload answers 200" "$(printf '%s' "$reply" | tail -1)" "200"
expect_eq "upload answers a reference" "$(printf '%s' "$ref" | grep -cE '^/upload/dynamic/[0-9]+_[0-9a-f]+\.jpg$')" "1"
curl -s -o "$WORK/back.jpg" "http://$PORTAL$ref"
expect_eq "uploaded picture served back unchanged" "$(cmp -s "$photo" "$WORK/back.jpg" && echo same)" "same"
expect_eq "upload without a file part" "$(upload -F "other=@$photo" | tail -1)" "400"
printf 'not a picture' > "$WORK/text.jpg"
expect_eq "upload of something not JPEG" "$(upload -F "file=@$WORK/text.jpg;type=image/jpeg" | tail -1)" "400"
expect_eq "upload with a broken multipart body" \
    "$(upload -H 'Content-Type: multipart/form-data; boundary=XyZ' --data-binary $'--XyZ\r\ngarbage' | tail -1)" "400"
expect_eq "upload with no body" "$(upload -X POST | tail -1)" "400"
publish() { api "public_dynamic&user_id=$1&account=$2&content=$3&attachment=$4"; }
expect_eq "publish with the reference" "$(publish 10001 korvo 'nice%20shot' "$ref")" "success"
expect_eq "publish with an empty comment" "$(publish 10001 korvo '' "$ref")" "success"
expect_eq "publish with an unknown picture" "$(publish 10001 korvo hi /upload/dynamic/x.jpg)" "failed"
expect_eq "publish for another account name" "$(publish 10001 mingyue hi "$ref")" "failed"
expect_eq "publish without user" "$(publish '' korvo hi "$ref")" "params error"
expect_has "feed shows the post" "$(page "http://$PORTAL/dynamic.php")" "nice shot"

# --- start-up data for routing and the update check
rules=$(api url_interceptor)
expect_has "payment rule matches this portal" "$rules" "\"recharge\":\"http://127\\\\.0\\\\.0\\\\.1:${PORTAL#*:}/pay/.*\""
expect_has "host rule present" "$rules" '"host":{"cashier":'
map=$(api game_id_host_map)
expect_has "game id map" "$map" '"1":"xianxia"'
expect_eq "map holds every web game" "$(printf '%s' "$map" | grep -o '"[0-9]*":' | wc -l)" "7"
expect_lacks "map leaves out H5 games" "$map" "snake"
update=$(api check_update)
expect_eq "default latest version" "$(json_field "$update" last_version)" "1.5.1.4"
expect_has "download address on this portal" "$(json_field "$update" down_url)" "http://$PORTAL/sy/download.php"
control "op=latest_version&version=1.5.2.0" > /dev/null
expect_eq "latest version set over the control" "$(json_field "$(api check_update)" last_version)" "1.5.2.0"

expect_has "unknown action" "$(api nosuch)" '"code":404'
expect_has "POST to another action" "$(curl -s -X POST -d x=1 "http://$PORTAL/DODev_C/index.php?type=open&action=game_list")" '"code":404'

finish
