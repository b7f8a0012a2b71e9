#!/bin/sh
# Starts a Huewright executable on the current display, saves PNGs of its main window and closes
# it the way a user would.
#   screenshot.sh EXE OUTPUT.png            the window as it starts
#   screenshot.sh --modes EXE OUTPUT_DIR    one picture per selector mode (the arrow keys move
#                                           along the mode radios and Space selects, as a user would)
#   screenshot.sh --dialogs EXE OUTPUT_DIR  the window, the two-color blend (two right clicks in
#                                           the field), the About box (Help > About) and the
#                                           palette checker (F2)
# Wine draws the window frame itself here (no window manager), so the captures include the
# caption and the menu bar.
set -e
modes=
dialogs=
if [ "$1" = "--modes" ]; then
    modes=yes
    shift
elif [ "$1" = "--dialogs" ]; then
    dialogs=yes
    shift
fi
exe=$1
out=$2
. "$(dirname "$0")/start-window.sh"
start_huewright "$exe"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus "$window" || true

capture() {
    eval "$(xdotool getwindowgeometry --shell "${2:-$window}")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}

# The first window whose title matches, once it is there.
find_window() {
    for _ in $(seq 50); do
        found=$(xdotool search --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.2
    done
    echo "No window titled $1 appeared." >&2
    return 1
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
elif [ -n "$dialogs" ]; then
    mkdir -p "$out"
    capture "$out/screenshot.png"
    # Two right clicks in the color field pick two colors and open the blend.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 60)) $((Y + 80)) click 3
    sleep 0.3
    xdotool mousemove $((X + 180)) $((Y + 110)) click 3
    blend=$(find_window '^Two-color blend$')
    sleep 1
    capture "$out/blend.png" "$blend"
    eval "$(xdotool getwindowgeometry --shell "$blend")"
    xdotool mousemove $((X + 20)) $((Y + 40))
    press Escape
    xdotool mousemove $((X + 30)) $((Y + 30))
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 200)) $((Y + 200))
    press alt+h && press a
    about=$(find_window '^About Huewright$')
    sleep 1
    capture "$out/about.png" "$about"
    press Escape
    # F2 opens the palette checker beside the window.
    xdotool mousemove $((X + 200)) $((Y + 200))
    press F2
    checker=$(find_window '^Palette inspector$')
    sleep 1
    capture "$out/palette-checker.png" "$checker"
    press F2
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
