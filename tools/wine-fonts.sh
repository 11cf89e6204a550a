#!/usr/bin/env bash
# Links Wine's own fonts (fonts-wine: Marlett, Tahoma, Courier, MS Sans Serif ...) into
# the Fonts folder of the prefix in WINEPREFIX, once the prefix is made. Debian's Wine
# looks for them under a path it cannot resolve, so without the links every glyph of
# Marlett (combo arrows, caption buttons) shows as a letter and "Courier" is proportional.
# Fonts already there stay; several programs may start at once.
fonts="${WINEPREFIX:?}/drive_c/windows/Fonts"
[ -d "$fonts" ] && [ -d /usr/share/wine/fonts ] || exit 0
for font in /usr/share/wine/fonts/*; do
    [ -e "$fonts/${font##*/}" ] || ln -s "$font" "$fonts/" 2>/dev/null
done
exit 0
