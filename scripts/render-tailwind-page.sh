#!/bin/sh
# Renders a Tailwind CSS v4 page styled by Huewright's theme of the test library's first palettes
# in headless Chromium: render-tailwind-page.sh PATH_TO_HUEWRIGHT_CLI [OUTPUT.png]
# (default docs/tailwind-page.png). Tailwind comes from tests/tools, as make test-tools installs it.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "$1")
out=$(realpath -m "${2:-$root/docs/tailwind-page.png}")
tools="$root/tests/tools"
[ "$tools/node_modules/.package-lock.json" -nt "$tools/package-lock.json" ] ||
    (cd "$tools" && npm ci --no-audit --no-fund --loglevel=error)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" import --into "$work/library.dat" "$tools/fixtures/library.json" >/dev/null
"$cli" export "$work/library.dat" --format tailwind --palette 1 --palette 3 -o "$work/theme.css"
# The page uses only the utilities the theme gives: bg-<palette>-box-N, text-<palette>-text-N and
# font-<palette>; box 4 sits inside box 3, as in Huewright.
card() {
    cat <<CARD
<section class="font-$1 m-4 inline-block w-[440px] align-top">
  <div class="bg-$1-box-1 text-$1-text-1 p-4 text-4xl font-bold italic">$2</div>
  <div class="bg-$1-box-2 text-$1-text-2 p-3">Box 2 text on its background</div>
  <div class="bg-$1-box-3 text-$1-text-3 p-3">Box 3
    <div class="bg-$1-box-4 text-$1-text-4 mt-2 p-3">Box 4, inside box 3</div>
  </div>
</section>
CARD
}
{
    echo '<!doctype html><html><head><meta charset="utf-8"><link rel="stylesheet" href="page.css"></head><body class="bg-white">'
    card harbour-at-dusk "Harbour at dusk"
    card caf-n-c-d "Café"
    echo '</body></html>'
} >"$work/page.html"
printf '@import "%s";\n@source "./page.html";\n' "$tools/node_modules/tailwindcss/index.css" >"$work/input.css"
cat "$work/theme.css" >>"$work/input.css"
(cd "$work" && "$tools/node_modules/.bin/tailwindcss" -i input.css -o page.css 2>/dev/null)
FONTCONFIG_FILE="$root/scripts/georgia-fonts.conf" chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync --user-data-dir="$work/profile" \
    --force-color-profile=srgb --hide-scrollbars --window-size=960,300 --screenshot="$out" \
    "file://$work/page.html" >"$work/chromium.log" 2>&1 || {
    cat "$work/chromium.log" >&2
    exit 1
}
echo "Saved the Tailwind page to $out"
