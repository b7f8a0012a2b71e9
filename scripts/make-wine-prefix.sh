#!/bin/sh
# Creates and boots a Wine prefix once, then gives it fonts: make-wine-prefix.sh PREFIX [--unmanaged]
# Each step has its own marker, so a prefix made before a step existed is upgraded in place.
# --unmanaged (the tests' prefix) leaves Wine's windows unmanaged: with no window manager under
# Xvfb, Wine otherwise waits about 2 s for one at every close of a dialog or message box.
set -e
prefix=$1
unmanaged=$2
mkdir -p "$prefix"
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"

if [ ! -f "$prefix/system.reg" ] || [ ! -f "$prefix/.huewright-ready" ]; then
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait
    test -f "$prefix/system.reg"
fi

# Debian's Wine looks for its own fonts in a folder that does not exist, so without this every
# face (Marlett for the caption buttons, Tahoma, MS Shell Dlg) falls back to Liberation Sans.
if [ ! -f "$prefix/.huewright-fonts-1" ]; then
    fonts=/usr/share/wine/fonts
    ls "$fonts"/*.ttf >/dev/null 2>&1 || fonts=$(dirname "$(dpkg -L fonts-wine | grep '\.ttf$' | head -n 1)")
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp "$fonts"/*.ttf "$prefix/drive_c/windows/Fonts/"
    # Georgia and Verdana are not free; the closest installed faces stand in for them.
    key='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$key" /v Georgia /d "DejaVu Serif" /f >/dev/null 2>&1
    wine reg add "$key" /v Verdana /d "DejaVu Sans" /f >/dev/null 2>&1
    wineserver --wait
    grep -q '"Georgia"="DejaVu Serif"' "$prefix/user.reg"
    touch "$prefix/.huewright-fonts-1"
fi

if [ "$unmanaged" = --unmanaged ] && [ ! -f "$prefix/.huewright-unmanaged-1" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver --wait
    grep -q '"Managed"="N"' "$prefix/user.reg"
    touch "$prefix/.huewright-unmanaged-1"
fi

[ -f "$prefix/.huewright-ready" ] || touch "$prefix/.huewright-ready"
