#!/bin/bash
# Hostile skin packages: the real package of a skin with one thing changed.
. "$(dirname "$0")/lib.sh"
start_portal

# --- hostile skin packages: the real package with one thing changed
if command -v python3 > /dev/null; then
    listing() { curl -s -o "$WORK/skin.zip" "http://$PORTAL/skins/blue.zip"; python3 -c 'import sys, zipfile
z = zipfile.ZipFile(sys.argv[1]); print(" ".join("%s:%d" % (i.filename, i.file_size) for i in z.infolist()))' "$WORK/skin.zip"; }
    control "op=fault&endpoint=/skins/blue.zip&hostile_skin=extra_html&times=1" > /dev/null
    expect_has "a page beside the skin" "$(listing)" "blue/readme.html:"
    control "op=fault&endpoint=/skins/blue.zip&hostile_skin=large_qss&times=1" > /dev/null
    expect_eq "a 15 MiB sheet" "$(listing | grep -oE 'blue/style.qss:[0-9]{8}' | wc -l)" "1"
    control "op=fault&endpoint=/skins/blue.zip&qss_bytes=262145&times=1" > /dev/null
    expect_has "a sheet of an exact size" "$(listing)" "blue/style.qss:262145 "
    control "op=fault&endpoint=/skins/blue.zip&hostile_skin=qss_urls&times=1" > /dev/null
    curl -s -o "$WORK/skin.zip" "http://$PORTAL/skins/blue.zip"
    expect_eq "a sheet naming files outside" "$(python3 -c 'import sys, zipfile
print(b"url(/etc/shadow)" in zipfile.ZipFile(sys.argv[1]).read("blue/style.qss"))' "$WORK/skin.zip")" "True"
    control "op=fault&endpoint=/skins/blue.zip&hostile_skin=huge_photo&times=1" > /dev/null
    curl -s -o "$WORK/skin.zip" "http://$PORTAL/skins/blue.zip"
    expect_eq "a picture claiming 11000 x 11000" "$(python3 -c 'import sys, zipfile
d = zipfile.ZipFile(sys.argv[1]).read("blue/photo.jpg"); i = d.index(b"\xff\xc0")
print(d[i + 5:i + 9].hex())' "$WORK/skin.zip")" "2af82af8"
fi
expect_eq "unknown hostile skin" "$(status_of "http://$PORTAL/__control?op=fault&endpoint=x&hostile_skin=nope")" "400"

stop_portal
finish
