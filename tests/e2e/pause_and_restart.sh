#!/usr/bin/env bash
# A level held still and started again, in a real window. P pauses: the
# screen stands still to the pixel under "PAUSED" (health, enemies and all),
# and a click resumes. F1 shows the same screen with the controls. The
# window losing its focus pauses too. R plays the map again from its start:
# full health and every enemy back.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '1\ndrift drift 7\n' >"$work/game/maps/maplist"
# The third ship drifts right and a little down. Within five seconds it
# wakes two enemies: one flies into a black hole on its way, the other
# shoots it. The drift passes below the black hole, so left alone the ship
# lives for minutes of game time (the simulator plays this map ten minutes
# with 810 health left): however slowly a loaded machine takes the steps
# below, R still finds the level running.
cat >"$work/game/maps/drift" <<'MAP'
world 10000 10000
spawn 1200 1000 0.07 0.02
enemy11 4250 1000 0 0 0
blackhole 3200 1000 1e9 40
enemy11 4200 1500 0 0 0
enemy11 6000 6000 0 0 0
MAP

# The HUD's two numbers, health and enemies left, in black and white. A
# bright star drifting behind the panel can still show through as a pixel
# or two; a number that changes changes a hundred pixels or more (3 to 2
# enemies: 108; 1000 to 990 health: 503).
health() { convert "$1" -crop 150x45+440+412 +repage -colorspace gray -threshold 70% "$2"; }
enemies() { convert "$1" -crop 150x45+440+537 +repage -colorspace gray -threshold 70% "$2"; }
numberNoise=20
# How many pixels of each number in screenshot $1 differ from start.png's.
numbers_moved() {
    health "$1" "$work/h.png"
    enemies "$1" "$work/e.png"
    echo "$(pixels_changed "$work/start_health.png" "$work/h.png")" \
        "$(pixels_changed "$work/start_enemies.png" "$work/e.png")"
}
same_numbers_now() {
    screenshot "$work/now.png"
    read -r h e < <(numbers_moved "$work/now.png")
    [ "$h" -lt $numberNoise ] && [ "$e" -lt $numberNoise ]
}
both_changed() {
    screenshot "$work/later.png"
    read -r h e < <(numbers_moved "$work/later.png")
    [ "$h" -ge $numberNoise ] && [ "$e" -ge $numberNoise ]
}

start_xvfb
start_game --window # full screen would hold the focus
wait_for_picture
xdotool mousemove 650 300
press Right
press Right
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
screenshot "$work/start.png"
health "$work/start.png" "$work/start_health.png"
enemies "$work/start.png" "$work/start_enemies.png"
wait_until "the ship took no damage, or no enemy was lost" both_changed

# P: the world stands still until a click.
press p
wait_until "P did not pause" shows_pause
cp "$work/shot.png" "$work/paused.png"
sleep 2
screenshot "$work/paused_later.png"
frozen=$(pixels_changed "$work/paused.png" "$work/paused_later.png")
[ "$frozen" = 0 ] || fail "the paused screen changed by $frozen pixels in two seconds"
xdotool click 1
wait_for_change "$work/paused.png"
shows_pause && fail "a click did not resume"

# F1: the same screen, with the controls.
press F1
wait_until "F1 did not show the controls" shows_pause
cp "$work/shot.png" "$work/help.png"
press F1
wait_for_change "$work/help.png"

# Another window takes the keyboard: the game pauses itself.
xdotool windowfocus "$(xwininfo -root | awk '/Window id/ {print $4}')"
wait_until "losing the focus did not pause" shows_pause
cp "$work/shot.png" "$work/unfocused.png"
xdotool click 1
wait_for_change "$work/unfocused.png"

# R: the map from its start.
press r
wait_until "R did not bring back full health and every enemy" same_numbers_now
echo "paused still to the pixel; F1 and focus loss pause; R restarted the map"
