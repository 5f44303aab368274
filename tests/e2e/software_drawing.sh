#!/usr/bin/env bash
# The game drawn by our software canvas (TETHER_DRAWING=software, as the
# browser draws) looks like the desktop's: the same steps are played twice,
# once each way (the title, Space into a still map, a click that fires a
# hook, P to pause), and each screenshot of one run is compared with the
# other's. At least 99% of the pixels must lie within 8 levels in every
# channel: the text is in another font, shapes differ at their rims, and
# the hook flies for as long as each run took to pause.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '1\nstill still 7\n' >"$work/game/maps/maplist"
# No gravity and no enemy awake: the ship stands where it spawned, so both
# runs show the same place.
printf 'world 8000 8000\nspawn 1500 1500 0 0\nenemy3 6000 6000 0 0 0\n' >"$work/game/maps/still"

# Share of pixels of two screenshots more than 8 levels apart in some
# channel, in percent; a rectangle given as a third argument (x1,y1 x2,y2)
# is left out of both.
percent_unlike() {
    local cover=()
    [ -z "${3:-}" ] || cover=(-fill black -draw "rectangle $3")
    convert \( "$1" "${cover[@]}" \) \( "$2" "${cover[@]}" \) -compose difference -composite \
        -separate -evaluate-sequence max -threshold 3.2% -format '%[fx:mean*100]' info:
}

# The pause screen is up: "PAUSED" in white, at a pixel of its P that both
# fonts light.
shows_paused() {
    screenshot "$work/shot.png"
    [ "$(pixel "$work/shot.png" 265 92)" = FFFFFF ]
}

# Plays the steps with the drawing named in $1; screenshots land in
# title_$1.png, level_$1.png and paused_$1.png.
play_steps() {
    local drawing=$1
    TETHER_DRAWING=$drawing start_game --window
    wait_for_picture
    xdotool mousemove 650 300
    screenshot "$work/title_$drawing.png"
    expect_pixel "$work/title_$drawing.png" 320 130 FFFF00 # ship row framed
    expect_pixel "$work/title_$drawing.png" 125 250 0000FF # first ship boxed in blue
    hold_until_change space "$work/title_$drawing.png"
    screenshot "$work/level_$drawing.png"
    xdotool click 1
    press p
    wait_until "P did not pause ($drawing drawing)" shows_paused
    cp "$work/shot.png" "$work/paused_$drawing.png"
    stop_game
}

start_xvfb
play_steps desktop
play_steps software

# The pause screen's words, a block of text in the two fonts (3% of the
# screen unlike), are left out of its comparison: what is compared is the
# frame kept under the veil, the HUD and the radar.
pause_words="120,85 680,430"
for step in title level paused; do
    cover=""
    [ "$step" != paused ] || cover=$pause_words
    unlike=$(percent_unlike "$work/${step}_desktop.png" "$work/${step}_software.png" "$cover")
    echo "$step: ${unlike}% of pixels unlike"
    awk -v u="$unlike" 'BEGIN { exit !(u <= 1) }' ||
        fail "the $step drawn by our canvas differs from the desktop's in ${unlike}% of its pixels"
done
echo "title, level and pause drawn by our canvas match the desktop's"
