#!/bin/sh
# Copies a prepared Wine prefix, once its server has stopped, so that a test needing a prefix of its own
# does not boot one: copy-wine-prefix.sh FROM TO
set -e
export WINEPREFIX="$1"
. "$(dirname "$0")/wine-env.sh"
wineserver --wait
rm -rf "$2"
cp -a --reflink=auto "$1" "$2"
