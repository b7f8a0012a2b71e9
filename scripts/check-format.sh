#!/bin/sh
# Fails when a C++ file differs from what clang-format makes of it under .clang-format, and names
# the files; `scripts/check-format.sh --fix` formats them in place instead.
cd "$(dirname "$0")/.."
files=$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if [ "$1" = --fix ]; then
    echo "$files" | xargs clang-format -i
    exit 0
fi
# One run over every file; its warnings start with the file's name.
drift=$(echo "$files" | xargs clang-format --dry-run --Werror 2>&1 | grep -o '^[^:]*:[0-9]*:[0-9]*: error' |
    cut -d: -f1 | sort -u)
[ -z "$drift" ] && exit 0
echo "These files differ from .clang-format (scripts/check-format.sh --fix formats them):" >&2
echo "$drift" | sed 's/^/  /' >&2
exit 1
