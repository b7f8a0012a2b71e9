#!/bin/sh
# Renders pictures of the program under Xvfb, with the Windows build and its Wine prefix (run
# `make windows` first):
#   screenshots.sh --modes [OUTPUT_DIR]     the main window in each of the six selector modes
#                                           (default: docs/modes/)
#   screenshots.sh --dialogs [OUTPUT_DIR]   the window, the two-color blend, the About box and the
#                                           palette checker, as the README shows them (default: docs/)
#   screenshots.sh --scaled [OUTPUT_DIR]    the window at 144 DPI, screenshot-144.png (default: docs/),
#                                           in a prefix of its own (build/windows/dpi-prefix)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
case "$1" in
--modes) out=$(realpath -m "${2:-$root/docs/modes}") ;;
--dialogs | --scaled) out=$(realpath -m "${2:-$root/docs}") ;;
*) echo "usage: scripts/screenshots.sh --modes|--dialogs|--scaled [OUTPUT_DIR]" >&2 && exit 2 ;;
esac
exe="$root/build/windows/huewright.exe"
prefix="$root/build/windows/wineprefix"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
if [ "$1" = --scaled ]; then
    prefix="$root/build/windows/dpi-prefix"
    "$root/scripts/dpi-prefix.sh" "$prefix" 144
    mkdir -p "$out"
    DISPLAY= "$root/scripts/with-display.sh" "$prefix" "$root/scripts/screenshot.sh" "$exe" "$out/screenshot-144.png"
    echo "Saved the picture to $out/screenshot-144.png"
    exit 0
fi
DISPLAY= "$root/scripts/with-display.sh" "$prefix" "$root/scripts/screenshot.sh" "$1" "$exe" "$out"
echo "Saved the pictures to $out"
