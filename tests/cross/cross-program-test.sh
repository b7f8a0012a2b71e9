#!/bin/sh
# Huewright's library code under Wine and the native huewright-cli on one library at once: each
# round starts save_stress.exe's cross round, which opens the library as Huewright does and saves
# three palettes, and meanwhile huewright-cli imports four, one at a time. Whichever comes second must say in plain
# words that the library is in use, and every palette either program reported saved must be in the
# library at the end.
# Wine's console ends its lines with a carriage return, which goes.
# Run inside scripts/with-display.sh: cross-program-test.sh WINDOWS_BUILD_DIR HUEWRIGHT_CLI [ROUNDS]
set -u
. "$(dirname "$0")/../../scripts/wine-env.sh"
build=$(cd "$1" && pwd)
cli=$(realpath "$2")
rounds=${3:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() {
    echo "FAILED: $*"
    exit 1
}

: >saved.txt
refused=0
held=0
round=0
while [ "$round" -lt "$rounds" ]; do
    wine "$build/save_stress.exe" cross "$round" 2>/dev/null </dev/null | tr -d "\r" >program.txt &
    program=$!
    # A different moment each round, across the program's start, so that either can come first;
    # then three more imports while the program may be saving.
    sleep "0.$((round * 37 % 10))"
    for import in 1 2 3 4; do
        printf 'GIMP Palette\nName: Command %s-%s\n#\n1 2 3\n' "$round" "$import" >command.gpl
        if "$cli" import --into palettes.dat command.gpl >out.txt 2>err.txt; then
            echo "Command $round-$import" >>saved.txt
        else
            grep -qx 'huewright-cli: palettes.dat is in use by Huewright; close it and try again.' err.txt ||
                fail "round $round: the command said: $(cat err.txt)"
            refused=$((refused + 1))
        fi
        sleep 0.2
    done
    wait "$program"
    if grep -q '^held: the library is in use by another program, so it can only be read' program.txt; then
        held=$((held + 1))
    else
        [ "$(grep -c '^saved ' program.txt)" -eq 3 ] || fail "round $round: the program said: $(cat program.txt)"
    fi
    sed -n 's/^saved //p' program.txt >>saved.txt
    round=$((round + 1))
done

"$cli" list palettes.dat | cut -f 2 >listed.txt || fail "the library cannot be listed"
missing=$(grep -cvxF -f listed.txt saved.txt)
[ "$missing" -eq 0 ] || fail "$missing palettes reported saved are not in the library: $(grep -vxF -f listed.txt saved.txt | head -3)"
echo "$rounds rounds: $(wc -l <saved.txt) palettes reported saved, all in the library; the command was refused $refused times and the program found the library held $held times, each in plain words"
