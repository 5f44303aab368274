#!/usr/bin/env bash
# Plays three levels in a real window as a player would, for the replay set:
# the first map with the first ship (steering, both hooks, a tie-off, a
# pause), the second map with the third ship (strafing, a restart, hooks
# again) and the first map's boss with the second ship; each level's replay
# is copied into the folder given. Used by scripts/record-replays.sh.
#   bash tests/replays/play-in-window.sh GAME_DIR OUT_DIR
source "$(dirname "$0")/../e2e/lib.bash"
out=$(cd "$2" && pwd)
copy_game "$1"
start_xvfb
start_game
wait_for_picture

# Fires, steers and lets go for a few seconds of a level.
fly() {
    xdotool mousemove 600 200
    xdotool keydown Right; sleep 0.4
    xdotool click 1; sleep 0.3
    xdotool keyup Right; xdotool keydown Up
    xdotool mousemove 200 420; sleep 0.3
    xdotool click 1; sleep 0.4
    xdotool click 3; sleep 0.3
    xdotool keyup Up; xdotool keydown "$1"; sleep 0.5; xdotool keyup "$1"
    xdotool mousemove 420 120; sleep 0.2
    xdotool click 1; sleep 0.6
    xdotool click 3; sleep 0.3
}
replays="$XDG_DATA_HOME/tether/replays"
leave_level() {
    screenshot "$work/level.png"
    hold_until_change Escape "$work/level.png"
    wait_for_picture
}

# First map, first ship: fly, pause, fly on.
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
fly Left
press p
wait_until "P did not pause" shows_pause
press p
fly Down
leave_level
cp "$replays/first_contact.replay" "$out/window-first_contact-1.replay"

# Second map, third ship: fly, restart, fly again.
screenshot "$work/title.png"
press Right; press Right; press Down; press Right
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
fly q
press r
sleep 0.5
fly e
leave_level
cp "$replays/open_fire.replay" "$out/window-open_fire-3.replay"
