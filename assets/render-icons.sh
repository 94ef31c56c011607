#!/bin/sh
# Renders the hand-drawn SVG sources in icons_Korvo/src into the PNG and GIF
# files that the client and its style sheets load. Every PNG comes twice: NAME.png
# at its size and NAME@2x.png at twice that, which Qt takes by itself, for
# widgets and style sheets alike, on a screen scaled past 100 %. The rendered files are
# committed, so building the client never needs these tools; run this script
# after editing a source and commit both.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -eu
cd "$(dirname "$0")"

src=icons_Korvo/src
out=icons_Korvo
green='#6dbe06'
grey='#8a949b'

# render SOURCE WIDTH HEIGHT [TARGET]: SOURCE.svg drawn at WIDTH x HEIGHT.
render() {
    rsvg-convert -w "$2" -h "$3" -o "$out/${4:-$1}.png" "$src/$1.svg"
    rsvg-convert -w $(($2 * 2)) -h $(($3 * 2)) -o "$out/${4:-$1}@2x.png" "$src/$1.svg"
}

# variant SOURCE SIZE TARGET FROM TO: SOURCE.svg with the text FROM replaced by
# TO (another colour or line weight), drawn at SIZE x SIZE.
variant() {
    sed "s/$4/$5/g" "$src/$1.svg" | rsvg-convert -w "$2" -h "$2" -o "$out/$3.png"
    sed "s/$4/$5/g" "$src/$1.svg" | rsvg-convert -w $(($2 * 2)) -h $(($2 * 2)) -o "$out/$3@2x.png"
}

# nav SOURCE COLOUR TARGET: an 18 px glyph on the 29 x 36 canvas of a home
# toolbar section button; the glyph sits 11 px from the left edge, the style
# sheet puts the button text right of it. No time stamps go into the file, so
# that a re-run changes nothing.
nav() {
    nav_at "$@" 1 ""
    nav_at "$@" 2 @2x
}

nav_at() {
    sed "s/$green/$2/g" "$src/$1.svg" | rsvg-convert -w $((18 * $4)) -h $((18 * $4)) |
        convert - -background none -gravity west -splice $((11 * $4))x0 \
            -gravity center -extent $((29 * $4))x$((36 * $4)) \
            -strip -define png:exclude-chunks=date,time "png32:$out/$3$5.png"
}

# Title bar, main menu, tray, close glyphs and check indicators: 16 x 16.
for name in icon_window_small icon_window_big icon_window_restore icon_window_close \
    icon_skin icon_setting_down icon_downarrow_white \
    icon-menu-setting icon-menu-site icon-menu-update icon-menu-about icon-menu-resources \
    icon-tray-show icon-tray-exit icon-close-dark \
    icon-check-off icon-check-on icon-radio-off icon-radio-on; do
    render "$name" 16 16
done
variant icon_downarrow_white 16 icon-combo-arrow '#ffffff' "$grey"
variant icon-close-dark 16 icon-close-red "$grey" '#e5483c'

# Toolbar buttons without text, and the small-account table buttons: 24 x 24.
for name in icon-refresh icon-back icon-forward icon-voice icon-voice-open \
    icon-money icon-coin-add icon-points-get icon-service icon-clean icon-gift \
    icon-hide icon-delete icon-playgame; do
    render "$name" 24 24
done

# Exit-full-screen notice and the side bar's manager button: 20 x 20.
render icon-exitfull 20 20
render icon-small-account 20 20

# Game toolbar buttons with text carry a 16 px icon left of it, drawn with a
# heavier line so that it holds its own beside the text.
for name in icon-small-account icon-refresh icon-fullscreen icon-shop \
    icon-firstpay icon-gift icon-screenshot icon-collect; do
    variant "$name" 16 "$name-16" 'stroke-width="2"' 'stroke-width="2.5"'
done

# Home toolbar sections: grey at rest, green when hovered or selected.
for name in icon-home icon-web icon-android icon-h5; do
    nav "$name" "$grey" "$name"
    nav "$name" "$green" "$name-hover"
done

render icon-close-green-small 26 26
render logo 256 256
render logo-2 111 141
render update-1 121 141
render icon-clear-cache-1 110 110
rsvg-convert -w 32 -h 32 -o favicons/favicon_Korvo.png "$src/logo.svg"

# The application icon of the installed program, at the sizes of the hicolor
# theme; logo.svg itself is installed as the scalable one.
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$src/logo.svg" |
        convert - -strip -define png:exclude-chunks=date,time "png32:linux/hicolor/$size.png"
done

# The default avatar is a GIF; its transparency is one bit deep.
rsvg-convert -w 64 -h 64 "$src/noavatar_big.svg" |
    convert - -channel A -threshold 50% +channel "$out/noavatar_big.gif"
