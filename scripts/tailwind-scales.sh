#!/bin/sh
# The tonal scales against Tailwind CSS 4's default theme: installs the package pinned in
# tools/tailwind (its own lockfile), builds the comparison natively and runs it on theme.css.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
(cd "$root/tools/tailwind" && npm ci --no-audit --no-fund --silent)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -I"$root" "$root/tools/TailwindScales.cpp" "$root/color/TonalScales.cpp" \
    "$root/color/ColorDifference.cpp" "$root/color/CssColorSpaces.cpp" "$root/color/Contrast.cpp" \
    "$root/color/ColorMath.cpp" -o "$work/tailwind-scales"
"$work/tailwind-scales" <"$root/tools/tailwind/node_modules/tailwindcss/theme.css"
