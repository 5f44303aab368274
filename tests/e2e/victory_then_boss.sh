#!/usr/bin/env bash
# A map with no enemies is won at once: the victory screen holds for five
# seconds, then the boss map of that map follows without the title screen.
source "$(dirname "$0")/lib.bash"
play_to_victory "$1"

wait_for_change "$work/victory.png"
gone=$(now)
screenshot "$work/boss.png"
held=$(echo "$gone - $victory_shown" | bc)
[ "$(echo "$held > 4.0" | bc)" = 1 ] || fail "the victory screen lasted only ${held}s"
is_gold "$work/boss.png" 197 308 && fail "the victory screen is still up"
[ "$(pixel "$work/boss.png" 320 130)" != FFFF00 ] || fail "back on the title screen instead of the boss map"
sleep 1
screenshot "$work/boss_later.png"
[ "$(pixel "$work/boss_later.png" 320 130)" != FFFF00 ] || fail "the boss map ended at once"
echo "victory held ${held}s, then the boss map"
