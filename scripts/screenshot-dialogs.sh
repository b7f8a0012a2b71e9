#!/bin/sh
# Renders the main window, the two-color blend and the About box under Xvfb to the PNGs the README
# shows:  screenshot-dialogs.sh [OUTPUT_DIR]   (default: docs/ in the repository)
# Uses the Windows build and its Wine prefix; run `make windows` first.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs}")
exe="$root/build/windows/huewright.exe"
prefix="$root/build/windows/wineprefix"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
DISPLAY= "$root/scripts/with-display.sh" "$prefix" "$root/scripts/screenshot.sh" --dialogs "$exe" "$out"
echo "Saved screenshot.png, blend.png and about.png to $out"
