#!/bin/sh
# Runs each fuzz target for SECONDS on a scratch copy of its seeds, so the corpus in the repository
# stays as committed, as many at once as there are processors. Crashing inputs are kept in
# BUILD_DIR/crashes. Usage: fuzz.sh SECONDS [BUILD_DIR]
set -eu
seconds=${1:?usage: scripts/fuzz.sh SECONDS [BUILD_DIR]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${2:-$root/build/fuzz}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/crashes"
export seconds root build work

# One target: fuzz TARGET SEEDS; prints its line and leaves a marker when it fails.
fuzz_one='
    target=$1 seeds=$2
    mkdir "$work/$seeds"
    cp "$root/tests/fuzz/corpus/$seeds/"* "$work/$seeds/"
    if "$build/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target-" "$work/$seeds" >"$work/$target.log" 2>&1; then
        echo "$target: $(grep -o "Done [0-9]* runs in [0-9]* second(s)" "$work/$target.log"), no crash"
    else
        tail -n 60 "$work/$target.log" >&2
        echo "$target: FAILED, input kept in $build/crashes/" >&2
        touch "$work/$target.failed"
    fi'

printf '%s\n' library_loader_fuzz:library font_desc_fuzz:fontdesc color_text_fuzz:colortext settings_fuzz:settings \
    exchange_import_fuzz:exchange color_notation_fuzz:notation |
    tr : ' ' | xargs -P "$(nproc)" -L 1 sh -c "$fuzz_one" sh

failed=$(cd "$work" && ls *.failed 2>/dev/null | sed 's/\.failed$//' | tr '\n' ' ')
if [ -n "$failed" ]; then
    echo "Fuzzing found crashes in: $failed" >&2
    exit 1
fi
