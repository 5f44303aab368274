#!/usr/bin/env bash
# Each of the three ships answers its keys in a real window: at rest the
# screen stands still; while a thrust key is held the camera, which follows
# the ship, scrolls the background.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '1\nopen open 7\n' >"$work/game/maps/maplist"
# Nothing pulls and the only enemy waits far away, so the ship is left alone.
printf 'world 8000 8000\nspawn 1000 1000 0 0\nenemy3 5000 5000 0 0 0\n' >"$work/game/maps/open"

start_xvfb
start_game
wait_for_picture
for ship in 1 2 3; do
    screenshot "$work/title$ship.png"
    for _ in $(seq 2 "$ship"); do press Right; done
    screenshot "$work/chosen$ship.png"
    hold_until_change space "$work/chosen$ship.png"
    sleep 0.5
    screenshot "$work/rest$ship.png"
    sleep 0.3
    screenshot "$work/still$ship.png"
    # Below the level's hint at the top, which fades out on its own.
    convert "$work/rest$ship.png" -crop 800x560+0+40 +repage "$work/rest_below.png"
    convert "$work/still$ship.png" -crop 800x560+0+40 +repage "$work/still_below.png"
    still=$(pixels_changed "$work/rest_below.png" "$work/still_below.png")
    [ "${still%%.*}" -lt 200 ] || fail "ship $ship: the screen moves with no key held ($still pixels)"
    # Up thrusts for ships 2 and 3 once they face it; ship 1 flies up at once.
    xdotool keydown Up
    sleep 1.2
    screenshot "$work/moving$ship.png"
    xdotool keyup Up
    moved=$(pixels_changed "$work/still$ship.png" "$work/moving$ship.png")
    [ "${moved%%.*}" -gt 20000 ] || fail "ship $ship did not fly under Up ($moved pixels changed)"
    echo "ship $ship: still $still, flying $moved pixels changed"
    hold_until_change Escape "$work/moving$ship.png"
    sleep 0.3
done
