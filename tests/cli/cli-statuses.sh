#!/bin/sh
# huewright-cli run as a build script runs it, in a scratch folder: the exit statuses a CI step
# relies on, and the one-line reason on standard error.
# cli-statuses.sh PATH_TO_HUEWRIGHT_CLI
set -u
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() {
    echo "FAILED: $*"
    exit 1
}
expect() {
    wanted=$1
    shift
    "$cli" "$@" >out.txt 2>err.txt
    got=$?
    [ "$got" -eq "$wanted" ] || fail "huewright-cli $* exited with $got, not $wanted: $(cat err.txt)"
}

printf 'GIMP Palette\nName: Readable\n#\n' >readable.gpl
for _ in 1 2 3 4; do printf '255 255 255\n0 0 0\n' >>readable.gpl; done
printf 'GIMP Palette\nName: Faint\n#\n238 238 238\n204 204 204\n' >faint.gpl

expect 0 import --into palettes.dat readable.gpl
expect 0 check palettes.dat
expect 0 import --into palettes.dat faint.gpl
expect 1 check palettes.dat
grep -q '^1 of 2 palettes fail AA.$' out.txt || fail "the summary line: $(tail -n 1 out.txt)"
expect 0 export palettes.dat --format gpl -o both.gpl
expect 0 list both.gpl
[ "$(wc -l <out.txt)" -eq 2 ] || fail "the exported file lists $(wc -l <out.txt) palettes"
expect 2 check palettes.dat --target none
[ "$(wc -l <err.txt)" -eq 1 ] || fail "a usage error takes $(wc -l <err.txt) lines"
expect 2 list missing.dat
grep -q 'could not be read: No such file or directory.$' err.txt || fail "the reason: $(cat err.txt)"
# A file that is not a library is refused in one sentence, and left as it was.
cp readable.gpl theme.gpl
expect 2 import --into theme.gpl faint.gpl
[ "$(wc -l <err.txt)" -eq 1 ] || fail "the refusal takes $(wc -l <err.txt) lines"
grep -q 'is not a palette library; nothing was imported.$' err.txt || fail "the refusal: $(cat err.txt)"
cmp -s theme.gpl readable.gpl || fail "the file that is not a library was changed"

# -o writes through a link into its target, keeps the target's permissions, and leaves a file of
# the name it would write beside as it was.
printf 'old\n' >real.gpl
chmod 640 real.gpl
ln -s real.gpl link.gpl
printf 'mine\n' >real.gpl.new
expect 0 export palettes.dat --format gpl -o link.gpl
[ -L link.gpl ] || fail "the link was replaced"
grep -q '^GIMP Palette' real.gpl || fail "the link's target was not written"
[ "$(stat -c %a real.gpl)" = 640 ] || fail "the target's permissions became $(stat -c %a real.gpl)"
[ "$(cat real.gpl.new)" = mine ] || fail "the file beside was written over"
[ "$(ls real.gpl.new*)" = real.gpl.new ] || fail "a new file was left beside: $(ls real.gpl.new*)"
echo "huewright-cli: every status as expected"
