#!/usr/bin/env bash
# A committed replay is never recorded again: every replay here, in every
# folder, has its SHA-256 in SHA256SUMS, and its bytes still give it. A rule
# change adds a rules version (world/rules.h) instead of recording anew, so
# that the replays players keep go on reproducing. A new replay is added to
# the list with its sum (sha256sum FILE >>SHA256SUMS, from this folder); a
# changed, removed or unlisted one fails.
#   bash tests/replays/unchanged.sh
set -euo pipefail
cd "$(dirname "$0")"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -s SHA256SUMS ] || fail "no SHA256SUMS in $(pwd)"
sha256sum --quiet --strict -c SHA256SUMS || fail "a committed replay changed or is gone (above)"
unlisted=$(find . -name '*.replay' | sed 's#^\./##' | sort |
    comm -23 - <(awk '{ print $2 }' SHA256SUMS | sed 's#^\*##' | sort))
[ -z "$unlisted" ] || fail "replays missing from SHA256SUMS: $unlisted"
echo "$(wc -l <SHA256SUMS) replays as committed"
