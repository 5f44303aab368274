#!/usr/bin/env bash
# Records the replay set that proves a change to the simulation's code kept
# its behaviour: the bot on every shipped map with each ship (a minute of
# game time each), and levels played in a real window with pauses, a
# restart, both hooks and tie-offs. tests/replays/reproduce.sh plays each
# back to its recorded world hash. Record anew only when the game is meant
# to play differently (new tuning, new rules), and say so in the commit.
#   bash scripts/record-replays.sh            (after a build)
set -euo pipefail
cd "$(dirname "$0")/.."
out=tests/replays
game=build/game
rm -f "$out"/*.replay

# The bot, on every map of the list and its boss map, with each ship.
maps=$(tail -n +2 game/maps/maplist | awk '{print $1; print $2}')
for map in $maps; do
    for ship in 1 2 3; do
        (cd "$game" && ./tether-sim --pilot bot --ship "$ship" --seed 7 --minutes 1 \
            --record "$OLDPWD/$out/bot-$map-$ship.replay" "$map" >/dev/null)
    done
done

# Levels played in the window by hand-like input.
bash tests/replays/play-in-window.sh "$game" "$out"
ls "$out"/*.replay | wc -l
