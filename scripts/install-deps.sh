#!/bin/sh
# Installs the Debian packages the build needs; quiet and quick when everything is there.
set -e
packages="cmake make g++ clang clang-format libgtest-dev googletest libbenchmark-dev g++-mingw-w64-x86-64-posix
mingw-w64-tools wine wine64 fonts-wine fonts-dejavu-core xvfb xauth xdotool imagemagick python3 nsis zip
desktop-file-utils nodejs chromium"
missing=
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
# npm comes with some builds of nodejs and is a package of its own in others.
command -v npm >/dev/null 2>&1 || missing="$missing npm"
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
