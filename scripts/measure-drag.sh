#!/bin/sh
# What one drag move in the color field costs in CPU, all in: the program, wineserver and the X
# server together, read from /proc around 500 real pointer moves (XTest) 4 ms apart. First-color
# auto-assignment is on, so every move also repaints box 1. Measured three ways: the same moves
# over box 1 with no button held (the floor), a drag in the field, and a drag with the palette
# checker open. Run by `make measure-drag` after `make windows`; DPI gives the screen's DPI, by which
# the places in the window are scaled.
# measure-drag.sh EXE
set -e
exe=$(realpath "$1")
scripts=$(cd "$(dirname "$0")" && pwd)
moves=${MOVES:-500}
dpi=${DPI:-96}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
. "$scripts/start-window.sh"
start_huewright "$exe"
eval "$(xdotool getwindowgeometry --shell "$window")"

# The three processes counted, found once the program runs: the program of this prefix, the
# prefix's own server and the X server of this display.
. "$scripts/wine-processes.sh"
program=$(of_prefix $(pgrep -x huewright.exe))
server=$(prefix_server)
xserver=${HUEWRIGHT_XVFB_PID:-$(pgrep -f "^Xvfb $DISPLAY( |\$)" || pgrep -x Xorg || true)}
for found in program server xserver; do
    if [ -z "$(eval echo \$$found)" ]; then
        echo "measure-drag: no $found process found" >&2
        exit 1
    fi
done

# MOVES pointer moves between two points of a horizontal line, y fixed, with the given button
# held (0 for none); prints the CPU per move in microseconds: all in, then the program's, the
# server's and the X server's shares.
sweep() {
    button=$1 left=$2 right=$3 y=$4
    commands="mousemove $left $y"
    [ "$button" -ne 0 ] && commands="$commands mousedown $button"
    x=$left step=3
    for _ in $(seq "$moves"); do
        x=$((x + step))
        if [ $x -ge "$right" ] || [ $x -le "$left" ]; then step=$((-step)); fi
        commands="$commands mousemove $x $y sleep 0.004"
    done
    [ "$button" -ne 0 ] && commands="$commands mouseup $button"
    sleep 0.5
    p0=$(ticks $program) s0=$(ticks $server) x0=$(ticks $xserver)
    xdotool $commands
    sleep 0.3
    p1=$(ticks $program) s1=$(ticks $server) x1=$(ticks $xserver)
    per_move() { echo $(($1 * 1000000 / $(getconf CLK_TCK) / moves)); }
    echo "$(per_move $((p1 - p0 + s1 - s0 + x1 - x0))) us (program $(per_move $((p1 - p0))), wineserver" \
        "$(per_move $((s1 - s0))), X server $(per_move $((x1 - x0))))"
}

# A place in the window, given at 96 DPI.
at() { echo $(($1 + $2 * dpi / 96)); }
# "Auto-assign 1st color to:" with its default target, box 1 text.
xdotool mousemove $(at $X 303) $(at $Y 302) click 1
floor=$(sweep 0 $(at $X 30) $(at $X 300) $(at $Y 460))
drag=$(sweep 1 $(at $X 30) $(at $X 270) $(at $Y 100))
xdotool mousemove $(at $X 200) $(at $Y 200) key F2
sleep 1
checked=$(sweep 1 $(at $X 30) $(at $X 270) $(at $Y 100))
xdotool key F2
echo "CPU per move, program + wineserver + X server, $moves moves 4 ms apart, at $dpi DPI:"
echo "  over box 1, no button (floor):          $floor"
echo "  dragging in the color field:            $drag"
echo "  dragging with the checker open:         $checked"
xdotool key alt+F4
sleep 2
