#!/usr/bin/env bash
# The first map stays a place to learn: the bot pilot plays it with each
# ship for a few seeds in tether-sim and must win nearly every run, and no
# run may be lost in its first ten seconds. Usage: first_map_fair.sh GAME_DIR
set -euo pipefail
cd "$1"
first=$(sed -n 2p maps/maplist | cut -d' ' -f1)
runs=$(./tether-sim --pilot bot --ship all --seed 1 --runs 5 --minutes 5 "$first" | grep '^{')
fail() {
    echo "FAIL: $*" >&2
    echo "$runs" >&2
    exit 1
}
for ship in 1 2 3; do
    won=$(grep -c "\"ship\":$ship,.*\"outcome\":\"won\"" <<<"$runs" || true)
    [ "$won" -ge 4 ] || fail "$first: the bot won $won of 5 runs with ship $ship"
done
while read -r line; do
    ms=$(sed 's/.*"time_ms":\([0-9]*\).*/\1/' <<<"$line")
    [ "$ms" -gt 10000 ] || fail "$first: a run lost after $ms ms"
done < <(grep '"outcome":"lost"' <<<"$runs" || true)
echo "$first: the bot wins with every ship, and loses nothing early"
