#!/bin/sh
# Runs the full-disk tests on a 512 KiB memory disk mounted for them, so the program meets a disk
# that is really full. Needs root for the mount; ctest runs it inside scripts/with-display.sh.
# test-full-disk.sh PREFIX TEST_PROGRAM FOLDER
set -e
prefix=$1
program=$2
disk=$3
mkdir -p "$disk"
mount -t tmpfs -o size=512k huewright-full-disk "$disk"
trap 'umount "$disk"' EXIT
trap 'exit 1' INT TERM
# Windows sees the folder on drive Z:, Wine's view of the Unix root.
HUEWRIGHT_SMALL_DISK="Z:$(printf '%s' "$disk" | tr / '\\')"
export HUEWRIGHT_SMALL_DISK
"$(dirname "$0")/wine-exec.sh" "$prefix" "$program"
