#!/usr/bin/env bash
# A map with no enemies is won at once: the victory screen holds for five
# seconds, with how it went at its bottom-left (and on standard output),
# then the boss map of that map follows without the title screen. Won in
# its first frame, the map was no race: no best time is kept for it, nor a
# best time's replay, only its last replay; nor is one kept for a win in
# the frames after the first, as with a data file of random bytes that
# breaks every number (its enemies die at once). Keys pressed
# while the victory screen stands were meant for the map just won: a P then
# does not pause the boss map.
source "$(dirname "$0")/lib.bash"
play_to_victory "$1"
press p
expect_pixel "$work/victory.png" 17 536 CFEFFF # "Time ..." on the summary's plate
grep -qx 'Victory on quiet in its first frame: nothing to fight, so no best time is kept' "$work/out.txt" ||
    fail "no summary line: $(cat "$work/out.txt")"
[ ! -e "$XDG_DATA_HOME/tether/best_times" ] || fail "a best time of $(cat "$XDG_DATA_HOME/tether/best_times") was kept"
[ -f "$XDG_DATA_HOME/tether/replays/quiet.replay" ] || fail "the map's replay is not kept"
[ ! -e "$XDG_DATA_HOME/tether/replays/quiet.best.replay" ] || fail "a best time's replay was kept"

wait_for_change "$work/victory.png"
gone=$(now)
screenshot "$work/boss.png"
held=$(echo "$gone - $victory_shown" | bc)
[ "$(echo "$held > 4.0" | bc)" = 1 ] || fail "the victory screen lasted only ${held}s"
is_gold "$work/boss.png" 197 308 && fail "the victory screen is still up"
[ "$(pixel "$work/boss.png" 320 130)" != FFFF00 ] || fail "back on the title screen instead of the boss map"
shows_pause && fail "a P pressed on the victory screen paused the boss map"
sleep 1
screenshot "$work/boss_later.png"
[ "$(pixel "$work/boss_later.png" 320 130)" != FFFF00 ] || fail "the boss map ended at once"
shows_pause && fail "a P pressed on the victory screen paused the boss map"
echo "victory held ${held}s, then the boss map"

# The data file as random bytes: every number breaks, the map's one enemy
# dies in the first milliseconds, and the win is no race.
stop_game
head -c 4096 /dev/urandom >"$work/game/data"
printf '1\nquick quiet_boss 7\n' >"$work/game/maps/maplist"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nenemy1 2500 2500 0 0 0\n' >"$work/game/maps/quick"
start_game
wait_for_picture
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
wait_until "no word of the quick win" grep -q '^Victory on quick in ' "$work/out.txt"
grep -Eq '^Victory on quick in 0:00\.[0-9]: over before a race could start, so no best time is kept$' "$work/out.txt" ||
    fail "the quick win was taken for a race: $(cat "$work/out.txt")"
[ ! -e "$XDG_DATA_HOME/tether/best_times" ] || fail "a best time of $(cat "$XDG_DATA_HOME/tether/best_times") was kept"
echo "a win in the first milliseconds on broken data: no best time"
