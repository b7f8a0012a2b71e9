#!/bin/sh
# Makes the Wine prefix for other screen DPIs if needed and sets the DPI Wine reports in it, for the
# scripts that show the program at other scalings: dpi-prefix.sh PREFIX DPI
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/make-wine-prefix.sh" "$1" --unmanaged
export WINEPREFIX="$1"
. "$root/scripts/wine-env.sh"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
# Wine reads the DPI when its processes start.
wineserver -k >/dev/null 2>&1 || true
wineserver --wait
