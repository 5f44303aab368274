#!/usr/bin/env bash
# A game played in the window is recorded level by level and plays back the
# same. A map won at once, its boss map played with real keys and clicks,
# paused and left with Escape, then a second map left by quitting the game:
# each is its own replay in the player's data folder. The headless simulator reproduces
# every one to the world hash the game recorded, and the window plays the
# boss level back, marked as a replay, to the very summary line the
# simulator prints.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '2\nquiet quiet_boss 7\nfar far_boss 8\n' >"$work/game/maps/maplist"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nplanet 1800 1400 1e11 100\n' >"$work/game/maps/quiet"
printf 'world 9000 9000\nspawn 1500 1500 0 0\nenemy3 7000 7000 0 0 0\n' >"$work/game/maps/quiet_boss"
printf 'world 9000 9000\nspawn 1000 1000 0 0\nenemy1 6000 6000 0 0 0\n' >"$work/game/maps/far"
start_xvfb
start_game
wait_for_picture
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
screenshot "$work/victory.png"
is_gold "$work/victory.png" 197 308 || fail "no victory screen after the empty map"
wait_for_change "$work/victory.png"

# The boss level (its enemy waits far away): steer, fire both hooks, tie off; Escape, which comes after
# them, ends the level.
xdotool mousemove 650 150
xdotool keydown Right
sleep 0.3
xdotool click 1
sleep 0.2
xdotool keyup Right
xdotool keydown Up
xdotool mousemove 150 450
sleep 0.2
xdotool click 1
sleep 0.2
xdotool click 3
sleep 0.2
xdotool keyup Up
# A pause on the way, resumed by a click, leaves no trace in the replay.
press p
wait_until "P did not pause" shows_pause
xdotool click 1
sleep 0.2
screenshot "$work/boss.png"
hold_until_change Escape "$work/boss.png"
replays="$XDG_DATA_HOME/tether/replays"
boss="$replays/quiet_boss.replay"
[ -f "$boss" ] || fail "no replay of the boss level in $replays"

# Back on the title screen: the second map, left by quitting the game.
screenshot "$work/title.png"
press Down
press Right
hold_until_change space "$work/title.png"
press Left
kill -TERM "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "the game ended with status $game_status on a quit"
# The map won in its first frame keeps no best time, nor its replay.
[ "$(ls -A "$replays")" = "$(printf 'far.replay\nquiet.replay\nquiet_boss.replay')" ] \
    || fail "the data folder holds $(ls -A "$replays")"

# Frames are "steps actions x y clicks": Right is action 8, F a hook fired
# and T a tie-off.
awk 'NF == 5 && $2 == 8 { right++ } NF == 5 && $5 ~ /F/ { fired++ } NF == 5 && $5 ~ /T/ { tied++ }
    END { exit !(right && fired > 1 && tied) }' "$boss" \
    || fail "Right, a hook or a tie-off is missing from the boss level's replay"

# The simulator reproduces each level to the hash the game recorded.
for map in quiet quiet_boss far; do
    recorded=$(awk '$1 == "end" { print $2 }' "$replays/$map.replay")
    (cd "$work/game" && ./tether-sim --replay "$replays/$map.replay") >"$work/$map.json" \
        || fail "tether-sim --replay $map failed"
    grep -q "\"hash\":\"$recorded\"" "$work/$map.json" || fail "$map: $(cat "$work/$map.json") is not $recorded"
done
grep -q '"outcome":"won"' "$work/quiet.json" || fail "the won map replays as $(cat "$work/quiet.json")"
grep -q '"outcome":"escape"' "$work/quiet_boss.json" || fail "the boss map replays as $(cat "$work/quiet_boss.json")"
grep -q '"outcome":"quit"' "$work/far.json" || fail "the map quit replays as $(cat "$work/far.json")"

# The window plays the boss level back and prints the simulator's line.
start_command "$work/game" ./tether --replay "$boss"
wait_for_picture
# Marked as a replay from its first frame, so nobody takes it for play.
screenshot "$work/playback.png"
marked=$(convert "$work/playback.png" -crop 200x50+0+0 +repage -fill black +opaque '#FF6A4A' \
    -fill white -opaque '#FF6A4A' -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$marked" -gt 100 ] || fail "the playback is not marked as a replay ($marked pixels of its mark)"
wait_game
[ "$game_status" = 0 ] || fail "playback ended with status $game_status"
grep -Fxq "$(cat "$work/quiet_boss.json")" "$work/out.txt" \
    || fail "playback printed $(cat "$work/out.txt"), the simulator $(cat "$work/quiet_boss.json")"
echo "recorded, reproduced headless and played back: $(cut -c1-70 "$work/quiet_boss.json")..."
