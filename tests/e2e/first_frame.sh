#!/usr/bin/env bash
# The game in a real window: the title screen, then Space starts the first
# map, whose first frames show the background; SIGINT (which SDL turns into a
# quit) prints the statistics line and exits 0.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
start_xvfb
start_game
wait_for_picture
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
screenshot "$work/first.png"
kill -INT "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "exit status $game_status after SIGINT"
grep -Eq '^Average frame time: [0-9]+ms;  Maximum frame time: [0-9]+ms$' "$work/out.txt" ||
    fail "no statistics line"
echo "first frame: $(colour_count "$work/first.png") colours; $(cat "$work/out.txt")"
