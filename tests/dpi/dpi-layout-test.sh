#!/bin/sh
# The main window's layout at 96, 144 and 192 DPI, in a Wine prefix of the test's own whose LogPixels
# is set for each run: the run at 96 writes the layout, the others compare theirs with it. The test
# page states the box font in points, the same at every DPI. Needs a display (make test-windows has
# one).
#   dpi-layout-test.sh PREFIX WIN_TESTS_EXE
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$1
tests=$2
export WINEPREFIX="$prefix"
. "$root/scripts/wine-env.sh"
work=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
export HUEWRIGHT_DPI_LAYOUT="$work/layout-96.txt"
cd "$work"
for dpi in 96 144 192; do
    "$root/scripts/dpi-prefix.sh" "$prefix" "$dpi"
    echo "At $dpi DPI:"
    wine "$tests" --gtest_filter='DpiLayout.*:TestPageTest.ThePageOfTheDefaultPalette*' </dev/null
done
