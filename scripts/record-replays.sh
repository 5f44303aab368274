#!/usr/bin/env bash
# Records the replay set that proves a change to the simulation's code kept
# its behaviour: the bot on three maps, a boss map among them, one ship each
# (a minute of game time each), played with the game's own math (replay
# version 2). tests/replays/reproduce.sh plays each back to its recorded
# world hash, with the version-1 replays beside them: the bot on every
# shipped map with each ship and levels played in a real window, recorded
# with the platform's math before the game had its own, which are never
# recorded anew (tests/replays/play-in-window.sh records window levels). Record
# anew only when the game is meant to play differently (new tuning, new
# rules), and say so in the commit.
#   bash scripts/record-replays.sh            (after a build)
set -euo pipefail
cd "$(dirname "$0")/.."
out=tests/replays
game=build/game
for replay in "$out"/*.replay; do
    [ "$(head -n 1 "$replay")" = "tether-replay 1" ] || rm -f "$replay"
done

# The bot, with the game's own math.
for run in first_contact:1 event_horizon_boss:2 twin_suns:3; do
    map=${run%:*} ship=${run#*:}
    (cd "$game" && ./tether-sim --pilot bot --ship "$ship" --seed 7 --minutes 1 \
        --record "$OLDPWD/$out/own-math-$map-$ship.replay" "$map" >/dev/null)
done
ls "$out"/*.replay | wc -l
