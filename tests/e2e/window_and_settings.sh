#!/usr/bin/env bash
# The window and the player's settings, on a screen big enough for twice
# the picture. At --scale 2 the window is 1600x1200 and clicks land where
# they are drawn: a ship's box chooses it, an arrow changes the map, and
# Return starts. In the level 9 turns the music down and F11 switches to
# full screen and back; both are kept in the settings file, which the next
# start reads (the command line's scale is not kept, nor anything else the
# player did not change). A broken settings file gives the defaults and one
# warning.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
write_two_map_list
settings="$XDG_CONFIG_HOME/tether/settings"

# Whether a window of the size given (WxH) is on the screen (SDL keeps its
# full-screen window, unmapped, after going back to a window).
has_window() {
    local id
    for id in $(xwininfo -root -tree | awk -v size=" $1+" 'index($0, size) { print $1 }'); do
        xwininfo -id "$id" | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}
setting() { sed -n "s/^$1 //p" "$settings"; }

start_xvfb 1700x1300
start_game --scale 2 --window
wait_for_picture
has_window 1600x1200 || fail "no 1600x1200 window at scale 2: $(xwininfo -root -tree)"
screenshot "$work/title.png"
expect_pixel "$work/title.png" 640 260 FFFF00 # the ship row's frame, twice as far out
xdotool mousemove 1200 500 click 1 # the third ship's box
wait_for_change "$work/title.png"
screenshot "$work/ship3.png"
expect_pixel "$work/ship3.png" 1050 500 FF0000 # its box, red
convert "$work/ship3.png" -crop 600x30+500+990 +repage "$work/name1.png"
xdotool mousemove 1500 1000 click 1 # the right arrow
wait_for_change "$work/ship3.png"
cp "$work/shot.png" "$work/map2.png"
convert "$work/map2.png" -crop 600x30+500+990 +repage "$work/name2.png"
[ "$(pixels_changed "$work/name1.png" "$work/name2.png")" != 0 ] || fail "the arrow did not change the map"
xdotool mousemove 800 600
hold_until_change Return "$work/map2.png"

press 9
press 9
wait_until "music_volume not kept as 8" [ "$(setting music_volume)" = 8 ]
press F11
wait_until "F11 did not go full screen" has_window 1700x1300
[ "$(setting fullscreen)" = yes ] || fail "full screen not kept"
press F11
wait_until "F11 did not come back to a window" [ "$(setting fullscreen)" = no ]
has_window 1700x1300 && fail "still full screen"
kill -INT "$game_pid"
wait_game
# Only what the player changed is written: no scale, neither the command
# line's nor the default.
grep -q '^scale' "$settings" && fail "a scale the player never changed was written: $(cat "$settings")"
[ "$(grep -cv '^#' "$settings")" = 2 ] || fail "more than the two changes written: $(cat "$settings")"

# The next start reads the file: a window, at the scale the file says.
echo "scale 2" >>"$settings"
start_game
wait_for_picture
has_window 1600x1200 || fail "the settings file was not read: $(xwininfo -root -tree)"
kill -INT "$game_pid"
wait_game

# A broken file: the defaults (full screen, scale 1) and one warning line.
head -c 3000 /dev/urandom >"$settings"
start_game
wait_for_picture
has_window 1700x1300 || fail "a broken settings file did not give full screen"
kill -INT "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "status $game_status after a broken settings file"
[ "$(wc -l <"$work/out.txt")" = 1 ] && grep -q '^Settings file .*the defaults stand in$' "$work/out.txt" ||
    fail "not one warning for the broken settings file: $(cat "$work/out.txt")"
echo "scale 2 window, clicks and Return; volume and full screen kept and read back; broken file ignored"
