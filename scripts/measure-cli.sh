#!/bin/sh
# huewright-cli on a library of 100,000 palettes (26 MB), timed from outside as a build script meets
# it: `check` against its one-second budget, and `export --format json` against a plain copy of the
# same file (cat into another), each the median of RUNS runs, the copy and the export in turns.
# The guards fail the run: check within 1 s, the export within 4 times the copy (it writes 1.4 times
# the bytes the copy does, from records it has to read).
# measure-cli.sh PATH_TO_HUEWRIGHT_CLI
set -e
cli=$(realpath "$1")
scripts=$(cd "$(dirname "$0")" && pwd)
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 "$scripts/make-library.py" palettes.dat 100000
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
    timed sh -c "cat palettes.dat >copy.dat" >>copy.ms
    timed "$cli" export palettes.dat --format json -o out.json >>export.ms
done
check=$(median <check.ms)
copy=$(median <copy.ms)
export=$(median <export.ms)
ratio=$(echo "$export $copy" | awk '{ printf "%.2f", $1 / $2 }')
echo "check of 100,000 palettes: $check ms (guard <= 1000 ms)"
echo "export --format json: $export ms; cat of the library into a copy: $copy ms; ratio $ratio (guard <= 4)"
if [ "$check" -gt 1000 ] || echo "$ratio" | awk '{ exit !($1 > 4) }'; then
    echo "measure-cli: a guard failed" >&2
    exit 1
fi
