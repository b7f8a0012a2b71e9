#!/bin/sh
# The installer in a fresh Wine prefix of the test's own: silent install, the Start menu shortcut
# starting Huewright in the user's data folder where a saved palette lands, the "Apps & features"
# entry, and a silent uninstall that keeps the palettes. Needs a display (make test-windows has one).
#   installer-test.sh PREFIX DIST_DIR START_FROM_SHORTCUT_EXE
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$1
setup=$(ls "$2"/Huewright-*-setup.exe)
version=$(basename "$setup" -setup.exe)
version=${version#Huewright-}
driver=$3
export WINEPREFIX="$prefix"
. "$root/scripts/wine-env.sh"
fail() {
    echo "$*" >&2
    exit 1
}

[ -d "$prefix" ] && { wineserver -k >/dev/null 2>&1 || true; }
rm -rf "$prefix"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# A bare prefix, as a user's first install meets it; the project's fonts and settings are not needed
# here, and leaving them out saves most of the prefix's cost.
wineboot --init >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 || true

wine "$setup" /S </dev/null >/dev/null 2>&1
program=$(echo "$prefix"/drive_c/users/*/AppData/Local/Programs/Huewright)
data=${program%/Local/Programs/Huewright}/Roaming/Huewright
shortcut=${program%/Local/Programs/Huewright}/Roaming/Microsoft/Windows/Start\ Menu/Programs/Huewright.lnk
for file in huewright.exe huewright-cli.exe help.html uninstall.exe; do
    [ -f "$program/$file" ] || fail "The installer put no $file into $program."
done
cmp -s "$root/help.html" "$data/help.html" || fail "The installer left no user guide in the data folder."

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Huewright'
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r' | tr -s ' \t' ' ')
for value in "DisplayName REG_SZ Huewright" "DisplayVersion REG_SZ $version" "Publisher REG_SZ Lumenfold" \
    'DisplayIcon REG_SZ C:\\users\\[^\\]*\\AppData\\Local\\Programs\\Huewright\\huewright.exe,0' \
    "EstimatedSize REG_DWORD 0x[0-9a-f]*[1-9a-f]"; do
    printf "%s\n" "$entry" | grep -q "^ $value\$" || fail "The uninstall entry lacks \"$value\"; it reads:$entry"
done

"$root/scripts/wine-exec.sh" "$prefix" "$driver" || fail "Starting from the shortcut and saving a palette failed."
[ -s "$data/palettes.dat" ] || fail "No palettes.dat in $data."

# The uninstaller runs from a copy of itself in the temporary folder, so the call returns at once.
wine "$program/uninstall.exe" /S </dev/null >/dev/null 2>&1
for _ in $(seq 150); do
    [ -e "$program" ] || break
    sleep 0.2
done
[ ! -e "$program" ] || fail "The uninstaller left $(ls "$program")."
[ ! -e "$shortcut" ] && [ ! -e "$data/help.html" ] || fail "The uninstaller left the shortcut or the guide."
wine reg query "$key" >/dev/null 2>&1 && fail "The uninstaller left its \"Apps & features\" entry."
[ -s "$data/palettes.dat" ] || fail "The uninstaller took the palettes."
