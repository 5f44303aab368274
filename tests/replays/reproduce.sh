#!/usr/bin/env bash
# The replay set, played back: every replay here (the bot on every shipped
# map with each ship and levels played in a real window, of version 1, with
# the platform's math; the bot on three maps with the game's own math, of
# version 2) must end on the world hash it was recorded with. A change to the simulation's code that keeps
# its behaviour keeps every one; scripts/record-replays.sh records them anew
# when the game is meant to play differently.
#   bash tests/replays/reproduce.sh GAME_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$1"
count=0 failed=0
for replay in "$here"/*.replay; do
    if ! ./tether-sim --replay "$replay" >/dev/null 2>"${TMPDIR:-/tmp}/replay-err.$$"; then
        echo "FAIL: $(basename "$replay"): $(cat "${TMPDIR:-/tmp}/replay-err.$$")" >&2
        failed=$((failed + 1))
    fi
    count=$((count + 1))
done
rm -f "${TMPDIR:-/tmp}/replay-err.$$"
[ "$count" -gt 0 ] || { echo "FAIL: no replay in $here" >&2; exit 1; }
echo "$((count - failed)) of $count replays reproduced their world hash"
[ "$failed" -eq 0 ]
