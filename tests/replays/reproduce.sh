#!/usr/bin/env bash
# The replay set, played back: every replay here must end on the world hash
# it was recorded with, each by the rules it names (world/rules.h): in
# 1.0.0/, the bot on every shipped map with each ship, recorded by the
# released 1.0.0 (version 1); beside them the bot on every shipped map with
# each ship and levels played in a real window, recorded by development
# builds after it whose enemies went round bodies (version 1 as well); and
# the bot on three maps with the game's own math (version 2). None is ever
# recorded anew (unchanged.sh holds their bytes): a change to the rules adds
# a rules version, and these keep reproducing by the old ones.
#   bash tests/replays/reproduce.sh GAME_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$1"
count=0 failed=0
for replay in "$here"/*.replay "$here"/1.0.0/*.replay; do
    if ! ./tether-sim --replay "$replay" >/dev/null 2>"${TMPDIR:-/tmp}/replay-err.$$"; then
        echo "FAIL: ${replay#"$here"/}: $(cat "${TMPDIR:-/tmp}/replay-err.$$")" >&2
        failed=$((failed + 1))
    fi
    count=$((count + 1))
done
rm -f "${TMPDIR:-/tmp}/replay-err.$$"
[ "$count" -gt 0 ] || { echo "FAIL: no replay in $here" >&2; exit 1; }
echo "$((count - failed)) of $count replays reproduced their world hash"
[ "$failed" -eq 0 ]
