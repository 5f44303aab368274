#!/usr/bin/env bash
# Closing the game during an end screen (SIGINT, which SDL turns into a
# quit) ends it at once, as in a level: the level's statistics line and
# status 0, long before the five seconds are over. Meanwhile the screen
# stands still without spending the processor.
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
screenshot "$work/victory.png"
is_gold "$work/victory.png" 197 308 || fail "no victory screen after the empty map"
victory_cpu=$(cpu_percent 1)
[ "$victory_cpu" -lt 20 ] || fail "the victory screen used ${victory_cpu}% of a core"
asked=$(now)
kill -INT "$game_pid"
wait_game
took=$(echo "$(now) - $asked" | bc)
[ "$game_status" = 0 ] || fail "exit status $game_status after SIGINT on the victory screen"
[ "$(echo "$took < 2.0" | bc)" = 1 ] || fail "the game took ${took}s to quit from the victory screen"
grep -Eqx 'Average frame time: [0-9]+ms;  Maximum frame time: [0-9]+ms' "$work/out.txt" ||
    fail "no statistics line: $(cat "$work/out.txt")"
echo "quit from the victory screen in ${took}s (${victory_cpu}% of a core while it stood)"
