#!/bin/sh
# Starts Huewright under Wine: run.sh PATH/TO/huewright.exe
# The working folder (where palettes.dat and huewright.html live) is run/ in the repository.
# With a display it runs in the user's Wine prefix. With none it runs under a private Xvfb in the
# build's own prefix, saves a screenshot of the window to huewright-screenshot.png, closes the
# program and says so.
set -e
exe=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$root/run"
cd "$root/run"

if [ -n "$DISPLAY" ]; then
    exec wine "$exe"
fi

echo "No display: running Huewright under Xvfb to take a screenshot."
prefix="$(dirname "$exe")/wineprefix"
"$root/scripts/make-wine-prefix.sh" "$prefix"
"$root/scripts/with-display.sh" "$prefix" "$root/scripts/screenshot.sh" "$exe" "$root/huewright-screenshot.png"
echo "Saved huewright-screenshot.png and closed Huewright."
