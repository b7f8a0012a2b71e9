#!/bin/sh
# `make install` and `make uninstall` in a temporary PREFIX and HOME, as the Makefile runs them:
# desktop-install-test.sh NATIVE_BUILD_DIR
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home"
unset XDG_DATA_HOME
prefix=$HOME/.local
data=$HOME/.local/share/huewright
lib=$prefix/lib/huewright
fail() {
    echo "$*" >&2
    exit 1
}
icons=share/icons/hicolor
installed="bin/huewright bin/huewright-cli lib/huewright/huewright.exe lib/huewright/help.html
share/applications/huewright.desktop $icons/16x16/apps/huewright.png $icons/32x32/apps/huewright.png
$icons/64x64/apps/huewright.png $icons/128x128/apps/huewright.png $icons/256x256/apps/huewright.png"

echo 'stand-in for the program' >"$tmp/huewright.exe"
cmake --install "$1" --prefix "$prefix" >/dev/null
"$root/scripts/desktop-install.sh" install "$prefix" "$tmp/huewright.exe"
for file in $installed; do
    [ -f "$prefix/$file" ] || fail "make install did not install $file."
done
desktop-file-validate "$prefix/share/applications/huewright.desktop"
[ "$(identify -format '%wx%h' "$prefix/$icons/256x256/apps/huewright.png")" = 256x256 ] ||
    fail "The 256-pixel icon has another size."

# The launcher, with a stand-in wine that notes where, in which prefix and on what it was started;
# the prefix is already made, so nothing else of Wine runs.
mkdir -p "$data/wineprefix" "$tmp/bin"
touch "$data/wineprefix/system.reg" "$data/wineprefix/.huewright-ready" "$data/wineprefix/.huewright-fonts-1"
printf '#!/bin/sh\necho "$PWD|$WINEPREFIX|$*" >"%s"\n' "$tmp/wine-call" >"$tmp/bin/wine"
chmod +x "$tmp/bin/wine"
PATH="$tmp/bin:$PATH" "$prefix/bin/huewright" --from-menu
[ "$(cat "$tmp/wine-call")" = "$data|$data/wineprefix|$lib/huewright.exe --from-menu" ] ||
    fail "The launcher ran: $(cat "$tmp/wine-call")"
cmp -s "$root/help.html" "$data/help.html" || fail "The launcher left no user guide in the data folder."

echo 'the user palettes' >"$data/palettes.dat"
"$root/scripts/desktop-install.sh" uninstall "$prefix"
for file in $installed; do
    [ ! -e "$prefix/$file" ] || fail "make uninstall left $file."
done
[ ! -e "$lib" ] && [ ! -e "$data/help.html" ] || fail "make uninstall left the program's folder or guide."
[ "$(cat "$data/palettes.dat")" = 'the user palettes' ] || fail "make uninstall touched the palettes."
[ -f "$data/wineprefix/system.reg" ] || fail "make uninstall removed the Wine prefix and its settings."
