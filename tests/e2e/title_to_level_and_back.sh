#!/usr/bin/env bash
# A player's first minute: on the title screen choose the second ship and the
# second map, start, fire a hook, press Escape, and land back on the title
# screen with its choices reset.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
write_two_map_list

start_xvfb
start_game
wait_for_picture
screenshot "$work/title.png"
expect_pixel "$work/title.png" 320 130 FFFF00 # ship row framed
expect_pixel "$work/title.png" 125 250 0000FF # first ship boxed in blue

press Right
press Down
press Right
screenshot "$work/choices.png"
expect_pixel "$work/choices.png" 325 250 00FFFF # second ship boxed in cyan
expect_pixel "$work/choices.png" 320 400 FFFF00 # map row framed
# The map name is written in white, centred on x = 400.
convert "$work/choices.png" -crop 100x10+350+498 -format '%[fx:maxima.r]' info: | grep -q '^1' ||
    fail "no map name under the map row"

hold_until_change space "$work/choices.png"
xdotool mousemove 650 300
sleep 0.1
xdotool click 1
sleep 0.5
screenshot "$work/playing.png"

hold_until_change Escape "$work/playing.png"
sleep 0.3
screenshot "$work/back.png"
kill -0 "$game_pid" 2>/dev/null || fail "the game ended instead of returning to the title"
expect_pixel "$work/back.png" 320 130 FFFF00
expect_pixel "$work/back.png" 125 250 0000FF
echo "title -> ship 2, map 2 -> hook fired -> Escape -> title"
