#!/bin/sh
# Renders the main window in each of the six selector modes under Xvfb to PNGs for review:
#   screenshot-modes.sh [OUTPUT_DIR]     (default: docs/modes/ in the repository)
# Uses the Windows build and its Wine prefix; run `make windows` first.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/modes}")
exe="$root/build/windows/huewright.exe"
prefix="$root/build/windows/wineprefix"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
DISPLAY= "$root/scripts/with-display.sh" "$prefix" "$root/scripts/screenshot.sh" --modes "$exe" "$out"
echo "Saved the six modes to $out"
