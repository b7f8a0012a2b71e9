#!/bin/sh
# Starts Huewright under Wine: run.sh PATH/TO/huewright.exe
# The working folder (where palettes.dat and huewright.html live) is run/ in the repository.
# With a display it runs in $HUEWRIGHT_WINEPREFIX or $WINEPREFIX when one is set, else in the
# project's own prefix ${XDG_DATA_HOME:-~/.local/share}/huewright/wineprefix, kept outside build/ so
# that it and its settings survive `make clean`. With no display it runs under a
# private Xvfb in the build's own prefix, saves a screenshot of the window to
# huewright-screenshot.png, closes the program and says so.
set -e
exe=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$root/run"
cd "$root/run"
# The user guide that Help > User guide opens from the working folder; copied afresh each run.
cp "$root/help.html" help.html

if [ -n "$DISPLAY" ]; then
    # A prefix the user names is used as it is; only the project's own is given fonts.
    prefix=${HUEWRIGHT_WINEPREFIX:-$WINEPREFIX}
    if [ -z "$prefix" ]; then
        prefix=${XDG_DATA_HOME:-$HOME/.local/share}/huewright/wineprefix
        "$root/scripts/make-wine-prefix.sh" "$prefix"
    fi
    export WINEPREFIX="$prefix"
    exec wine "$exe"
fi

echo "No display: running Huewright under Xvfb to take a screenshot."
prefix="$(dirname "$exe")/wineprefix"
"$root/scripts/make-wine-prefix.sh" "$prefix"
"$root/scripts/with-display.sh" "$prefix" "$root/scripts/screenshot.sh" "$exe" "$root/huewright-screenshot.png"
echo "Saved huewright-screenshot.png and closed Huewright."
