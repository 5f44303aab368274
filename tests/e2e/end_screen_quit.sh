#!/usr/bin/env bash
# Closing the game during an end screen (SIGINT, which SDL turns into a
# quit) ends it at once, as in a level: the level's statistics line and
# status 0, long before the five seconds are over. Meanwhile the screen
# stands still without spending the processor.
source "$(dirname "$0")/lib.bash"
play_to_victory "$1"
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
