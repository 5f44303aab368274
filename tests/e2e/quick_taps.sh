#!/usr/bin/env bash
# Every press counts, however short. A fast typist's tap (`xdotool key`: the
# press and the release back to back, so both arrive before the game reads
# the keyboard) must act as surely as a held key: on the title the arrows
# move the choices one step per tap and Space starts; in the level P
# pauses and resumes, F1 shows the controls, and Escape leaves; Escape on
# the title ends the game.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
write_two_map_list

tap() { xdotool key "$1"; }
# Succeeds when the screen's pixel at (x, y) is RRGGBB now.
shows_pixel() {
    screenshot "$work/shot.png"
    [ "$(pixel "$work/shot.png" "$1" "$2")" = "$3" ]
}

start_xvfb
start_game --window # full screen would hold the focus
wait_for_picture
xdotool mousemove 650 300
wait_until "no title" shows_pixel 125 250 0000FF # first ship boxed in blue

# Right, Right, Left: the second ship. Each tap waits for its own effect,
# so a lost tap cannot be made up by a later one.
tap Right
wait_until "the first Right tap was lost" shows_pixel 325 250 00FFFF
tap Right
wait_until "the second Right tap was lost" shows_pixel 525 250 FF0000
tap Left
wait_until "the Left tap was lost" shows_pixel 325 250 00FFFF
tap Down
wait_until "the Down tap was lost" shows_pixel 320 400 FFFF00
convert "$work/shot.png" -crop 400x12+200+496 "$work/first_map.png"
name_changed() {
    screenshot "$work/shot.png"
    convert "$work/shot.png" -crop 400x12+200+496 "$work/map_name.png"
    [ "$(pixels_changed "$work/first_map.png" "$work/map_name.png")" -gt 20 ]
}
tap Right
wait_until "the Right tap on the map row was lost" name_changed
screenshot "$work/title.png"

tap space
wait_for_change "$work/title.png"
shows_pixel 320 400 FFFF00 && fail "Space left the title standing"
sleep 0.5

tap p
wait_until "the P tap did not pause" shows_pause
cp "$work/shot.png" "$work/paused.png"
tap p
wait_for_change "$work/paused.png"
shows_pause && fail "the second P tap did not resume"

tap F1
wait_until "the F1 tap did not show the controls" shows_pause
cp "$work/shot.png" "$work/help.png"
tap F1
wait_for_change "$work/help.png"

tap Escape
wait_until "the Escape tap did not leave the level" shows_pixel 125 250 0000FF
kill -0 "$game_pid" 2>/dev/null || fail "the game ended instead of returning to the title"

tap Escape
wait_game
[ "$game_status" = 0 ] || fail "Escape on the title ended the game with status $game_status"
echo "taps: Right Right Left Down Right, Space, P P, F1 F1, Escape, Escape: each acted once"
