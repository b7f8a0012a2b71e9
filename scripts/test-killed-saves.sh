#!/bin/sh
# Kills save_stress.exe (SIGKILL, no warning) at random moments while it saves into and deletes
# from a library of 10,000 palettes; each next start loads what the kill left with the real loader
# and says how it compares with the palettes before and after the operation that was cut short.
# Run inside scripts/with-display.sh: test-killed-saves.sh BUILD_DIR [KILLS] [MAX_DELAY_MS]
set -e
. "$(dirname "$0")/wine-env.sh"
build=$(cd "$1" && pwd)
kills=${2:-500}
max_delay=${3:-400}
work=$build/killed-saves
rm -rf "$work"
mkdir -p "$work"
cd "$work"

findings=$work/findings.txt
# Running, not ended: a child that has ended stays a zombie until it is waited for.
running() { ps -o stat= -p "$1" | grep -q '^[^Z]'; }
# save_stress.exe only ends by itself when it finds damage it does not allow, or a write fails.
ended_by_itself() {
    code=0
    wait "$pid" || code=$?
    echo "save_stress.exe ended by itself with status $code in run $run:"
    tail -n 2 "$findings"
    exit 1
}

start=$(date +%s)
run=0
while [ "$run" -lt "$kills" ]; do
    rm -f stress-ready
    wine "$build/save_stress.exe" "$run" >>"$findings" 2>&1 </dev/null &
    pid=$!
    while [ ! -e stress-ready ]; do
        running "$pid" || ended_by_itself
        sleep 0.01
    done
    delay=$(($(od -An -N2 -tu2 /dev/urandom) % max_delay))
    sleep "$((delay / 1000)).$(printf %03d $((delay % 1000)))"
    running "$pid" || ended_by_itself
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    run=$((run + 1))
done
status=0
wine "$build/save_stress.exe" "$run" check >>"$findings" 2>&1 </dev/null || status=1

# The first line is the library being made, before any kill.
operations=$(sed -n 's/^run [0-9]* op \([0-9]*\):.*/\1/p' "$findings" | awk '{ n += $1 } END { print n }')
echo "$kills kills in $(($(date +%s) - start)) s, $operations saves and deletes between them; what each kill left:"
echo "$(grep -c 'held the library' "$findings") times the killed process held the library a moment longer"
grep '^run [0-9]* op ' "$findings" | sed 's/^run [0-9]* op [0-9]*: //; s/ [0-9]* of [0-9]*//; s/ to [0-9]*//' |
    sort | uniq -c | sort -rn
exit $status
