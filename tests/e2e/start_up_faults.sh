#!/usr/bin/env bash
# Starting without what the game needs. With no display (DISPLAY unset, or
# naming one nobody serves) the game says so and ends with status 1 at
# once, instead of drawing in the terminal; a video driver the player names
# is still tried. A settings file that is a pipe is reported and left as it
# is while the game goes on, and --scale 2 in a window on an 800x600
# screen warns and draws at scale 1, as full screen does.
source "$(dirname "$0")/lib.bash"
copy_game "$1"

# Runs the game without a display ($1: what DISPLAY holds, empty: unset);
# it must end within a second with status 1 and the message given.
expect_no_display() {
    local started took status=0 display=(-u DISPLAY)
    [ -z "$1" ] || display=("DISPLAY=$1")
    started=$(now)
    (cd "$work/game" && env -u SDL_VIDEODRIVER "${display[@]}" SDL_AUDIODRIVER=dummy \
        timeout 20 ./tether >"$work/no_display.txt" 2>&1) || status=$?
    took=$(echo "$(now) - $started" | bc)
    # Drawn in the terminal, the output is a screenful of escape codes.
    local said
    said=$(head -c 400 "$work/no_display.txt" | cat -v)
    [ "$status" = 1 ] || fail "without a display ('$1') the game ended with status $status: $said"
    grep -qx "$2" "$work/no_display.txt" || fail "without a display ('$1'), not the message '$2': $said"
    [ "$(echo "$took < 1" | bc)" = 1 ] || fail "without a display ('$1') the game took ${took}s to end"
    echo "no display ('$1'): status 1 in ${took}s"
}
expect_no_display "" "No display: DISPLAY is not set (SDL_VIDEODRIVER chooses another video driver)"
unserved=:$((4000 + RANDOM % 1000))
while [ -e "/tmp/.X11-unix/X${unserved#:}" ]; do unserved=:$((${unserved#:} + 1)); done
expect_no_display "$unserved" "No display: nothing answers at DISPLAY $unserved"

mkdir -p "$XDG_CONFIG_HOME/tether"
settings="$XDG_CONFIG_HOME/tether/settings"
mkfifo "$settings"
start_xvfb
started=$(now)
start_game --scale 2 --window
wait_until "no word of the settings pipe" grep -q "^Settings file $settings is not a regular file: the defaults stand in" "$work/out.txt"
echo "the settings pipe reported after $(echo "$(now) - $started" | bc)s"
wait_for_picture
grep -qx "The screen is smaller than 1600x1200: drawing at scale 1" "$work/out.txt" ||
    fail "no word of the window too large for the screen"
xwininfo -root -tree | grep -q " 800x600+" || fail "no 800x600 window: $(xwininfo -root -tree)"
xwininfo -root -tree | grep -q " 1600x1200+" && fail "a 1600x1200 window on an 800x600 screen"
stop_game
[ -p "$settings" ] || fail "the settings pipe was replaced"
