#!/bin/sh
# Renders the HTML test page of the default palette in headless Chromium and saves the picture:
#   render-test-page.sh [OUTPUT.png]          (default: docs/test-page.png in the repository)
#   render-test-page.sh --dark [OUTPUT.png]   the page with the palette's dark variant, rendered in
#                                             the dark color scheme (default: docs/test-page-dark.png)
# Installs Chromium when it is missing (install-deps.sh installs it for make test).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
dark=
if [ "${1:-}" = --dark ]; then
    dark=--dark
    shift
fi
out=$(realpath -m "${1:-$root/docs/test-page${dark:+-dark}.png}")
if ! command -v chromium >/dev/null 2>&1; then
    echo "Installing: chromium"
    sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq chromium >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -I"$root" "$root/tools/WriteTestPage.cpp" "$root/library/TestPage.cpp" \
    "$root/color/DarkVariant.cpp" "$root/color/ContrastFixes.cpp" "$root/color/Contrast.cpp" \
    "$root/color/ColorDifference.cpp" "$root/color/CssColorSpaces.cpp" "$root/color/ColorMath.cpp" \
    -o "$work/write-test-page"
cd "$work"
./write-test-page $dark
# --force-dark-mode makes the page's prefers-color-scheme dark.
FONTCONFIG_FILE="$root/scripts/georgia-fonts.conf" chromium --headless --disable-gpu --no-sandbox ${dark:+--force-dark-mode} \
    --user-data-dir="$work/profile" --window-size=1000,600 --screenshot="$out" \
    "file://$work/huewright.html" >"$work/chromium.log" 2>&1 || {
    cat "$work/chromium.log" >&2
    exit 1
}
echo "Saved the test page to $out"
