#!/bin/bash
# Pages of the portal and the H5 host, skin packages, and requests that are plainly wrong.
. "$(dirname "$0")/lib.sh"
start_portal

reply=$(login korvo korvo123)
token=$(json_field "$reply" user_token)
# The identity cookies as the client writes them; the nickname percent-encoded.
COOKIE="user_id=10001; user_name=korvo; user_nick=%E7%A7%91%E6%B2%83%E7%8E%A9%E5%AE%B6; user_token=$token; plat_userid=20001"
web() { curl -s -b "$COOKIE" "http://$PORTAL/DODev_C/index.php?type=web&action=$1"; }
site() { curl -s -b "$COOKIE" "http://$PORTAL$1"; }
guest() { curl -s "http://$PORTAL$1"; }

# --- home and the lists: links that ask for new windows, in the shapes the client routes
home=$(web "index&v2")
expect_has "home title" "$home" "<title>Korvo游戏盒 - 首页</title>"
expect_has "home loads the channel script" "$home" '<script src="/qwebchannel.js"></script>'
expect_has "game host link" "$home" 'href="/xianxia" target="_blank"'
expect_has "game server link" "$home" 'href="/game_server.php?id=1" target="_blank"'
expect_has "game play link" "$home" 'href="/game_play/108.html" target="_blank"'
expect_has "H5 link on the H5 host" "$home" "href=\"http://127.0.0.1:${H5#*:}/snake\" target=\"_blank\""
expect_has "news link" "$home" 'href="/news/1.html" target="_blank"'
expect_has "diverted payment link" "$home" 'href="/pay/recharge.php?from=index" target="_blank"'
expect_has "bridge: web game" "$home" "korvo.openGame(&#39;xianxia&#39;, &#39;仙侠传说&#39;, &#39;&#39;"
expect_has "bridge: H5 game" "$home" "&#39;snake&#39;, &#39;贪吃蛇大作战&#39;, &#39;h5&#39;"
expect_has "bridge: app" "$home" "&#39;1031&#39;, &#39;口袋江湖&#39;, &#39;app&#39;"
expect_has "bridge: today's servers" "$home" "tab=today', 'todayserver')"
expect_has "bridge: open" "$home" "/dynamic.php', 'open')"
expect_has "search goes through the bridge" "$home" 'onsubmit="return korvo.search(this)"'
expect_has "links follow the Host header" \
    "$(curl -s -H "Host: localhost:${PORTAL#*:}" "http://$PORTAL/DODev_C/index.php?type=web&action=index&v2")" \
    "http://localhost:${H5#*:}/snake"

left=$(web "left&v2&user_id=10001")
expect_has "left column shows the nickname from the cookie" "$left" '<b id="nick">科沃玩家</b>'
expect_has "left column: sign-in" "$left" "korvo.call('Sign')"
for m in OpenJFSC SwitchUser LoginOut; do expect_has "left column: $m" "$left" "korvo.call('$m')"; done
expect_has "left column: recently played opens through the bridge" "$left" "korvo.openGame('xianxia'"
expect_has "left column: raw UTF-8 nickname cookie" \
    "$(curl -s -b "user_id=10002; user_nick=明月" "http://$PORTAL/DODev_C/index.php?type=web&action=left&v2")" '<b id="nick">明月</b>'
expect_has "left column for a guest" "$(guest "/DODev_C/index.php?type=web&action=left&v2")" "您还未登录"

list=$(web "web_game&v2")
expect_has "web games table" "$list" "龙城霸业"
expect_has "category links stay home lists" "$list" 'action=web_game_type&amp;v2&amp;genre='
expect_has "back through the bridge" "$list" "korvo.openUrl('', 'back')"
expect_has "search result" "$(web "web_game&v2&keyword=%E4%B8%89%E5%9B%BD")" "三国战纪"
expect_lacks "search filters" "$(web "web_game&v2&keyword=%E4%B8%89%E5%9B%BD")" "仙侠传说"
expect_has "today's servers" "$(web "web_game&v2&tab=today")" "今日新服"
expect_has "server table" "$(web "server_list&v2")" "开服表"
expect_has "last played" "$(web "web_game_last&v2")" "龙城霸业"
expect_has "mobile games" "$(web "mobile_game&v2")" "萌宠消消乐"
expect_has "H5 games" "$(web "h5_game&v2")" "弹球打砖块"
expect_has "side bar picks" "$(web left_bottom_three)" "三国战纪"

# --- pages for one user
play="game_play&server_id=101&user_id=10001&user_name=korvo&user_token=$token&user_email=korvo@korvo.test"
game=$(web "$play")
expect_has "game play title" "$game" "<title>仙侠传说 - 双线1服 青龙</title>"
expect_has "game play names the account" "$game" '<b id="player">korvo</b>'
expect_has "game play runs a canvas game" "$game" '<script src="/static/games/bricks.js"></script>'
expect_has "game play for another account's name" "$(web "${play/user_name=korvo/user_name=mingyue}")" "登录状态无效"
expect_has "game play of an unknown server" "$(web "${play/server_id=101/server_id=9}")" "服务器不存在"
expect_has "VIP page" "$(web "Vip_privilege&v2&user_id=10001&user_token=$token")" '<tr class="current"><td>VIP3</td>'
expect_has "VIP page without token" "$(web "Vip_privilege&v2&user_id=10001")" "登录状态无效"
expect_has "sign-in calendar" "$(web "user_signCalendar&v2&user_id=10001")" "签到日历"
# The page is the cookies' account's, whatever the query names, and says whether today is signed.
expect_has "sign-in calendar as the cookies' account" "$(web "user_signCalendar&v2&user_id=10002")" '<b id="signUser">korvo</b>'
expect_has "sign-in calendar before signing" "$(web "user_signCalendar&v2&user_id=10001")" 'data-signed="0"'
expect_has "sign-in calendar without cookies" "$(guest "/DODev_C/index.php?type=web&action=user_signCalendar&v2&user_id=10002")" '<b id="signUser">mingyue</b>'
expect_has "sign in" "$(web "user_signCalendar&v2&user_id=10001&do=sign")" "签到成功，获得10积分"
expect_has "sign in twice" "$(web "user_signCalendar&v2&user_id=10001&do=sign")" "今天已经签到过了"
expect_has "sign-in calendar after signing" "$(web "user_signCalendar&v2&user_id=10001")" 'data-signed="1"'
expect_has "points added" "$(login korvo korvo123)" '"points":"2690"'
skins=$(web "skin&v2&skin_code=blue")
expect_has "skin package link" "$skins" "korvo.openUrl('http://$PORTAL/skins/blue.zip', 'blue')"
expect_has "default skin" "$skins" "korvo.openUrl('', 'default')"
expect_has "current skin marked" "$skins" '海洋蓝</b><em>使用中</em>'
expect_has "unknown web action" "$(web nosuch)" "页面不存在"

# --- skin packages
curl -s -o "$WORK/blue.zip" "http://$PORTAL/skins/blue.zip"
if command -v unzip > /dev/null; then
    mkdir -p "$WORK/themes" && (cd "$WORK/themes" && unzip -q ../blue.zip)
    expect_eq "package unpacks style.qss" "$(cmp -s "$WORK/themes/blue/style.qss" "$(dirname "$0")/../www/skins/blue/style.qss" && echo same)" "same"
    expect_eq "package unpacks photo.jpg" "$(cmp -s "$WORK/themes/blue/photo.jpg" "$(dirname "$0")/../www/skins/blue/photo.jpg" && echo same)" "same"
    expect_eq "directory entry carries the plain directory attribute" \
        "$(zipinfo -v "$WORK/blue.zip" blue/ | grep -cE 'MS-DOS file attributes \(10 hex\): +dir')" "1"
else
    skip "skin package contents (no unzip here)"
fi
expect_eq "a second skin" "$(status_of "http://$PORTAL/skins/red.zip")" "200"
expect_eq "unknown skin" "$(status_of "http://$PORTAL/skins/none.zip")" "404"

# --- portal root pages
expect_has "user centre" "$(site /user.php)" "korvo@korvo.test"
expect_has "user centre lists small accounts" "$(site /user.php)" "korvo_xh1"
expect_has "user centre for a guest" "$(guest /user.php)" "请先登录"
expect_has "registration form" "$(guest /register.php)" 'name="password2"'
expect_has "registration" "$(curl -s -d 'user_name=webuser1&password=secret1&password2=secret1' "http://$PORTAL/register.php")" "注册成功"
expect_eq "registered on the web, logs in through the gateway" "$(json_field "$(login webuser1 secret1)" user_name)" "webuser1"
expect_has "registration of a taken name" "$(curl -s -d 'user_name=korvo&password=secret1&password2=secret1' "http://$PORTAL/register.php")" "账号名称已经存在"
expect_has "password reset" "$(curl -s -d 'user_name=korvo' "http://$PORTAL/forgetpass.php")" "重置邮件已发送"
expect_has "payment form" "$(site /pay-game.php)" 'PaySubmit'
expect_has "payment" "$(curl -s -b "$COOKIE" -d 'game_id=1&amount=100' "http://$PORTAL/pay-game.php")" '<b id="balance">228.50</b>'
expect_has "service" "$(site /service.php)" "tencent://message/"
expect_has "gift code" "$(site '/gift.php?take=1')" 'class="code">KV'
for p in /jfsc /jfsc/ /jfsc/earnPoint.php '/jfsc/firstpay/firstpay.php?from=dodev&game_id=2' '/game_card.php?id=1'; do
    expect_eq "page $p" "$(status_of -b "$COOKIE" "http://$PORTAL$p")" "200"
done
expect_has "points mall exchange" "$(site '/jfsc/?buy=4')" "兑换成功"
servers=$(site '/game.php?client=pcclient&host=xianxia')
expect_has "server list links game play pages" "$servers" 'href="/game_play/108.html" target="_blank"'
expect_has "server list links first pay" "$servers" "firstpay.php?from=dodev&amp;game_id=1"
expect_eq "server list of an unknown game" "$(status_of "http://$PORTAL/game.php?host=nosuch")" "404"
expect_eq "game server page redirects" "$(curl -s -o /dev/null -w '%{redirect_url}' "http://$PORTAL/game_server.php?id=2")" \
    "http://$PORTAL/game.php?client=pcclient&host=longcheng"
expect_eq "game host shortcut redirects" "$(curl -s -o /dev/null -w '%{redirect_url}' "http://$PORTAL/sanguo/")" \
    "http://$PORTAL/game.php?client=pcclient&host=sanguo"
expect_has "game play page from cookies" "$(curl -s -b "$COOKIE" -o /dev/null -w '%{redirect_url}' "http://$PORTAL/game_play/201.html")" \
    "action=game_play&server_id=201&user_id=10001&user_name=korvo&user_token=$token"
expect_has "news" "$(guest /news)" "游戏盒1.5版本更新说明"
expect_has "news item" "$(guest /news/2.html)" "新增小号管理"
expect_has "download page of an app" "$(guest '/sy/download.php?appid=1031&from=korvo_dodev')" "下载 口袋江湖"
expect_eq "avatar is a PNG" "$(curl -s "http://$PORTAL/DODev_C/avatar.php?user_id=10001" | head -c 4 | hex)" "89504e47"
expect_has "logout page clears the cookies" "$(curl -s -D - -o /dev/null "http://$PORTAL/DODev_C/DoAction.php?a=logout")" "user_token=; Path=/; Max-Age=0"
expect_eq "the channel script" "$(curl -s "http://$PORTAL/qwebchannel.js" | grep -c 'QWebChannel = function')" "1"

# --- H5 host
expect_has "H5 list" "$(curl -s "http://$H5/")" 'href="/bricks"'
intro=$(curl -s -b "$COOKIE" "http://$H5/snake")
expect_has "H5 game page" "$intro" 'href="/games/snake/1/play" target="_blank"'
expect_has "H5 game page knows the player" "$intro" "玩家：科沃玩家"
expect_has "H5 play page" "$(curl -s "http://$H5/games/bricks/3/play")" 'data-level="3"'
expect_eq "H5 game script" "$(status_of "http://$H5/static/games/snake.js")" "200"
expect_has "H5 gift cards" "$(curl -s -b "$COOKIE" "http://$H5/card_list.php")" 'class="code">H5'
expect_eq "unknown H5 game" "$(status_of "http://$H5/nosuch")" "404"
expect_eq "deeper H5 path" "$(status_of "http://$H5/snake/def")" "404"
expect_eq "web game on the H5 host" "$(status_of "http://$H5/xianxia")" "404"

# --- wrong requests
expect_eq "unknown path" "$(status_of "http://$PORTAL/no/such/page.php")" "404"
expect_eq "path escaping the www folder" "$(status_of --path-as-is "http://$PORTAL/static/../../CMakeLists.txt")" "404"
expect_eq "unknown method" "$(status_of -X DELETE "http://$PORTAL/user.php")" "404"
printf 'GARBAGE \x01\x02 nonsense\r\n\r\n' > /dev/tcp/127.0.0.1/"${PORTAL#*:}" 2> /dev/null
printf 'GET /%s HTTP/1.1\r\nHost: x\r\n\r\n' "$(head -c 20000 /dev/zero | tr '\0' a)" > /dev/tcp/127.0.0.1/"${PORTAL#*:}" 2> /dev/null
expect_eq "server alive after garbage" "$(status_of "http://$PORTAL/user.php")" "200"

finish
