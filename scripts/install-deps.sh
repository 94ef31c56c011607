#!/usr/bin/env bash
# Installs everything the client, the stand-in portal and the tests need on Debian 12.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config git
    qtbase5-dev qtbase5-dev-tools qtwebengine5-dev libqt5webchannel5-dev libqt5sql5-sqlite libqt5x11extras5-dev
    libx11-dev libxcb1-dev
    libssl-dev openssl libminizip-dev zlib1g-dev
    libcpp-httplib-dev nlohmann-json3-dev
    sqlite3 xvfb xauth trayer xdotool dbus-daemon fonts-noto-cjk imagemagick curl unzip time iproute2
    pulseaudio pulseaudio-utils libasound2-plugins
    weston qtwayland5
    clang-14 libclang-rt-14-dev
    desktop-file-utils appstream file dpkg-dev lintian
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
