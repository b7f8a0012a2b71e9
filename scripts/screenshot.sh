#!/bin/sh
# Starts a Huewright executable on the current display, saves a PNG of its main window and closes
# it the way a user would: screenshot.sh EXE OUTPUT.png
# Wine draws the window frame itself here (no window manager), so the capture includes caption and
# menu bar.
set -e
exe=$1
out=$2
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
wine "$exe" &
pid=$!
window=
for _ in $(seq 300); do
    window=$(xdotool search --name '^Huewright$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "Huewright did not show its window." >&2
    kill "$pid" 2>/dev/null || true
    exit 1
fi
sleep "${HUEWRIGHT_SETTLE_SECONDS:-2}"
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus "$window" || true
xdotool key alt+F4
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || exit 0
    sleep 0.1
done
echo "Huewright did not close by itself; stopping it." >&2
wineserver -k
