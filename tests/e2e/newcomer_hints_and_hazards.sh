#!/usr/bin/env bash
# What a newcomer sees on a first map not yet won: the goal and the lesson
# written above the ship, a sun off screen marked at the screen's edge in
# its danger colour, and, as the ship's drift carries it toward the sun, the
# warning ring round the ship. On the same map once won (a best time is
# kept) the lines are not shown again.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '1\nfirst_contact first_contact_boss 8\n' >"$work/game/maps/maplist"
# The sun 1,600 units to the right of the spawn, off screen and within
# reach; the third ship, which never brakes by itself, drifts toward it.
# The one enemy sleeps far away.
cat >"$work/game/maps/first_contact" <<'MAP'
world 7000 7000
spawn 1000 3500 0.25 0
sun 2600 3500 1.5e+11 110
enemy10 5000 200 0 0 3.14
MAP

# Pixels of exactly RRGGBB in the screenshot's rectangle WxH+X+Y.
count_colour() {
    convert "$1" -crop "$2" +repage -fill black +opaque "#$3" -fill white -opaque "#$3" \
        -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
goal_band=300x30+250+186 # "Destroy every enemy ship" and the lesson below it
text_colour=CFEFFF
shows_goal() {
    screenshot "$work/shot.png"
    [ "$(count_colour "$work/shot.png" $goal_band $text_colour)" -gt 100 ]
}
# The ring round the ship (its rim 18 units, the ring 14 beyond) is red
# whichever phase of its flash: left of the ship at 366..368.
shows_ring() {
    screenshot "$work/shot.png"
    convert "$work/shot.png" -crop 3x1+366+300 +repage \
        -format '%[fx:maxima.r>0.8 && minima.g<0.5 && minima.b<0.4]' info: | grep -q 1
}

start_third_ship() {
    start_xvfb_once
    start_game --window
    wait_for_picture
    xdotool mousemove 200 100
    press Right
    press Right
    screenshot "$work/title.png"
    hold_until_change space "$work/title.png"
}
start_xvfb_once() { [ -n "$xvfb_pid" ] || start_xvfb; }

start_third_ship
wait_until "no goal line over the first map" shows_goal
cp "$work/shot.png" "$work/goal.png"
# The marker: the sun's danger colour just inside the right edge, level
# with the ship.
[ "$(count_colour "$work/goal.png" 30x20+760+290 FF5020)" -gt 20 ] ||
    fail "no marker at the right edge toward the sun off screen"
wait_until "no warning ring as the ship drifts into the sun" shows_ring
stop_game

# Won once: the map's best time is kept, and the lines are not shown.
mkdir -p "$XDG_DATA_HOME/tether"
printf 'first_contact 61234\n' >"$XDG_DATA_HOME/tether/best_times"
start_third_ship
sleep 1
screenshot "$work/won.png"
[ "$(count_colour "$work/won.png" $goal_band $text_colour)" -lt 10 ] ||
    fail "the goal line shows on a map won before"
[ "$(count_colour "$work/won.png" 30x20+760+290 FF5020)" -gt 20 ] ||
    fail "no marker toward the sun on the second start"
echo "goal and lesson shown on a map not yet won, marker at the edge, ring on the course; none on a map won"
