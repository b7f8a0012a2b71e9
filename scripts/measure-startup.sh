#!/bin/sh
# How long Huewright takes to show its window, against a bare dialog of 42 standard controls started
# the same way, and what memory and idle CPU it takes once up. Both programs start in turns (bare,
# Huewright, bare, ...) in one warm Wine state: the prefix's server stays up through all the starts,
# and one start of each, not counted, comes first. A start is timed from just before `wine` is run
# until the X server maps the program's top-level window (time-to-map.py, which sleeps on X events
# meanwhile, so its cost is the same for both programs); the CPU the program and the prefix's server
# used over that span is read too, since on a machine shared with other work it varies far less than
# the wall time. Once the window is up and has been idle
# 1 s, the program's own resident memory (VmRSS) is read, then the CPU the program and the prefix's
# server use over IDLE_SECONDS more. Every Huewright start is a first start: a fresh working folder
# and no settings. The series runs twice, with no library and with a generated library of 100,000
# palettes copied into each fresh folder. Run by `make measure-startup` after `make windows`.
# Regression guards, which fail the run: the window mapped within 1.3 times the bare dialog's time
# (1.35 times with the library), Huewright's own RSS at most 28 MiB and no CPU of its own while idle.
# measure-startup.sh EXE BARE_EXE
set -e
exe=$(realpath "$1")
bare=$(realpath "$2")
scripts=$(cd "$(dirname "$0")" && pwd)
count=${COUNT:-5}
idle=${IDLE_SECONDS:-3}
palettes=100000
work=$(mktemp -d)
trap 'cd /; rm -rf "$work"' EXIT

. "$scripts/wine-processes.sh"
server=$(prefix_server)
if [ -z "$server" ]; then
    echo "measure-startup: the prefix's wineserver is not running" >&2
    exit 1
fi
first_server=${server# }
first_server=${first_server%% *}

milliseconds() {
    echo $(($1 * 1000 / $(getconf CLK_TCK)))
}

# The current-format library: 260-byte records, each a named palette with its colors and font.
python3 "$scripts/make-library.py" "$work/library.dat" "$palettes"

wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true

# start PROGRAM TITLE [LIBRARY]: one start in a fresh folder; sets ms, cpu (program and server, ms,
# until mapped), rss (KiB), own and served (idle ticks of the program and of the server).
start() {
    if [ "$1" = "$exe" ]; then
        wine reg delete 'HKCU\Software\Lumenfold' /f >/dev/null 2>&1 || true
    fi
    folder=$(mktemp -d "$work/start.XXXXXX")
    [ -n "$3" ] && cp "$3" "$folder/palettes.dat"
    cd "$folder"
    set -- $(python3 "$scripts/time-to-map.py" --server $first_server "$2" wine "$1")
    ms=$1 cpu=$(($3 + $4))
    process=$(of_prefix $2)
    if [ -z "$process" ]; then
        echo "measure-startup: the program started is not running" >&2
        exit 1
    fi
    sleep 1
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$process/status")
    p0=$(ticks $process) s0=$(ticks $server)
    sleep "$idle"
    own=$(($(ticks $process) - p0)) served=$(($(ticks $server) - s0))
    kill "$process"
    while [ -e "/proc/$process" ]; do sleep 0.1; done
    cd "$work"
    rm -rf "$folder"
}

ratio() {
    echo "$1 $2" | awk '{ printf "%.2f", $1 / $2 }'
}

failures=0
# guard WHAT VALUE LIMIT: one line, and a failure when VALUE is above LIMIT.
guard() {
    if echo "$2 $3" | awk '{ exit !($1 > $2) }'; then
        echo "  GUARD FAILED: $1 $2 > $3"
        failures=$((failures + 1))
    else
        echo "  guard kept: $1 $2 <= $3"
    fi
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# series LABEL MAPPED_LIMIT [LIBRARY]: COUNT starts of each program in turns, then the figures and
# the guards.
series() {
    label=$1 limit=$2 library=${3:-}
    start "$bare" "Bare dialog"
    start "$exe" Huewright "$library"
    bare_ms= bare_cpu= bare_rss= ms_list= cpu_list= rss_list= idle_own=0 idle_served=0 bare_idle=0
    for _ in $(seq "$count"); do
        start "$bare" "Bare dialog"
        bare_ms="$bare_ms $ms" bare_cpu="$bare_cpu $cpu" bare_rss="$bare_rss $rss"
        bare_idle=$((bare_idle + own + served))
        start "$exe" Huewright "$library"
        ms_list="$ms_list $ms" cpu_list="$cpu_list $cpu" rss_list="$rss_list $rss"
        idle_own=$((idle_own + own)) idle_served=$((idle_served + served))
    done
    b=$(median $bare_ms) h=$(median $ms_list) bc=$(median $bare_cpu) hc=$(median $cpu_list)
    echo "$label:"
    echo "  window mapped after: bare dialog $b ms, Huewright $h ms (ratio $(ratio "$h" "$b"))"
    echo "  CPU until then, program + wineserver: bare dialog $bc ms, Huewright $hc ms (ratio $(ratio "$hc" "$bc"))"
    echo "  own RSS: bare dialog $(median $bare_rss | awk '{ printf "%.1f", $1 / 1024 }') MiB, Huewright" \
        "$(median $rss_list | awk '{ printf "%.1f", $1 / 1024 }') MiB"
    echo "  idle CPU over ${idle} s, all $count starts together: Huewright $(milliseconds $idle_own) ms," \
        "its wineserver $(milliseconds $idle_served) ms (bare dialog and server: $(milliseconds $bare_idle) ms)"
    echo "  Huewright's starts: $ms_list ms ($cpu_list ms CPU); bare dialog's: $bare_ms ms ($bare_cpu ms CPU)"
    guard "window mapped, ratio to the bare dialog" "$(ratio "$h" "$b")" "$limit"
    guard "own RSS, MiB" "$(median $rss_list | awk '{ printf "%.1f", $1 / 1024 }')" 28
    guard "idle CPU of its own, ms" "$(milliseconds $idle_own)" 0
}

echo "Median of $count starts each, in turns with a bare dialog of 42 controls, one warm Wine state:"
series "No library" 1.3
series "A library of $palettes palettes ($(($(stat -c %s "$work/library.dat") / 1000000)) MB)" 1.35 \
    "$work/library.dat"
if [ "$failures" -gt 0 ]; then
    echo "measure-startup: $failures guard(s) failed" >&2
    exit 1
fi
