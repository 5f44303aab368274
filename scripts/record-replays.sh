#!/usr/bin/env bash
# Records the replays of the replay set that are not in it yet; a committed
# replay is never recorded again (tests/replays/unchanged.sh holds their
# bytes). tests/replays/reproduce.sh plays every one back to its recorded
# world hash, each by the rules it names: the bot on three maps, a boss map
# among them, one ship each (a minute of game time each, today's rules,
# replay version 2), recorded here; the bot on every shipped map with each
# ship and levels played in a real window (tests/replays/play-in-window.sh),
# recorded by development builds before the game had its own math; and in
# tests/replays/1.0.0 the bot on every shipped map with each ship, recorded
# by the released 1.0.0 (commit 1397d66) from its game folder with
#   ./tether-sim --pilot bot --ship S --seed 5 --minutes 1 --record FILE MAP
# When the rules change, add a rules version (src/world/rules.h) and new
# replays under new names, and add their sums:
#   (cd tests/replays && sha256sum NEW.replay >>SHA256SUMS)
#   bash scripts/record-replays.sh            (after a build)
set -euo pipefail
cd "$(dirname "$0")/.."
out=tests/replays
game=build/game

# The bot, with the game's own math.
for run in first_contact:1 event_horizon_boss:2 twin_suns:3; do
    map=${run%:*} ship=${run#*:}
    file=$out/own-math-$map-$ship.replay
    [ -e "$file" ] && continue
    (cd "$game" && ./tether-sim --pilot bot --ship "$ship" --seed 7 --minutes 1 \
        --record "$OLDPWD/$file" "$map" >/dev/null)
    echo "recorded $file: add its sum to $out/SHA256SUMS"
done
find "$out" -name '*.replay' | wc -l
