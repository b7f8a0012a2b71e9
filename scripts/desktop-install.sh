#!/bin/sh
# Puts Huewright on a Linux desktop, or takes it off again:
#   desktop-install.sh install PREFIX HUEWRIGHT_EXE
#   desktop-install.sh uninstall PREFIX
# Installs PREFIX/bin/huewright (the Wine launcher), the program and its user guide in
# PREFIX/lib/huewright, the desktop entry and the icon at each hicolor size. Uninstalling also takes
# huewright-cli, which the build installs beside the launcher, and the user guide copied into the
# data folder; the palettes, settings and Wine prefix in the data folder stay.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
action=$1
prefix=$2
lib=$prefix/lib/huewright
apps=$prefix/share/applications
icons=$prefix/share/icons/hicolor
# The program's icon is drawn at 16 and 32 pixels; larger sizes double the 32 without blurring.
sizes="16 32 64 128 256"

case $action in
install)
    mkdir -p "$prefix/bin" "$lib" "$apps"
    cp "$3" "$root/help.html" "$root/scripts/make-wine-prefix.sh" "$root/scripts/wine-env.sh" "$lib/"
    sed "s|@LIBDIR@|'$lib'|" "$root/linux/huewright.in" >"$prefix/bin/huewright"
    chmod 755 "$prefix/bin/huewright"
    # The menu starts the launcher by its full path, whether or not PREFIX/bin is on the PATH.
    sed "s|@BINDIR@|$prefix/bin|" "$root/linux/huewright.desktop.in" >"$apps/huewright.desktop"
    for size in $sizes; do
        mkdir -p "$icons/${size}x$size/apps"
        if [ "$size" = 16 ]; then
            source="$root/res/icons/app_small.ico[0]"
        else
            source="$root/res/icons/app_big.ico"
        fi
        convert "$source" -filter point -resize "${size}x$size" "PNG32:$icons/${size}x$size/apps/huewright.png"
    done
    ;;
uninstall)
    rm -f "$prefix/bin/huewright" "$prefix/bin/huewright-cli" "$apps/huewright.desktop"
    rm -rf "$lib"
    for size in $sizes; do
        rm -f "$icons/${size}x$size/apps/huewright.png"
    done
    rm -f "${XDG_DATA_HOME:-$HOME/.local/share}/huewright/help.html"
    ;;
*)
    echo "Usage: desktop-install.sh install PREFIX HUEWRIGHT_EXE | uninstall PREFIX" >&2
    exit 2
    ;;
esac
