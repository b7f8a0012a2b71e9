#!/bin/sh
# Runs a command with an X display, starting a private Xvfb when there is none, and with a
# persistent wineserver for the given prefix so that consecutive Wine processes start quickly.
# with-display.sh PREFIX COMMAND [ARGS...]
set -e
prefix=$1
shift
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"

xvfb_pid=
if [ -z "$DISPLAY" ]; then
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            xvfb_pid=$!
            export DISPLAY=":$n"
            break
        fi
    done
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/${DISPLAY#:}" ] || [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
        sleep 0.1
    done
fi

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

wineserver -p >/dev/null 2>&1 || true
# Start Wine's session processes here, detached from the caller's output.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
status=0
"$@" || status=$?
exit $status
