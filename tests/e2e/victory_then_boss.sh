#!/usr/bin/env bash
# A map with no enemies is won at once: the victory screen holds for five
# seconds, then the boss map of that map follows without the title screen.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '1\nquiet quiet_boss 7\n' >"$work/game/maps/maplist"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nplanet 1800 1400 1e11 100\n' >"$work/game/maps/quiet"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nenemy3 2700 2700 0 0 0\n' >"$work/game/maps/quiet_boss"

start_xvfb
start_game
wait_for_picture
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
shown=$(now)
screenshot "$work/victory.png"
is_gold "$work/victory.png" 197 308 || fail "no victory screen after the empty map"

wait_for_change "$work/victory.png"
gone=$(now)
screenshot "$work/boss.png"
held=$(echo "$gone - $shown" | bc)
[ "$(echo "$held > 4.0" | bc)" = 1 ] || fail "the victory screen lasted only ${held}s"
is_gold "$work/boss.png" 197 308 && fail "the victory screen is still up"
[ "$(pixel "$work/boss.png" 320 130)" != FFFF00 ] || fail "back on the title screen instead of the boss map"
sleep 1
screenshot "$work/boss_later.png"
[ "$(pixel "$work/boss_later.png" 320 130)" != FFFF00 ] || fail "the boss map ended at once"
echo "victory held ${held}s, then the boss map"
