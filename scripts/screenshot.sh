#!/bin/sh
# Starts a Huewright executable on the current display, saves PNGs of its main window and closes
# it the way a user would.
#   screenshot.sh EXE OUTPUT.png            the window as it starts
#   screenshot.sh --modes EXE OUTPUT_DIR    one picture per selector mode (the arrow keys move
#                                           along the mode radios and Space selects, as a user would)
# Wine draws the window frame itself here (no window manager), so the captures include the
# caption and the menu bar.
set -e
modes=
if [ "$1" = "--modes" ]; then
    modes=yes
    shift
fi
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
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus "$window" || true

capture() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}

press() {
    xdotool key "$1"
    sleep 0.5
}

if [ -n "$modes" ]; then
    mkdir -p "$out"
    # The focus starts on the Saturation radio; Up walks towards Red, Down back to Brightness.
    capture "$out/saturation.png"
    press Up && press space && capture "$out/hue.png"
    press Up && press space && capture "$out/blue.png"
    press Up && press space && capture "$out/green.png"
    press Up && press space && capture "$out/red.png"
    for _ in 1 2 3 4 5; do press Down; done
    press space && capture "$out/brightness.png"
else
    capture "$out"
fi

xdotool key alt+F4
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || exit 0
    sleep 0.1
done
echo "Huewright did not close by itself; stopping it." >&2
wineserver -k
