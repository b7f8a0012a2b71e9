#!/bin/sh
# Kills save_stress.exe (SIGKILL, no warning) at random moments while it saves into and deletes
# from a library of 10,000 palettes; each next start loads what the kill left with the real loader,
# rolling back a rewrite the kill cut short, and says how it compares with the palettes before and
# after the operation that was cut short. When a kill leaves a rollback journal behind, the next
# kill falls, one time in two, within 20 ms of the start's rollback beginning. Anything but the palettes before or after the operation stops the run with an error.
# Run inside scripts/with-display.sh: test-killed-saves.sh BUILD_DIR [KILLS] [MAX_DELAY_MS]
set -e
. "$(dirname "$0")/wine-env.sh"
build=$(cd "$1" && pwd)
kills=${2:-1000}
max_delay=${3:-400}
work=$build/killed-saves
rm -rf "$work"
mkdir -p "$work"
cd "$work"

findings=$work/findings.txt
# Running, not ended: a child that has ended stays a zombie until it is waited for.
running() { ps -o stat= -p "$1" | grep -q '^[^Z]'; }
# The journal file stays between rewrites, cleared: only one that starts with its mark is a journal.
live_journal() { [ "$(head -c 8 palettes.dat._journal 2>/dev/null)" = HUEJRNL2 ]; }
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
journals=0
early=0
while [ "$run" -lt "$kills" ]; do
    rm -f stress-ready
    wine "$build/save_stress.exe" "$run" >>"$findings" 2>&1 </dev/null &
    pid=$!
    if live_journal && [ $(($(od -An -N1 -tu1 /dev/urandom) % 2)) -eq 0 ]; then
        # The program notes "rollback" in its step journal as it begins to write the old bytes back.
        for _ in $(seq 1500); do
            tail -c 40 stress-journal.txt 2>/dev/null | grep -q rollback && break
            [ -e stress-ready ] && break
            sleep 0.002
        done
        delay=$(($(od -An -N1 -tu1 /dev/urandom) % 20))
        early=$((early + 1))
    else
        while [ ! -e stress-ready ]; do
            running "$pid" || ended_by_itself
            sleep 0.01
        done
        delay=$(($(od -An -N2 -tu2 /dev/urandom) % max_delay))
    fi
    sleep "$((delay / 1000)).$(printf %03d $((delay % 1000)))"
    running "$pid" || ended_by_itself
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    live_journal && journals=$((journals + 1))
    run=$((run + 1))
done
status=0
wine "$build/save_stress.exe" "$run" check >>"$findings" 2>&1 </dev/null || status=1

# The first line is the library being made, before any kill.
operations=$(sed -n 's/^run [0-9]* op \([0-9]*\):.*/\1/p' "$findings" | awk '{ n += $1 } END { print n }')
echo "$kills kills in $(($(date +%s) - start)) s, $operations saves and deletes between them; what each kill left:"
echo "$(grep -c 'held the library' "$findings") times the killed process held the library a moment longer"
echo "$journals kills left the rollback journal; $early kills fell just after the rollback that followed began"
grep '^run [0-9]* op ' "$findings" | sed 's/^run [0-9]* op [0-9]*: //; s/ [0-9]* of [0-9]*//; s/ to [0-9]*//' |
    sort | uniq -c | sort -rn
exit $status
