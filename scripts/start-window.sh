# Sourced by the scripts that drive the program with xdotool: start_huewright EXE starts it with
# Wine leaving windows unmanaged (no window manager here), waits for its main window and sets
# $pid and $window, or stops the script when no window comes.
start_huewright() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wine "$1" &
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
}
