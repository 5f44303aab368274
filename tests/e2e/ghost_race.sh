#!/usr/bin/env bash
# A run raced as a ghost. The simulator records a run of the bot and says
# where its ship is at the end of it (tether-sim --at); kept as the map's
# best run, the game races it when the map is played, and the ghost stands
# where the simulator says, and nowhere else: the ghost key (G) hides it and
# shows it again. The level played beside the ghost plays back in the
# simulator, which has no ghost, to the world hash the game recorded: the
# ghost changed nothing of it. Played back in the window it shows no ghost,
# unless --ghost asks for one. A ghost from another map, or a file that is
# no replay, is refused.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
game="$work/game"
printf '1\ndrift drift_boss 7\n' >"$game/maps/maplist"
# Nothing pulls: a ship left alone stays where it starts, and the camera
# with it. The one enemy sleeps beyond its wake-up range.
printf 'world 8000 8000\nspawn 1500 1500 0 0\nenemy3 6000 6000 0 0 0\n' >"$game/maps/drift"
cp "$game/maps/drift" "$game/maps/drift_boss"
printf 'world 8000 8000\nspawn 1000 1000 0 0\n' >"$game/maps/elsewhere"
sim() { (cd "$game" && ./tether-sim "$@"); }

sim --pilot bot --minutes 0.02 --record "$work/ghost.replay" drift >/dev/null \
    || fail "tether-sim did not record the bot's run"
at=$(sim --replay "$work/ghost.replay" --at 1000000) || fail "tether-sim --at failed"
field() { sed -n "s/.*\"$1\": \([-0-9.a-z]*\).*/\1/p" <<<"$at"; }
[ "$(field over)" = true ] || fail "the run is not over at its end: $at"
# The player's ship stays at the spawn, so the camera's corner is at
# (1500 - 400, 1500 - 300); the ghost is that far from it on the screen.
gx=$(awk -v x="$(field x)" 'BEGIN { printf "%d", x - 1100 }')
gy=$(awk -v y="$(field y)" 'BEGIN { printf "%d", y - 1200 }')
[ "$gx" -ge 30 ] && [ "$gx" -le 770 ] && [ "$gy" -ge 30 ] && [ "$gy" -le 350 ] \
    || fail "the bot's run ends off the screen, at ($gx, $gy): $at"
[ "$(field frame)" -gt 10 ] || fail "the run played no frames: $at"

# Pixels that differ between two screenshots within 24 pixels of (x, y),
# and outside that box in the world between the notice line and the HUD
# (rows 50 to 379: the race's own line, the notices and the panel left out).
changed_in_box() {
    convert "$1" -crop "48x48+$(($3 - 24))+$(($4 - 24))" +repage "$work/a.png"
    convert "$2" -crop "48x48+$(($3 - 24))+$(($4 - 24))" +repage "$work/b.png"
    pixels_changed "$work/a.png" "$work/b.png"
}
changed_elsewhere() {
    local f box="rectangle $(($3 - 24)),$(($4 - 74)) $(($3 + 24)),$(($4 - 26))"
    for f in "$1" "$2"; do
        convert "$f" -crop 800x330+0+50 +repage -fill black -draw "$box" "$f.masked.png"
    done
    pixels_changed "$1.masked.png" "$2.masked.png"
}
ghost_at_end() {
    screenshot "$work/shown.png"
    [ "$(changed_in_box "$work/hidden.png" "$work/shown.png" "$gx" "$gy")" -gt 40 ] \
        && [ "$(changed_elsewhere "$work/hidden.png" "$work/shown.png" "$gx" "$gy")" -lt 10 ]
}

replays="$XDG_DATA_HOME/tether/replays"
mkdir -p "$replays"
cp "$work/ghost.replay" "$replays/drift.best.replay"
# A map with a best run has been won: its best time stands beside the run
# (and a won map shows no newcomer's goal line over the ghost).
echo "drift 1200" >"$XDG_DATA_HOME/tether/best_times"
start_xvfb
xdotool mousemove 790 590
start_game
wait_for_picture
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
# The ghost hidden, a picture of the level without it; shown again, it
# stands where the simulator's run ended.
press g
wait_until "G did not keep the ghost off" grep -q '^ghost no$' "$XDG_CONFIG_HOME/tether/settings"
# Two pictures alike, in the rows compared, come after the frame that hid it.
settled() {
    screenshot "$work/before.png"
    screenshot "$work/hidden.png"
    convert "$work/before.png" -crop 800x330+0+50 +repage "$work/a.png"
    convert "$work/hidden.png" -crop 800x330+0+50 +repage "$work/b.png"
    [ "$(pixels_changed "$work/a.png" "$work/b.png")" = 0 ]
}
wait_until "the level's picture did not settle with the ghost hidden" settled
press g
wait_until "no ghost at ($gx, $gy) as tether-sim says ($at)" ghost_at_end
kill -INT "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "the game ended with status $game_status"

# The level played beside the ghost reproduces without it.
played="$replays/drift.replay"
[ -f "$played" ] || fail "no replay of the level raced"
recorded=$(awk '$1 == "end" { print $2 }' "$played")
sim --replay "$played" >"$work/played.json" || fail "the level raced does not reproduce: $(cat "$work/played.json")"
grep -q "\"hash\":\"$recorded\"" "$work/played.json" || fail "$(cat "$work/played.json") is not $recorded"

# Played back, the level shows no ghost of the best run to its end, and
# ends on its recorded hash (status 0); with --ghost it does show one.
no_ghost() {
    screenshot "$work/playback.png"
    # The playback over, its window goes before the process does (a
    # sanitizer build checks for leaks on the way out): a blank screen is
    # no picture to judge.
    [ "$(colour_count "$work/playback.png")" -gt 1 ] || return 0
    [ "$(changed_in_box "$work/hidden.png" "$work/playback.png" "$gx" "$gy")" -lt 10 ] \
        || fail "a ghost in a replay played back without --ghost"
}
start_game --replay "$played"
wait_for_picture
while kill -0 "$game_pid" 2>/dev/null; do no_ghost; done
wait_game
[ "$game_status" = 0 ] || fail "the level raced played back with status $game_status"
start_game --replay "$played" --ghost "$work/ghost.replay"
wait_for_picture
wait_until "no ghost at ($gx, $gy) in the replay played back with --ghost" ghost_at_end
wait_game
[ "$game_status" = 0 ] || fail "the level raced played back beside a ghost with status $game_status"

# A ghost recorded on another map than the one it is raced on is refused.
sim --pilot idle --minutes 0.01 --record "$work/elsewhere.replay" elsewhere >/dev/null
start_game --ghost "$work/elsewhere.replay"
wait_for_picture
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
wait_until "no word of the ghost's other map" grep -q "No ghost on drift: the replay .* was played on elsewhere" "$work/out.txt"
kill -INT "$game_pid"
wait_game
# A file that is no replay ends the game at once, saying why.
echo "not a replay" >"$work/junk.replay"
start_game --ghost "$work/junk.replay"
wait_game
[ "$game_status" = 1 ] || fail "a ghost that is no replay ended the game with status $game_status"
grep -q "Cannot race the replay $work/junk.replay" "$work/out.txt" || fail "no reason given for the broken ghost"
echo "PASS"
