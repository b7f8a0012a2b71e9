# Sourced by the measuring scripts: finding this prefix's own processes and reading their CPU.
# The program of this prefix is found by its name and the prefix in its environment; the prefix's
# own server (Debian names it wineserver64) by its working folder, the prefix's server folder,
# server-<dev>-<inode> in hex, in a folder of Wine's under /tmp.
given_prefix=${WINEPREFIX:-$HOME/.wine}
prefix=$(realpath "$given_prefix")
server_folder=$(printf 'server-%x-%x' "$(stat -c %d "$prefix")" "$(stat -c %i "$prefix")")

# Those of the given processes that run in this prefix.
of_prefix() {
    for process in "$@"; do
        if tr '\0' '\n' <"/proc/$process/environ" 2>/dev/null |
            grep -qx -e "WINEPREFIX=$prefix" -e "WINEPREFIX=$given_prefix"; then
            echo "$process"
        fi
    done
}

# The prefix's server processes, on one line.
prefix_server() {
    for process in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
        if [ "$(basename "$(readlink "/proc/$process/cwd")")" = "$server_folder" ]; then
            printf '%s ' "$process"
        fi
    done
}

# Clock ticks used so far by the given processes.
ticks() {
    total=0
    for process in "$@"; do
        stat=$(sed 's/^.*) //' "/proc/$process/stat" 2>/dev/null) || continue
        set -- $stat
        total=$((total + ${12} + ${13}))
    done
    echo "$total"
}
