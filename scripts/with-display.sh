#!/bin/sh
# Runs a command with an X display, starting a private Xvfb when there is none, and with a
# persistent wineserver for the given prefix so that consecutive Wine processes start quickly.
# SCREEN gives the private display's size (1280x1024x24 unless set).
# with-display.sh PREFIX COMMAND [ARGS...]
set -e
prefix=$1
shift
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"

xvfb_pid=
if [ -z "$DISPLAY" ]; then
    # Xvfb picks a free display itself and writes its number, so runs side by side never share one.
    numberfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
    xvfb_pid=$!
    # For the measuring scripts, which count the X server's CPU too.
    export HUEWRIGHT_XVFB_PID=$xvfb_pid
    for _ in $(seq 100); do
        [ -s "$numberfile" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(tr -d '[:space:]' <"$numberfile")"
    rm -f "$numberfile"
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
