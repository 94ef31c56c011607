#!/bin/bash
# Login gateway: envelopes sealed with the openssl tool, opened by the server.
. "$(dirname "$0")/lib.sh"
start_portal

# --- key pair
expect_has "public key is a SubjectPublicKeyInfo PEM" "$(head -1 "$WORK/keys/public_key_korvo.pem")" "BEGIN PUBLIC KEY"
bits=$(openssl pkey -pubin -in "$WORK/keys/public_key_korvo.pem" -noout -text | head -1)
expect_has "key has 2048 bits" "$bits" "2048 bit"

# --- login
reply=$(login korvo korvo123)
expect_eq "login user_id as text" "$(json_field "$reply" user_id)" "10001"
expect_eq "login nickname" "$(json_field "$reply" user_nick)" "科沃玩家"
expect_eq "login plat_userid numeric text" "$(json_field "$reply" plat_userid)" "20001"
expect_eq "login e-mail" "$(json_field "$reply" user_email)" "korvo@korvo.test"
expect_has "login user_info level" "$reply" '"level":"3"'
expect_has "login user_info balance" "$reply" '"balance":"128.50"'
token=$(json_field "$reply" user_token)
expect_eq "token is 32 hex digits" "$(printf '%s' "$token" | grep -cE '^[0-9a-f]{32}$')" "1"
expect_has "log holds the decoded text with the digest" "$(last_log)" "\"appData\":\"$(login_text korvo korvo123)\""
expect_has "log names the sign" "$(last_log)" '"endpoint":"user_login"'
expect_lacks "an account without details has no user_info" "$(login lite lite1234)" "user_info"

expect_eq "wrong password" "$(login korvo wrong)" "password_error"
expect_eq "unknown account" "$(login nobody korvo123)" "nouser"
expect_eq "password not a digest" \
    "$(gateway "$(seal "datatype=user&sign=user_login&user_name=korvo&user_pass=korvo123&key=$API_KEY")")" "params error"
expect_eq "no account name" \
    "$(gateway "$(seal "datatype=user&sign=user_login&user_pass=$(md5 x)&key=$API_KEY")")" "params error"

# --- envelope shapes
short=$(seal "datatype=user&sign=user_login&user_name=korvo&user_pass=$(md5 korvo123)&key=$API_KEY")
expect_eq "a text over 100 bytes travels in two pieces" "$(printf '%s' "$short" | grep -o '%2C' | wc -l)" "1"
raw=$(printf '%s' "$short" | sed 's/%2B/+/g; s/%2F/\//g; s/%3D/=/g; s/%2C/,/g')
expect_eq "an envelope sent without percent-encoding still opens" "$(json_field "$(gateway "$raw")" user_id)" "10001"

# --- registration of small accounts
reg() { gateway "$(seal "datatype=user&sign=user_register&user_large_id=$1&user_name=$2&user_pass=$(md5 "$3")&key=$API_KEY")"; }
expect_eq "register without owner" \
    "$(gateway "$(seal "datatype=user&sign=user_register&user_name=newbie1&user_pass=$(md5 pw123456)&key=$API_KEY")")" \
    "params error"
expect_eq "register with an unknown owner" "$(reg 99999 newbie1 pw123456)" "params error"
expect_eq "register with a non-numeric owner" "$(reg abc newbie1 pw123456)" "params error"
reply=$(reg 10001 newbie1 pw123456)
expect_eq "register answers with the owner" "$(json_field "$reply" main_id)" "10001"
expect_eq "registered account logs in at once" "$(json_field "$(login newbie1 pw123456)" user_name)" "newbie1"
expect_eq "name taken" "$(reg 10001 newbie1 other123)" "username repeat"
expect_eq "name taken by a seeded account" "$(reg 10001 korvo other123)" "username repeat"
expect_eq "invalid name" "$(reg 10001 ab pw123456)" "failed"
expect_eq "small account of a small account belongs to the main account" \
    "$(json_field "$(reg 10003 newbie2 pw123456)" main_id)" "10001"

# --- token refresh
check() { gateway "$(seal "datatype=user&sign=user_checkloginstatus&user_id=$1&user_token=$2&key=$API_KEY")"; }
expect_has "live token" "$(check 10001 "$token")" '"code":200'
expect_has "token of another user" "$(check 10002 "$token")" '"code":401'
expect_eq "token check without token" "$(check 10001 "")" "params error"
control "op=revoke&user_id=10001" > /dev/null
expect_has "revoked token" "$(check 10001 "$token")" '"code":401'

# --- refused envelopes
expect_has "wrong API key" \
    "$(gateway "$(seal "datatype=user&sign=user_login&user_name=korvo&user_pass=$(md5 korvo123)&key=KXPL-wrongkey0000")")" \
    '"code":1001'
expect_has "unknown sign" "$(gateway "$(seal "datatype=user&sign=user_delete&key=$API_KEY")")" '"code":1004'
expect_eq "other data type" "$(gateway "$(seal "datatype=game&sign=user_login&key=$API_KEY")")" "params error"
expect_has "garbage appData" "$(gateway 'garbage%21%21')" '"code":1002'
expect_has "valid Base64 that is no block of ours" "$(gateway "$(printf 'hello' | base64)")" '"code":1002'
expect_eq "empty appData" "$(gateway '')" "params error"
expect_eq "no appData" "$(curl -s "http://$PORTAL/DODev_C/boxInit.php")" "params error"
good=$(seal "datatype=user&sign=user_login&key=$API_KEY")
expect_has "one good piece and one bad" "$(gateway "$good%2CAAAA")" '"code":1002'
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$WORK/other.pem" 2> /dev/null
openssl pkey -in "$WORK/other.pem" -pubout -out "$WORK/other_pub.pem"
expect_has "envelope for another key" "$(gateway "$(seal "$(login_text korvo korvo123)" "$WORK/other_pub.pem")")" '"code":1002'
many="$good"
for _ in $(seq 1 40); do many="$many%2C$good"; done
expect_eq "an over-long envelope is refused" "$(status_of "http://$PORTAL/DODev_C/boxInit.php?appData=$many")" "414"
expect_eq "server alive after garbage" "$(login korvo wrong)" "password_error"

# --- the key survives a restart
before=$(cat "$WORK/keys/public_key_korvo.pem")
sealed=$(seal "$(login_text korvo korvo123)")
stop_portal
start_portal
expect_eq "public key unchanged after restart" "$(cat "$WORK/keys/public_key_korvo.pem")" "$before"
expect_eq "old envelope opens after restart" "$(json_field "$(gateway "$sealed")" user_id)" "10001"

finish
