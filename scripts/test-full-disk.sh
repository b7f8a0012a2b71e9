#!/bin/sh
# Runs the full-disk tests on a 512 KiB memory disk mounted for them, so the program meets a disk
# that is really full. The disk is mounted in a user and mount namespace of its own, so no root is
# needed; ctest runs this inside scripts/with-display.sh.
# test-full-disk.sh PREFIX TEST_PROGRAM FOLDER
set -e
prefix=$(realpath "$1")
program=$(realpath "$2")
disk=$3
scripts=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$disk" "$disk-server"
disk=$(realpath "$disk")
# Windows sees the folder on drive Z:, Wine's view of the Unix root.
HUEWRIGHT_SMALL_DISK="Z:$(printf '%s' "$disk" | tr / '\\')"
export HUEWRIGHT_SMALL_DISK

# Wine's server opens the files, so it must run inside the namespace to see the disk. Its folder
# lies under $TMPDIR, named for the uid, which is 0 in the namespace whoever runs this: a TMPDIR of
# the test's own keeps it apart from any server outside. Where user namespaces are not allowed,
# root still gets a mount namespace of its own.
namespace="unshare --user --map-root-user --mount"
if ! $namespace true 2>/dev/null && [ "$(id -u)" -eq 0 ]; then
    namespace="unshare --mount"
fi
$namespace sh -s "$disk" "$prefix" "$program" "$scripts" <<'INSIDE'
set -e
disk=$1 prefix=$2 program=$3 scripts=$4
mount -t tmpfs -o size=512k huewright-full-disk "$disk"
export TMPDIR="$disk-server"
status=0
"$scripts/wine-exec.sh" "$prefix" "$program" || status=$?
WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
exit $status
INSIDE
