#!/usr/bin/env bash
# With every image, sound and track gone, the game still starts, shows its
# title screen (the frames it draws itself), plays a level without crashing,
# and quits cleanly.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
rm -rf "$work/game/main" "$work/game/sprites" "$work/game/effects" "$work/game/worldsprites" \
    "$work/game/sounds" "$work/game/music"
start_xvfb
start_game
wait_for_picture
screenshot "$work/title.png"
expect_pixel "$work/title.png" 320 130 FFFF00
hold_until_change space "$work/title.png"
xdotool mousemove 500 300 click 1
sleep 1.5
kill -0 "$game_pid" 2>/dev/null || fail "the game ended while playing without its assets"
kill -INT "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "exit status $game_status"
grep -q '^Average frame time: ' "$work/out.txt" || fail "no statistics line"
echo "played without assets: $(cat "$work/out.txt")"
