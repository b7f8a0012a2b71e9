#!/bin/sh
# Creates and boots a Wine prefix once: make-wine-prefix.sh PREFIX
set -e
prefix=$1
if [ -f "$prefix/.huewright-ready" ]; then
    exit 0
fi
mkdir -p "$prefix"
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"
wineboot --init >/dev/null 2>&1 || true
wineserver --wait
test -f "$prefix/system.reg"
touch "$prefix/.huewright-ready"
