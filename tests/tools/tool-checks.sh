#!/bin/sh
# huewright-cli's design tokens and Tailwind theme, read by the tools teams use (make test-tools):
#   tool-checks.sh PATH_TO_HUEWRIGHT_CLI
# The tools come from the npm registry at the versions of package-lock.json, installed again only
# when the lockfile changed.
set -e
cli=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
[ node_modules/.package-lock.json -nt package-lock.json ] || npm ci --no-audit --no-fund --loglevel=error
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
node check-tools.mjs "$cli" "$work"
