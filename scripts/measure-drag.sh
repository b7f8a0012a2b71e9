#!/bin/sh
# What one drag move in the color field costs in CPU, all in: the program, wineserver and the X
# server together, read from /proc around a few hundred real pointer moves (XTest) 4 ms apart.
# First-color auto-assignment is on, so every move also repaints box 1. Measured three ways: the
# same moves over the status bar with no button held (the floor), a drag in the field, and a drag
# with the palette checker open. Run by `make measure-drag` after `make windows`.
# measure-drag.sh EXE
set -e
exe=$(realpath "$1")
scripts=$(cd "$(dirname "$0")" && pwd)
moves=${MOVES:-400}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
. "$scripts/start-window.sh"
start_huewright "$exe"
eval "$(xdotool getwindowgeometry --shell "$window")"

# Clock ticks used so far by the program, wineserver and the X server.
ticks() {
    total=0
    for process in $(pgrep -f 'huewright.exe') $(pgrep -x wineserver) $(pgrep -x Xvfb); do
        set -- $(sed 's/^.*) //' "/proc/$process/stat")
        total=$((total + ${12} + ${13}))
    done
    echo "$total"
}

# MOVES pointer moves between two points of a horizontal line, y fixed, with the given button
# held (0 for none); prints the CPU per move in microseconds.
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
    before=$(ticks)
    xdotool $commands
    sleep 0.3
    after=$(ticks)
    echo $(( (after - before) * 1000000 / $(getconf CLK_TCK) / moves ))
}

# "Auto-assign 1st color to:" with its default target, box 1 text.
xdotool mousemove $((X + 303)) $((Y + 302)) click 1
floor=$(sweep 0 $((X + 30)) $((X + 300)) $((Y + HEIGHT - 12)))
drag=$(sweep 1 $((X + 30)) $((X + 270)) $((Y + 100)))
xdotool mousemove $((X + 200)) $((Y + 200)) key F2
sleep 1
checked=$(sweep 1 $((X + 30)) $((X + 270)) $((Y + 100)))
xdotool key F2
echo "CPU per move, program + wineserver + X server, $moves moves 4 ms apart:"
echo "  over the status bar, no button (floor): $floor us"
echo "  dragging in the color field:            $drag us"
echo "  dragging with the checker open:       $checked us"
xdotool key alt+F4
sleep 2
