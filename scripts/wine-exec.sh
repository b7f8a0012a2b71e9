#!/bin/sh
# Runs a Windows program under Wine in the given prefix: wine-exec.sh PREFIX PROGRAM [ARGS...]
# ctest uses it as the cross-compiling emulator, so every test runs in the build's own prefix.
# The output goes through a file: Wine's helper processes (services, explorer) may outlive the
# program and would otherwise keep the caller's pipe open.
prefix=$1
shift
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"
output=$(mktemp)
wine "$@" >"$output" 2>&1 </dev/null
status=$?
# A start that Wine gives up before the program writes a byte is Wine's, not the program's: try once
# more (seen once in a few hundred runs, a failure in 10 ms with no output).
if [ "$status" -ne 0 ] && [ ! -s "$output" ]; then
    wine "$@" >"$output" 2>&1 </dev/null
    status=$?
fi
cat "$output"
rm -f "$output"
exit $status
