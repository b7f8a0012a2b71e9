#!/bin/sh
# huewright-cli on a library of 100,000 palettes (26 MB), timed from outside as a build script meets
# it: `check` against its one-second budget, and `export --format json` against a plain copy of the
# same file (cat into another), each the median of RUNS runs, the copy and the export in turns; and
# the design tokens export of the same library against the JSON export, and the import of 100,000
# tokens (11,112 palettes of eight colors and a font) against the JSON import of the same palettes,
# with a cat of the tokens file into a copy beside them: the cost of writing those bytes at all.
# The guards fail the run: check within 1 s, the JSON export within 4 times the copy (it writes 1.4
# times the bytes the copy does, from records it has to read).
# measure-cli.sh PATH_TO_HUEWRIGHT_CLI
set -e
cli=$(realpath "$1")
scripts=$(cd "$(dirname "$0")" && pwd)
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 "$scripts/make-library.py" palettes.dat 100000
python3 "$scripts/make-library.py" tokens.dat 11112
"$cli" export tokens.dat --format json -o same.json
"$cli" export tokens.dat --format tokens -o same.tokens.json
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
: >tokens.ms
: >tokens-copy.ms
: >json-import.ms
: >tokens-import.ms
for _ in $(seq "$runs"); do
    timed "$cli" check palettes.dat >>check.ms
    timed sh -c "cat palettes.dat >copy.dat" >>copy.ms
    timed "$cli" export palettes.dat --format json -o out.json >>export.ms
    timed "$cli" export palettes.dat --format tokens -o out.tokens.json >>tokens.ms
    timed sh -c "cat out.tokens.json >copy.tokens.json" >>tokens-copy.ms
    rm -f json.dat tokens-imported.dat
    timed "$cli" import --into json.dat same.json >>json-import.ms
    timed "$cli" import --into tokens-imported.dat same.tokens.json >>tokens-import.ms
done
check=$(median <check.ms)
copy=$(median <copy.ms)
export=$(median <export.ms)
ratio=$(echo "$export $copy" | awk '{ printf "%.2f", $1 / $2 }')
echo "check of 100,000 palettes: $check ms (guard <= 1000 ms)"
echo "export --format json: $export ms; cat of the library into a copy: $copy ms; ratio $ratio (guard <= 4)"
tokens=$(median <tokens.ms)
jsonImport=$(median <json-import.ms)
tokensImport=$(median <tokens-import.ms)
echo "export --format tokens: $tokens ms; export --format json: $export ms; ratio $(echo "$tokens $export" | awk '{ printf "%.2f", $1 / $2 }') (target <= 2); cat of the tokens file into a copy: $(median <tokens-copy.ms) ms"
echo "import of $(grep -c '"\$value"' same.tokens.json) tokens: $tokensImport ms; import of the same palettes as JSON: $jsonImport ms; ratio $(echo "$tokensImport $jsonImport" | awk '{ printf "%.2f", $1 / $2 }') (target <= 2)"
if [ "$check" -gt 1000 ] || echo "$ratio" | awk '{ exit !($1 > 4) }'; then
    echo "measure-cli: a guard failed" >&2
    exit 1
fi
