#!/bin/sh
# The whole Windows suite at other screen DPIs: one Wine process a suite, as ctest runs them, in the
# display scaling test's prefix with its LogPixels set for each DPI in turn, on a private display as
# many times larger than the usual 1280 x 1024 as the DPI is than 96, as a screen of that scaling is.
#   test-dpi.sh PREFIX WIN_TESTS_EXE DPI...
# (test-dpi.sh --suites PREFIX WIN_TESTS_EXE runs the suites once, on the display it is given.)
set -e
scripts=$(cd "$(dirname "$0")" && pwd)
if [ "$1" = --suites ]; then
    prefix=$2 tests=$3
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    cd "$(dirname "$tests")"
    suites=$("$scripts/wine-exec.sh" "$prefix" "$tests" --gtest_list_tests |
        tr -d '\r' | sed -n 's/^\([^ #][^ ]*\)\..*/\1/p')
    passed=0 failed=
    for suite in $suites; do
        if "$scripts/wine-exec.sh" "$prefix" "$tests" --gtest_filter="$suite.*" >"$log" 2>&1; then
            passed=$((passed + 1))
        else
            failed="$failed $suite"
            grep -E -A6 '^\[ RUN|Failure' "$log" | grep -v '^\[ *OK' | head -60
        fi
    done
    echo "$passed suites passed${failed:+; failed:$failed}"
    [ -z "$failed" ]
    exit
fi
prefix=$(realpath "$1")
tests=$(realpath "$2")
shift 2
status=0
for dpi in "$@"; do
    "$scripts/dpi-prefix.sh" "$prefix" "$dpi"
    echo "At $dpi DPI:"
    SCREEN="$((1280 * dpi / 96))x$((1024 * dpi / 96))x24" \
        "$scripts/with-display.sh" "$prefix" "$0" --suites "$prefix" "$tests" || status=1
done
exit $status
