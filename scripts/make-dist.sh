#!/bin/sh
# Builds the release files from a Windows build: make-dist.sh BUILD_DIR OUT_DIR
#   OUT_DIR/Huewright-VERSION-win64.zip  the programs, help.html, README.txt and the license
#   OUT_DIR/Huewright-VERSION-setup.exe  the per-user installer (installer/Huewright.nsi)
#   OUT_DIR/SHA256SUMS
# The version is the program's own, read from its version resource.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
version=$(sed -n 's/^ *VALUE "ProductVersion", "\([0-9]*\.[0-9]*\.[0-9]*\)\.0"/\1/p' "$root/res/Version.rc2")
[ -n "$version" ] || { echo "No ProductVersion in res/Version.rc2." >&2; exit 1; }
name=Huewright-$version

stage=$build/dist-stage
rm -rf "$stage" "$out/$name-win64.zip" "$out/$name-setup.exe" "$out/SHA256SUMS"
mkdir -p "$stage/$name"
cp "$build/huewright.exe" "$root/help.html" "$stage/$name/"
[ -f "$build/huewright-cli.exe" ] && cp "$build/huewright-cli.exe" "$stage/$name/"
# Notepad and every other Windows reader take CRLF line ends.
sed "s/@VERSION@/$version/g; s/\$/\r/" "$root/installer/README.txt" >"$stage/$name/README.txt"
sed 's/$/\r/' "$root/LICENSE.txt" >"$stage/$name/LICENSE.txt"
(cd "$stage" && zip -q -X -r "$out/$name-win64.zip" "$name")

cp "$root/res/icons/app_big.ico" "$stage/$name/huewright.ico"
makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$stage/$name" -DOUTFILE="$out/$name-setup.exe" \
    "$root/installer/Huewright.nsi" >/dev/null
(cd "$out" && sha256sum "$name-win64.zip" "$name-setup.exe" >SHA256SUMS)
