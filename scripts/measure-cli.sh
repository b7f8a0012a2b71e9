#!/bin/sh
# huewright-cli on a library of 100,000 palettes (26 MB), timed from outside as a build script meets
# it: `check` against its one-second budget, and `export --format json` against a plain copy of the
# same file (cp), each the median of RUNS runs, the copy and the export in turns.
# measure-cli.sh PATH_TO_HUEWRIGHT_CLI
set -e
cli=$(realpath "$1")
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - palettes.dat 100000 <<'PY'
import struct, sys
path, count = sys.argv[1], int(sys.argv[2])
font = struct.pack("<5i8B", -48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 0x22) + "Georgia".encode("utf-16-le").ljust(64, b"\0")
with open(path, "wb") as out:
    for i in range(count):
        name = f"Palette {i + 1}".encode("utf-16-le").ljust(128, b"\0")
        colors = struct.pack("<8I", *((i * 2654435761 + k * 40503) & 0xFFFFFF for k in range(8)))
        out.write(struct.pack("<2I", 0xEBAD0132, 0) + name + colors + font)
PY
cat palettes.dat >/dev/null
# Milliseconds the command takes, its output thrown away as a pipeline would consume it.
timed() {
    start=$(date +%s%N)
    "$@" >/dev/null || [ $? -eq 1 ]
    echo $((($(date +%s%N) - start) / 1000000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
: >check.ms
: >copy.ms
: >export.ms
for _ in $(seq "$runs"); do
    timed "$cli" check palettes.dat >>check.ms
    timed cp palettes.dat copy.dat >>copy.ms
    timed "$cli" export palettes.dat --format json -o out.json >>export.ms
done
check=$(median <check.ms)
copy=$(median <copy.ms)
export=$(median <export.ms)
echo "check of 100,000 palettes: $check ms (target <= 1000 ms)"
echo "export --format json: $export ms; cp of the library: $copy ms; ratio $(echo "$export $copy" | awk '{ printf "%.2f", $1 / $2 }') (target <= 2)"
